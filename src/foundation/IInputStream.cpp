#include "foundation/IInputStream.h"

#include <cstdint>

namespace s::io {

bool IInputStream::readFully(void* buffer, std::size_t size) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        std::size_t got = 0;
        if (!read(out + done, size - done, got) || got == 0) return false;
        done += got;
    }
    return true;
}

}  // namespace s::io
