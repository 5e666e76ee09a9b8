#include "shell/text/DecimalText.h"

#include <limits>

namespace s::str {

namespace {

bool isCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

DecimalText::Scan DecimalText::scan(std::string_view text) {
    Scan result;
    std::size_t pos = 0;
    while (pos < text.size() && isCSpace(text[pos])) ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        result.negative = text[pos] == '-';
        ++pos;
    }
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        const unsigned digit = static_cast<unsigned>(text[pos] - '0');
        if (result.magnitude > (kMax - digit) / 10) {
            result.magnitude = kMax;
        } else {
            result.magnitude = result.magnitude * 10 + digit;
        }
    }
    return result;
}

std::int32_t DecimalText::toInt32(std::string_view text) {
    const Scan s = scan(text);
    constexpr std::uint64_t kMaxPositive = std::numeric_limits<std::int32_t>::max();
    if (!s.negative)
        return s.magnitude > kMaxPositive ? std::int32_t(kMaxPositive) : std::int32_t(s.magnitude);
    if (s.magnitude > kMaxPositive + 1) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(-static_cast<std::int64_t>(s.magnitude));
}

std::uint32_t DecimalText::toUInt32(std::string_view text) {
    const Scan s = scan(text);
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
    if (s.magnitude > kMax) return std::uint32_t(kMax);
    const auto value = static_cast<std::uint32_t>(s.magnitude);
    return s.negative ? std::uint32_t(0u - value) : value;
}

std::int64_t DecimalText::toInt64(std::string_view text) {
    const Scan s = scan(text);
    constexpr std::uint64_t kMaxPositive = std::numeric_limits<std::int64_t>::max();
    if (!s.negative)
        return s.magnitude > kMaxPositive ? std::int64_t(kMaxPositive) : std::int64_t(s.magnitude);
    if (s.magnitude > kMaxPositive) return std::numeric_limits<std::int64_t>::min();
    return -static_cast<std::int64_t>(s.magnitude);
}

}  // namespace s::str
