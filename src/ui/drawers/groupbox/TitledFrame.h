// s::gui::drawer::groupbox::win::TitledFrame -- what every group box drawer
// shares: the frame colour, the title's text settings (normal and disabled)
// and the painting of the title at x = 9, above the frame's top line. A
// drawer derived from it only draws its frame line, leaving the title's gap
// from x = 7 to tw + 10.
#pragma once

#include "ui/drawers/IGroupBox.h"
#include "ui/drawers/PixelPen.h"
#include "ui/drawers/text/Basic.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer::groupbox::win {

class TitledFrame : public IGroupBox {
public:
    void setColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) override { frame_ = {r, g, b}; }
    std::uint8_t red() const override { return frame_.r; }
    std::uint8_t green() const override { return frame_.g; }
    std::uint8_t blue() const override { return frame_.b; }

    s::gui::win::FontSetting& titleSetting(bool enabled) override;
    const s::gui::win::FontSetting& titleSetting(bool enabled) const override;
    // The drawer the title is drawn with.
    text::win::Basic& titleText() { return title_; }

    void paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, std::string_view title,
               const s::gui::win::FontSetting& titleFont, std::int32_t tw, std::int32_t th,
               bool enabled) const override;

protected:
    // Back to the given frame colour and fresh title settings.
    void resetFrame(s::gui::Rgb frame);
    s::gui::Rgb frame() const { return frame_; }
    // The frame line around a w x h rectangle (pen.width(), pen.height()),
    // with the title tw pixels wide.
    virtual void paintFrame(PixelPen& pen, std::int32_t tw) const = 0;

private:
    s::gui::Rgb frame_{};
    text::win::Basic title_;
};

}  // namespace s::gui::drawer::groupbox::win
