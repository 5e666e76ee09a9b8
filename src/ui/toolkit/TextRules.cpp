#include "ui/toolkit/TextRules.h"

namespace s::gui {

std::string TextRules::doubleAmpersands(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

std::string TextRules::accessibleName(std::string_view text) {
    // U+00A0 is the two bytes C2 A0 in UTF-8.
    auto isSpaceAt = [&](std::size_t i, std::size_t& length) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
            length = 1;
            return true;
        }
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xA0) {
            length = 2;
            return true;
        }
        return false;
    };
    std::size_t begin = 0, length = 0;
    while (begin < text.size() && isSpaceAt(begin, length)) begin += length;
    std::size_t end = text.size();
    while (end > begin) {
        if (isSpaceAt(end - 1, length) && length == 1) {
            --end;
        } else if (end - begin >= 2 && isSpaceAt(end - 2, length) && length == 2) {
            end -= 2;
        } else {
            break;
        }
    }
    return std::string(text.substr(begin, end - begin));
}

Extent TextRules::checkBox(Extent text, std::int32_t scale) {
    const std::int32_t k = scale < 2 ? 6 : 4;
    Extent size{text.cy / k * scale + text.cx + text.cy, text.cy};
    if (scale >= 2) size.cy += 3 * scale;
    if (scale == 2) size.cy += 1;
    return size;
}

Extent TextRules::multiLineCheckBox(Extent wrappedText, std::int32_t scale) {
    const std::int32_t h = wrappedText.cy;
    return Extent{wrappedText.cx + h + h / 6 * scale, h};
}

Extent TextRules::radioButton(Extent text, std::int32_t scale) {
    return Extent{text.cx + (scale < 2 ? 18 : 24) * scale, text.cy};
}

std::int32_t TextRules::groupBoxMinWidth(std::int32_t titleWidth, std::int32_t contentMinWidth) {
    const std::int32_t byTitle = titleWidth + 24;
    const std::int32_t byContent = 4 + 4 + contentMinWidth;
    return byTitle > byContent ? byTitle : byContent;
}

std::int32_t TextRules::groupBoxMinHeight(std::int32_t titleHeight,
                                          std::int32_t contentMinHeight) {
    return titleHeight + 1 + 4 + contentMinHeight;
}

}  // namespace s::gui
