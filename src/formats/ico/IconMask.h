// s::image::ico::IconMask -- the 1-bit AND mask of a header-less icon
// bitmap: one bit per pixel, a set bit meaning transparent, the first pixel
// of a byte in its most significant bit, rows padded to 4 bytes and stored
// bottom row first. Every access stays inside the mask's own bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/BufferedImage.h"

namespace s::image::ico {

class IconMask {
public:
    static std::int32_t strideFor(std::int32_t width) { return ((width + 31) >> 3) & ~3; }

    // A zeroed mask for width x height pixels; false (mask empty) when
    // memory cannot be had.
    bool allocate(std::int32_t width, std::int32_t height);
    void clear();
    bool empty() const { return bits_.empty(); }

    // Fills the mask from up to `available` stored bytes; rows the data does
    // not reach stay zero (opaque).
    void read(const std::uint8_t* data, std::size_t available);

    // Sets exactly the bits of the pixels whose alpha is 0 when the image's
    // alpha means anything, and clears the whole mask otherwise. The image
    // must have the mask's size.
    void fromAlpha(const s::image::win::BufferedImage& image);
    // Alpha 0 where a bit is set and 255 elsewhere; true when any bit is set.
    bool applyTo(s::image::win::BufferedImage& image) const;

    bool isSet(std::int32_t x, std::int32_t y) const;
    // Row y, 0 = top.
    std::uint8_t* getRow(std::int32_t y);
    const std::uint8_t* getRow(std::int32_t y) const;
    std::uint8_t* data() { return bits_.empty() ? nullptr : bits_.data(); }
    const std::vector<std::uint8_t>& bytes() const { return bits_; }
    std::int32_t getStride() const { return stride_; }

private:
    std::vector<std::uint8_t> bits_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t stride_ = 0;
};

}  // namespace s::image::ico
