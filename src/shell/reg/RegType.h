// s::reg::RegType -- the value types of the settings registry, numbered as
// the registry's stored forms are numbered everywhere they are exchanged.
#pragma once

#include <cstdint>

namespace s::reg {

enum RegType : std::uint32_t {
    REG_NONE = 0,
    REG_SZ = 1,         // UTF-16LE text with its terminating NUL
    REG_EXPAND_SZ = 2,  // the same, with %VARIABLE% references to expand
    REG_BINARY = 3,     // raw bytes
    REG_DWORD = 4,      // 4 bytes, little-endian
    REG_MULTI_SZ = 7,
    REG_QWORD = 11,  // 8 bytes, little-endian
};

}  // namespace s::reg
