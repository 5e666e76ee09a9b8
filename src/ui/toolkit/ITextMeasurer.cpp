#include "ui/toolkit/ITextMeasurer.h"

#include <algorithm>
#include <cstdlib>

namespace s::gui {
namespace {

// Until the platform's measurer is installed: every character (UTF-8 lead
// byte) is 0.55 of the character height wide, lines are the height tall.
class FixedPitchEstimate final : public ITextMeasurer {
public:
    Extent measure(const s::gui::win::FontSetting& font, std::string_view utf8, bool wordWrap,
                   int wrapWidth) override {
        const std::int32_t h = font.height != 0 ? std::abs(font.height) : 13;
        std::int32_t chars = 0;
        for (char c : utf8)
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;
        std::int32_t w = chars * h * 55 / 100;
        std::int32_t lines = 1;
        if (wordWrap && wrapWidth > 0 && w > wrapWidth) {
            lines = (w + wrapWidth - 1) / wrapWidth;
            w = wrapWidth;
        }
        return Extent{w, utf8.empty() ? h : h * lines};
    }
};

FixedPitchEstimate estimate;
ITextMeasurer* installed = nullptr;

}  // namespace

ITextMeasurer& ITextMeasurer::current() { return installed ? *installed : estimate; }

void ITextMeasurer::install(ITextMeasurer* measurer) { installed = measurer; }

}  // namespace s::gui
