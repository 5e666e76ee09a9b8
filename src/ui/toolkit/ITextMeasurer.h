// s::gui::ITextMeasurer -- how the toolkit's core learns the extent of a text
// without knowing the platform: the Qt layer answers with its font metrics
// (s::gui::win::QtTextMeasurer), tests answer with a fake.
//
// measure() returns the pixel extent of the UTF-8 text drawn in the font;
// with wordWrap the text is broken into lines no wider than wrapWidth.
// Ampersands are measured as themselves (no shortcut prefixes).
//
// The process-wide measurer is set by the Qt layer when the first window is
// made; until then a simple fixed-pitch estimate answers, so sizes are never
// zero for non-empty texts.
#pragma once

#include <string_view>

#include "ui/toolkit/Extent.h"
#include "ui/toolkit/FontSetting.h"

namespace s::gui {

class ITextMeasurer {
public:
    virtual ~ITextMeasurer() = default;
    virtual Extent measure(const s::gui::win::FontSetting& font, std::string_view utf8,
                           bool wordWrap, int wrapWidth) = 0;

    // The measurer in use; never null.
    static ITextMeasurer& current();
    // Installs a measurer (not owned); null restores the fixed-pitch estimate.
    static void install(ITextMeasurer* measurer);
};

}  // namespace s::gui
