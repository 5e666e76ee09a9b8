// Small images written out pixel by pixel for the filter tests. Pixels are
// 0xAARRGGBB values listed row by row from the top logical row.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/BufferedImage.h"

namespace tarvex_test {

using s::image::win::BufferedImage;
using Pixels = std::vector<std::uint32_t>;

inline constexpr std::uint32_t argb(std::uint32_t a, std::uint32_t r, std::uint32_t g,
                                    std::uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

inline s::thread::Pooled<BufferedImage> makeImage(std::int32_t w, std::int32_t h,
                                                  const Pixels& pixels, bool hasAlpha = false) {
    auto image = BufferedImage::createImage(w, h);
    EXPECT_TRUE(image);
    EXPECT_EQ(pixels.size(), static_cast<std::size_t>(w) * h);
    if (!image) return image;
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x)
            image->getPixelRow(y)[x] = pixels[static_cast<std::size_t>(y) * w + x];
    image->setAlpha(hasAlpha);
    return image;
}

inline s::thread::Pooled<BufferedImage> makeFilled(std::int32_t w, std::int32_t h,
                                                   std::uint32_t pixel, bool hasAlpha = false) {
    return makeImage(w, h, Pixels(static_cast<std::size_t>(w) * h, pixel), hasAlpha);
}

inline Pixels pixelsOf(const BufferedImage& image) {
    Pixels out;
    for (std::int32_t y = 0; y < image.getHeight(); ++y)
        for (std::int32_t x = 0; x < image.getWidth(); ++x) out.push_back(image.getPixelRow(y)[x]);
    return out;
}

}  // namespace tarvex_test
