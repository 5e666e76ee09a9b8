// Small images built from literal pixels, and a scriptable filter, for the
// image and image-set tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/BufferedImage.h"
#include "image/filters/IFilter.h"

namespace tarvex::test {

using s::image::win::BufferedImage;
using s::thread::Pooled;
using Pixels = std::vector<std::uint32_t>;

// A w x h image whose pixels are given top row first (0xAARRGGBB).
inline Pooled<BufferedImage> makeImage(std::int32_t w, std::int32_t h, const Pixels& pixels,
                                       bool hasAlpha = false) {
    Pooled<BufferedImage> image = BufferedImage::createImage(w, h);
    EXPECT_TRUE(image);
    EXPECT_EQ(pixels.size(), static_cast<std::size_t>(w) * h);
    if (!image) return image;
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) image->getPixelRow(y)[x] = pixels[y * w + x];
    }
    image->setAlpha(hasAlpha);
    return image;
}

// A w x h image filled with one pixel value.
inline Pooled<BufferedImage> solidImage(std::int32_t w, std::int32_t h, std::uint32_t pixel,
                                        bool hasAlpha = false) {
    return makeImage(w, h, Pixels(static_cast<std::size_t>(w) * h, pixel), hasAlpha);
}

// The logical pixels, top row first.
inline Pixels pixelsOf(const BufferedImage& image) {
    Pixels pixels;
    for (std::int32_t y = 0; y < image.getHeight(); ++y) {
        const std::uint32_t* row = image.getPixelRow(y);
        pixels.insert(pixels.end(), row, row + image.getWidth());
    }
    return pixels;
}

// A filter whose behaviour a test chooses. It does not live in a pool:
// release() only counts, so a test can hand it over in a handle and see
// whether the image gave it back.
class FakeFilter : public s::image::filters::IFilter {
public:
    enum class Mode { IntoOutput, Created, ReturnInput, Fail };
    static constexpr char kName[] = "FAKE";  // one object: names compare by address

    Mode mode = Mode::IntoOutput;
    std::int32_t resultWidth = 0;  // 0: the input's size
    std::int32_t resultHeight = 0;
    std::uint32_t delta = 0;  // added to every pixel
    int applied = 0;
    int released = 0;

    const char* getClassName() const override { return "tests_FakeFilter"; }
    const char* getName() const override { return kName; }
    bool isOwnedByImage() const override { return owned_; }
    void setOwnedByImage(bool owned) override { owned_ = owned; }
    void release() override { ++released; }
    void reset() override {}

    BufferedImage* apply(BufferedImage& input, BufferedImage* output,
                         Pooled<BufferedImage>& created) override {
        ++applied;
        if (mode == Mode::Fail) return nullptr;
        if (mode == Mode::ReturnInput) return &input;
        if (mode == Mode::Created) {
            created = BufferedImage::take();
            output = created.get();
        }
        const std::int32_t w = resultWidth ? resultWidth : input.getWidth();
        const std::int32_t h = resultHeight ? resultHeight : input.getHeight();
        output->setSize(0, 0);
        if (!output->reserve(w, h)) return nullptr;
        output->setSize(w, h);
        for (std::int32_t y = 0; y < h; ++y) {
            for (std::int32_t x = 0; x < w; ++x) {
                output->getPixelRow(y)[x] =
                    input.getPixelRow(y % input.getHeight())[x % input.getWidth()] + delta;
            }
        }
        output->setAlpha(input.hasAlpha());
        return output;
    }

private:
    bool owned_ = true;
};

}  // namespace tarvex::test
