// s::image::bmp::RleDecoder -- expands run-length coded BMP pixel data
// (RLE8 for 8-bit, RLE4 for 4-bit images) into uncompressed rows.
//
// The coded data is untrusted: every pixel position is checked before it is
// written, so runs that pass the end of a row are clipped, deltas and
// end-of-line codes that leave the image end the decoding, and a stream
// that stops early simply leaves the rest of the rows at index 0. Work is
// bounded by the size of the coded data.
#pragma once

#include <cstddef>
#include <cstdint>

namespace s::image::bmp {

class RleDecoder {
public:
    // target holds height rows of stride bytes, bottom row first (the order
    // of the coded data), zeroed by the caller. bitCount is 8 or 4.
    RleDecoder(std::uint8_t* target, std::int32_t width, std::int32_t height, std::int32_t stride,
               std::int32_t bitCount)
        : target_(target), width_(width), height_(height), stride_(stride), bitCount_(bitCount) {}

    // Decodes until the end-of-bitmap code, the end of the data or the top
    // of the image.
    void decode(const std::uint8_t* data, std::size_t size);

private:
    void put(std::uint8_t index);
    // An absolute run of `count` pixels; returns the bytes it occupies
    // (padded to a 16-bit boundary), or 0 when the data ends inside it.
    std::size_t absolute(const std::uint8_t* data, std::size_t available, std::int32_t count);
    void encoded(std::int32_t count, std::uint8_t value);

    std::uint8_t* target_;
    std::int32_t width_;
    std::int32_t height_;
    std::int32_t stride_;
    std::int32_t bitCount_;
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;
};

}  // namespace s::image::bmp
