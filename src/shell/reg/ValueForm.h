// s::reg::ValueForm -- the stored forms of settings values.
//
// Integers up to 32 bits and booleans are REG_DWORD (4 bytes, little-endian;
// signed kinds sign-extended); 64-bit integers and doubles are 8 bytes and
// floats 4 bytes of REG_BINARY; strings are UTF-16LE with a terminating NUL.
// Reading checks the data's size, not its type: a 4-byte value of any type
// reads as a DWORD, any other size does not.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "shell/reg/RegValue.h"

namespace s::reg {

class ValueForm {
public:
    static RegValue dword(std::uint32_t value);
    static RegValue binary64(std::uint64_t value);
    static RegValue binary32(std::uint32_t value);
    static RegValue bytes(std::span<const std::uint8_t> data);
    // type is REG_SZ or REG_EXPAND_SZ.
    static RegValue text(std::string_view utf8, std::uint32_t type);

    // The data as a little-endian number, when it has exactly that many bytes.
    static std::optional<std::uint32_t> as32(const RegValue& value);
    static std::optional<std::uint64_t> as64(const RegValue& value);
    // UTF-16LE data up to its first NUL (an odd final byte is ignored).
    static std::string asText(const RegValue& value);
};

}  // namespace s::reg
