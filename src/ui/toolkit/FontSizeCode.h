// s::gui::FontSizeCode -- controls take their text size as a small code
// instead of a height:
//   |c| < 100          normal weight, size c + 10
//   100 <= |c| < 1000  bold, size c mod 100 + 14
//   c == 100001        normal weight, size 8
// Any other code is ignored (apply() leaves the setting untouched and
// returns false). The size times the display scale becomes a character
// height, written negative as the font description expects:
//   a == 1 -> -1, a > 100 -> -13, else -(a + 1 + (a - 2) / 3).
// Code 0 is thus -13 at scale 1 and -27 at scale 2; code 105 is bold -25.
#pragma once

#include <cstdint>
#include <optional>

#include "ui/toolkit/FontSetting.h"

namespace s::gui {

class FontSizeCode {
public:
    struct Size {
        std::int32_t size;    // the unscaled size s
        std::int32_t weight;  // 400 or 700
    };
    // The size and weight a code stands for, or none for an ignored code.
    static std::optional<Size> decode(std::int32_t code);
    // The negative character height for size s at the display scale.
    static std::int32_t characterHeight(std::int32_t size, std::int32_t scale);
    // Sets the height and weight of font from code at scale; false when ignored.
    static bool apply(std::int32_t code, std::int32_t scale, s::gui::win::FontSetting& font);
    // The controls' default font: height 0, which stands for code 0 at the
    // display scale in force when the font is used (see resolved).
    static s::gui::win::FontSetting defaultFont();
    // The setting with a height of 0 replaced by code 0's height at the
    // current display scale; other heights are kept.
    static s::gui::win::FontSetting resolved(const s::gui::win::FontSetting& font);
};

}  // namespace s::gui
