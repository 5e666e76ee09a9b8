// Pixel blocks: zero-filled when asked, aligned for vector loads, writable
// to their last byte, on both sides of the size where blocks come from the
// kernel instead of the heap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "image/PixelAllocator.h"

namespace {

using s::image::win::PixelAllocator;

TEST(PixelAllocator, BlocksAreZeroAlignedAndWholeOnBothSidesOfTheMappedSize) {
    const std::size_t sizes[] = {4, 4096 + 12, PixelAllocator::kMappedThreshold - 4,
                                 PixelAllocator::kMappedThreshold,
                                 PixelAllocator::kMappedThreshold * 3 + 4 * 1234};
    for (std::size_t bytes : sizes) {
        SCOPED_TRACE(bytes);
        std::uint8_t* block = PixelAllocator::allocateZeroed(bytes);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 64, 0u);
        EXPECT_TRUE(std::all_of(block, block + bytes, [](std::uint8_t b) { return b == 0; }));
        std::fill(block, block + bytes, std::uint8_t{0xA5});
        PixelAllocator::release(block, bytes);

        // A reused heap block may hold old bytes; it must still be whole.
        std::uint8_t* uncleared = PixelAllocator::allocateUncleared(bytes);
        ASSERT_NE(uncleared, nullptr);
        std::fill(uncleared, uncleared + bytes, std::uint8_t{0x5A});
        EXPECT_EQ(uncleared[bytes - 1], 0x5A);
        PixelAllocator::release(uncleared, bytes);
    }
    EXPECT_EQ(PixelAllocator::allocateZeroed(0), nullptr);
    PixelAllocator::release(nullptr, 16);
}

}  // namespace
