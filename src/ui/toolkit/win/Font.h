// s::gui::win::Font -- a control's font: a FontSetting and the QFont made
// from it. Any change re-creates the QFont at once; the QFont is cached
// otherwise. Attributes set explicitly survive applyDefaults() (what a skin
// or drawer copies onto the control).
//
//     Font font;
//     font.setSizeCode(105);     // bold, size 19, scaled by the display
//     label.setFont(font.setting());
#pragma once

#include <QFont>
#include <algorithm>
#include <cstdint>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "ui/toolkit/FontSetting.h"

namespace s::gui::win {

// The QFont for a setting: negative heights are character heights in pixels.
QFont qFontFor(const FontSetting& setting);

class Font final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(Font, "s_gui_win_Font")
public:
    void reset() override;

    const FontSetting& setting() const { return setting_; }
    void setSetting(const FontSetting& setting);
    // Copies every attribute of defaults this font did not set explicitly.
    void applyDefaults(const FontSetting& defaults);
    // Size code at the current display scale (ignored codes change nothing).
    bool setSizeCode(std::int32_t code);
    void setFace(std::string face);
    void setBold(bool on);
    void setUnderline(bool on);
    void setTextColour(Rgb colour);
    const QFont& qfont() const { return qfont_; }

private:
    void rebuild() { qfont_ = qFontFor(setting_); }
    FontSetting setting_;
    QFont qfont_;
};

}  // namespace s::gui::win
