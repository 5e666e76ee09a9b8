// s::reg::RegValue -- one stored value: its type and its data bytes, as read
// from or written to the registry. Data read back is untrusted: readers
// check its size (see ValueForm) before they interpret it.
#pragma once

#include <cstdint>
#include <vector>

namespace s::reg {

struct RegValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

}  // namespace s::reg
