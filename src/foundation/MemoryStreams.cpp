#include "foundation/MemoryStreams.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

namespace s::io {

bool MemoryInputStream::read(void* buffer, std::size_t size, std::size_t& outCount) {
    outCount = 0;
    // The position may have been moved anywhere by seek(); only the part of
    // the block at or after it, and never beyond its end, is ever touched.
    if (position_ >= size_) return false;
    const std::size_t available = size_ - static_cast<std::size_t>(position_);
    const std::size_t count = std::min(size, available);
    if (count == 0) return true;
    std::memcpy(buffer, data_ + position_, count);
    position_ += count;
    outCount = count;
    return true;
}

bool MemoryOutputStream::write(const void* buffer, std::size_t size, std::size_t& outCount) {
    outCount = 0;
    if (size == 0) return true;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    try {
        bytes_.insert(bytes_.end(), bytes, bytes + size);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    outCount = size;
    return true;
}

}  // namespace s::io
