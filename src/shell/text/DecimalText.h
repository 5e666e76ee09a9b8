// s::str::DecimalText -- reads a decimal integer from the start of a text
// the way the C library's string-to-integer conversions do on a platform
// whose long is 32 bits wide: leading white space, an optional sign, then as
// many digits as follow. Text without digits reads as 0.
//
// Out-of-range values saturate (toInt32, toInt64) or become UINT32_MAX
// (toUInt32); a minus sign before an in-range magnitude makes toUInt32 wrap,
// so "-1" reads as 0xFFFFFFFF. Narrower results are these truncated.
#pragma once

#include <cstdint>
#include <string_view>

namespace s::str {

class DecimalText {
public:
    static std::int32_t toInt32(std::string_view text);
    static std::uint32_t toUInt32(std::string_view text);
    static std::int64_t toInt64(std::string_view text);

private:
    struct Scan {
        bool negative = false;
        std::uint64_t magnitude = 0;  // saturated at UINT64_MAX
    };
    static Scan scan(std::string_view text);
};

}  // namespace s::str
