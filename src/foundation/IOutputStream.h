// s::io::IOutputStream -- a writable byte sink. Failures are reported by the
// write, flush or close that meets them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace s::io {

class IOutputStream {
public:
    virtual ~IOutputStream() = default;
    virtual bool write(const void* buffer, std::size_t size, std::size_t& outCount) = 0;
    virtual bool flush() = 0;
    virtual bool flushAndTruncate() = 0;
    // Flushes and closes; false when anything written could not be stored.
    virtual bool close() = 0;
    virtual std::uint64_t position() const = 0;

    bool writeAll(const void* buffer, std::size_t size) {
        std::size_t written = 0;
        return write(buffer, size, written) && written == size;
    }
};

}  // namespace s::io
