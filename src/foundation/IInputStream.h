// s::io::IInputStream -- a readable, seekable byte source (a file or a block
// of memory). Readers of untrusted files use size() to check every offset
// before they trust it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace s::io {

class IInputStream {
public:
    virtual ~IInputStream() = default;
    // Reads up to size bytes; false with outCount 0 at end of data or on error.
    virtual bool read(void* buffer, std::size_t size, std::size_t& outCount) = 0;
    virtual void close() = 0;
    // Position from the start of the data.
    virtual std::uint64_t position() const = 0;
    // Moves to an absolute position (may be past the end: later reads fail).
    virtual bool seek(std::uint64_t position) = 0;
    // Total size of the data, or UINT64_MAX when unknown.
    virtual std::uint64_t size() const = 0;

    bool skip(std::uint64_t count) { return seek(position() + count); }
    // Reads exactly size bytes, looping over short reads; false when fewer were available.
    bool readFully(void* buffer, std::size_t size);
    std::uint64_t remaining() const {
        const std::uint64_t total = size(), at = position();
        return at < total ? total - at : 0;
    }
};

}  // namespace s::io
