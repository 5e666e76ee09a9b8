// Deterministic photo-like test pixels for the benchmarks and the corpus of
// compare.sh: smooth gradients, hard-edged shapes and per-pixel noise, so
// codecs and resamplers see the kind of content real photographs give them
// (flat colour would flatter both). The same seed always gives the same
// bytes, whatever the machine.
#pragma once

#include <cstdint>

#include "image/BufferedImage.h"

namespace tarvex::bench {

// One row (y from the top) of a w x h picture as BGRA bytes. With alpha the
// picture fades from opaque to transparent and holds a fully transparent
// disc; without it every alpha byte is 255.
void photoLikeRow(std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t seed, bool alpha,
                  std::uint8_t* bgra);

// The same picture in a pixel image of that size (hasAlpha as given).
// False when memory cannot be had.
bool fillPhotoLike(s::image::win::BufferedImage& image, std::int32_t w, std::int32_t h,
                   std::uint32_t seed, bool alpha);

}  // namespace tarvex::bench
