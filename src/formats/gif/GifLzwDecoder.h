// s::image::gif::win::GifLzwDecoder -- the LZW decompressor of GIF image data.
//
// Turns one frame's image data (its sub-block payloads joined together) into
// palette indices, restoring the interlaced row order. Its tables live on the
// stack of the call.
//
// Damaged data is decoded as far as it goes and never leads outside a
// buffer: codes are read only from the data's own bytes (the 4 spare bytes
// after them merely let a code be fetched with one 32-bit load); the frame
// stops at the end code, at the end of the data, at a code that is not yet
// defined, or when every pixel is written -- extra pixels are dropped. A
// missing leading clear code is accepted. Once the table holds 4096 strings
// it stays as it is until the next clear code, as GIF decoders agree.
#pragma once

#include <cstddef>
#include <cstdint>

namespace s::image::gif::win {

class GifLzwDecoder {
public:
    static constexpr std::size_t kSpareBytes = 4;
    static constexpr std::int32_t kMaxCodeWidth = 12;
    static constexpr std::int32_t kTableLimit = 1 << kMaxCodeWidth;

    // Decodes `size` bytes of `data` (followed by at least kSpareBytes
    // readable bytes) into `destination`: height rows, top row first, rows
    // `stride` bytes apart, width pixels each. minCodeSize must be 1 to 11,
    // otherwise nothing is written. Returns the number of pixels written;
    // pixels not reached keep what they held.
    static std::int64_t decompress(const std::uint8_t* data, std::size_t size,
                                   std::uint8_t* destination, std::int32_t minCodeSize,
                                   std::ptrdiff_t stride, std::int32_t width, std::int32_t height,
                                   bool interlaced);
};

}  // namespace s::image::gif::win
