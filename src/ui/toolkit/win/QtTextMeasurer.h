// s::gui::win::QtTextMeasurer -- the toolkit core's text measurer answered
// with QFontMetrics: one line's bounding width and line height, or the
// wrapped block's size with word wrap. install() makes it the process-wide
// measurer (windows do this when the first one is made).
#pragma once

#include "ui/toolkit/ITextMeasurer.h"

namespace s::gui::win {

class QtTextMeasurer final : public s::gui::ITextMeasurer {
public:
    s::gui::Extent measure(const FontSetting& font, std::string_view utf8, bool wordWrap,
                           int wrapWidth) override;
    static void install();
};

}  // namespace s::gui::win
