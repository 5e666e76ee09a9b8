#include "ui/toolkit/FontSizeCode.h"

#include <cstdlib>

#include "ui/toolkit/DisplayScale.h"

namespace s::gui {

std::optional<FontSizeCode::Size> FontSizeCode::decode(std::int32_t code) {
    using s::gui::win::FontSetting;
    if (code == 100001) return Size{8, FontSetting::kNormalWeight};
    const std::int32_t magnitude = std::abs(code);
    if (magnitude < 100) return Size{code + 10, FontSetting::kNormalWeight};
    if (magnitude < 1000) return Size{code % 100 + 14, FontSetting::kBoldWeight};
    return std::nullopt;
}

std::int32_t FontSizeCode::characterHeight(std::int32_t size, std::int32_t scale) {
    const std::int32_t a = size * scale;
    if (a == 1) return -1;
    if (a > 100) return -13;
    return -(a + 1 + (a - 2) / 3);
}

bool FontSizeCode::apply(std::int32_t code, std::int32_t scale, s::gui::win::FontSetting& font) {
    const std::optional<Size> size = decode(code);
    if (!size) return false;
    font.setHeight(characterHeight(size->size, scale));
    font.setWeight(size->weight);
    return true;
}

s::gui::win::FontSetting FontSizeCode::defaultFont() { return s::gui::win::FontSetting{}; }

s::gui::win::FontSetting FontSizeCode::resolved(const s::gui::win::FontSetting& font) {
    s::gui::win::FontSetting out = font;
    if (out.height == 0) out.height = characterHeight(10, DisplayScale::get());
    return out;
}

}  // namespace s::gui
