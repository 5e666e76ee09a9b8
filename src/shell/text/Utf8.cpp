#include "shell/text/Utf8.h"

namespace s::str {

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the sequence a lead byte announces, with the range its second byte
// must fall in (which rules out overlong forms, surrogates and values above
// U+10FFFF in one place). Length 0: not a lead byte.
struct LeadInfo {
    int length;
    unsigned char secondMin;
    unsigned char secondMax;
};

LeadInfo leadInfo(unsigned char lead) {
    if (lead < 0x80) return {1, 0, 0};
    if (lead < 0xC2) return {0, 0, 0};
    if (lead < 0xE0) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (lead < 0xF0) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead < 0xF4) return {4, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

}  // namespace

char32_t Utf8::decode(std::string_view bytes, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    const LeadInfo info = leadInfo(lead);
    if (info.length == 1) {
        ++pos;
        return lead;
    }
    if (info.length == 0) {
        ++pos;
        return kReplacement;
    }
    static constexpr unsigned char kLeadMask[] = {0, 0, 0x1F, 0x0F, 0x07};
    char32_t value = lead & kLeadMask[info.length];
    std::size_t at = pos + 1;
    for (int i = 1; i < info.length; ++i, ++at) {
        if (at >= bytes.size()) {
            pos = at;
            return kReplacement;
        }
        const auto byte = static_cast<unsigned char>(bytes[at]);
        const bool inRange =
            i == 1 ? (byte >= info.secondMin && byte <= info.secondMax) : isContinuation(byte);
        if (!inRange) {
            pos = at;  // the offending byte starts the next sequence
            return kReplacement;
        }
        value = (value << 6) | (byte & 0x3F);
    }
    pos = at;
    return value;
}

void Utf8::append(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Utf8::sanitize(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t start = pos;
        const char32_t cp = decode(bytes, pos);
        if (cp == kReplacement && !(pos - start == 3 && bytes.substr(start, 3) == "\xEF\xBF\xBD")) {
            append(out, kReplacement);
        } else {
            out.append(bytes.substr(start, pos - start));
        }
    }
    return out;
}

std::u16string Utf8::toUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const char32_t cp = decode(bytes, pos);
        if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
        } else {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string Utf8::fromUtf16(std::u16string_view units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            append(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            append(out, kReplacement);
        } else {
            append(out, unit);
        }
    }
    return out;
}

}  // namespace s::str
