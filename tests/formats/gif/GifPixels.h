// Pixels of decoded pictures as the eye sees them: every fully transparent
// pixel counts as 0 whatever its colour bytes, and an image without alpha
// counts as opaque.
#pragma once

#include <cstdint>
#include <vector>

#include "image/BufferedImage.h"
#include "image/BufferedImageSet.h"

namespace gif_test {

constexpr std::uint32_t kClear = 0;

inline std::uint32_t opaque(std::uint32_t rgb) {
    return 0xFF000000u | rgb;
}

// Top row first.
inline std::vector<std::uint32_t> visiblePixels(const s::image::win::BufferedImage& image) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < image.getHeight(); ++y) {
        const std::uint32_t* row = image.getPixelRow(y);
        for (int x = 0; x < image.getWidth(); ++x) {
            std::uint32_t p = image.hasAlpha() ? row[x] : (row[x] | 0xFF000000u);
            pixels.push_back((p >> 24) == 0 ? kClear : p);
        }
    }
    return pixels;
}

inline std::vector<std::vector<std::uint32_t>> visibleFrames(
    const s::image::win::BufferedImageSet& set) {
    std::vector<std::vector<std::uint32_t>> frames;
    for (int i = 0; i < set.getCount(); ++i) frames.push_back(visiblePixels(*set.getImage(i)));
    return frames;
}

}  // namespace gif_test
