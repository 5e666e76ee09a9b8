// s::gui::drawer::groupbox::win::Thin -- the group box of the "ThinWindow"
// skins: a square one-pixel frame in the line colour with the same title gap
// as groupbox::win::Basic (title from x = 9, frame gap from x = 7 to tw + 10),
// the title in the title settings' colour.
#pragma once

#include "ui/drawers/IGroupBox.h"
#include "ui/drawers/text/Basic.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::groupbox::win {

class Thin : public IGroupBox {
    TARVEX_POOLED(Thin, "s_gui_drawer_groupbox_win_Thin")
public:
    static constexpr s::gui::Rgb kDefaultLine = s::gui::Rgb::hex(0x000000);

    Thin();
    void reset() override;

    void setColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) override { line_ = {r, g, b}; }
    std::uint8_t red() const override { return line_.r; }
    std::uint8_t green() const override { return line_.g; }
    std::uint8_t blue() const override { return line_.b; }

    s::gui::win::FontSetting& titleSetting(bool enabled) override;
    const s::gui::win::FontSetting& titleSetting(bool enabled) const override;

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, std::string_view title,
               const s::gui::win::FontSetting& titleFont, std::int32_t tw, std::int32_t th,
               bool enabled) const override;

private:
    s::gui::Rgb line_ = kDefaultLine;
    text::win::Basic title_;
};

}  // namespace s::gui::drawer::groupbox::win
