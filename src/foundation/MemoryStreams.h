// In-memory streams: MemoryInputStream reads a borrowed byte block (used by
// codecs for embedded blocks and by the fuzz targets); MemoryOutputStream
// collects written bytes in a vector.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/IInputStream.h"
#include "foundation/IOutputStream.h"

namespace s::io {

class MemoryInputStream final : public IInputStream {
public:
    MemoryInputStream(const void* data, std::size_t size)
        : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}
    bool read(void* buffer, std::size_t size, std::size_t& outCount) override;
    void close() override {}
    std::uint64_t position() const override { return position_; }
    bool seek(std::uint64_t position) override {
        position_ = position;
        return true;
    }
    std::uint64_t size() const override { return size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::uint64_t position_ = 0;
};

class MemoryOutputStream final : public IOutputStream {
public:
    bool write(const void* buffer, std::size_t size, std::size_t& outCount) override;
    bool flush() override { return true; }
    bool flushAndTruncate() override { return true; }
    bool close() override { return true; }
    std::uint64_t position() const override { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace s::io
