// s::str::Utf8 -- conversions between UTF-8, the form every string takes in
// memory, and UTF-16, the form strings take in the settings store.
//
// Input is never trusted: a byte sequence that is not well-formed UTF-8
// (stray continuation bytes, overlong forms, surrogates, values above
// U+10FFFF, a sequence cut short) and an unpaired UTF-16 surrogate each become
// one U+FFFD replacement character, so every result is well-formed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace s::str {

class Utf8 {
public:
    static constexpr char32_t kReplacement = 0xFFFD;

    // The text with every ill-formed sequence replaced.
    static std::string sanitize(std::string_view bytes);
    static std::u16string toUtf16(std::string_view bytes);
    static std::string fromUtf16(std::u16string_view units);

    // Decodes the code point at `pos`, advancing `pos` past it. An ill-formed
    // sequence yields kReplacement and advances by its valid prefix (at least 1).
    // `pos` must be below bytes.size().
    static char32_t decode(std::string_view bytes, std::size_t& pos);
    static void append(std::string& out, char32_t codePoint);
};

}  // namespace s::str
