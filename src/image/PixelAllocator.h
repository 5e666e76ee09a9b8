// s::image::win::PixelAllocator -- the memory under every pixel image.
//
// Blocks are 64-byte aligned and zero-filled. Large blocks (several
// megabytes: decoded photos, resampled outputs, scratch planes) come straight
// from the kernel, 2 MiB-aligned and marked for transparent huge pages on
// Linux: fresh kernel pages are already zero, so no byte is written twice,
// and one fault maps 2 MiB instead of 4 KiB. Small blocks come from the heap
// and are cleared, unless the caller is about to overwrite every byte. A
// block is released with the size it was allocated with.
#pragma once

#include <cstddef>
#include <cstdint>

namespace s::image::win {

class PixelAllocator {
public:
    // Blocks of at least this many bytes are mapped from the kernel.
    static constexpr std::size_t kMappedThreshold = std::size_t{4} << 20;

    // A zero-filled block of `bytes` (at least 1), or null when memory
    // cannot be had.
    static std::uint8_t* allocateZeroed(std::size_t bytes) noexcept;
    // The same for a caller that writes every byte before reading any: the
    // content is unspecified (zero for mapped blocks).
    static std::uint8_t* allocateUncleared(std::size_t bytes) noexcept;
    // Gives back a block from either allocation; null is ignored.
    static void release(std::uint8_t* block, std::size_t bytes) noexcept;

private:
    static std::uint8_t* allocate(std::size_t bytes, bool zeroed) noexcept;
};

}  // namespace s::image::win
