#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "ImageFixtures.h"
#include "image/filters/scale/Resampler.h"

namespace {

using namespace tarvex_test;
using s::image::filters::scale::Kernel;
using s::image::filters::scale::Resampler;

Pixels resampled(const BufferedImage& source, std::int32_t w, std::int32_t h,
                 Kernel kernel = Kernel::Bilinear) {
    auto result = Resampler::resample(kernel, source, w, h);
    EXPECT_TRUE(result);
    if (!result) return {};
    EXPECT_EQ(result->getWidth(), w);
    EXPECT_EQ(result->getHeight(), h);
    return pixelsOf(*result);
}

// Bilinear 2 x 2 -> 4 x 4. Without a half-pixel offset each pass gives
// [p0, mix(p0, p1), p1, p1]; the vertical pass counts from the bottom row,
// so the top logical row is the one repeated.
TEST(ResamplerTest, EnlargesBothWaysFromTheBottomLeftCorner) {
    auto source = makeImage(2, 2,
                            {argb(255, 200, 10, 0), argb(255, 101, 21, 255),  //
                             argb(255, 0, 100, 7), argb(255, 51, 201, 8)});
    const Pixels expected = {
        argb(255, 200, 10, 0),   argb(255, 151, 16, 128), argb(255, 101, 21, 255),
        argb(255, 101, 21, 255), argb(255, 200, 10, 0),   argb(255, 151, 16, 128),
        argb(255, 101, 21, 255), argb(255, 101, 21, 255), argb(255, 100, 55, 4),
        argb(255, 89, 84, 68),   argb(255, 76, 111, 132), argb(255, 76, 111, 132),
        argb(255, 0, 100, 7),    argb(255, 26, 151, 8),   argb(255, 51, 201, 8),
        argb(255, 51, 201, 8),
    };
    EXPECT_EQ(resampled(*source, 4, 4), expected);
}

// Bilinear 4 -> 2 along one axis with the weights {43690, 21845} and
// {16384, 32768, 16384}; vertically the first record is the bottom row.
TEST(ResamplerTest, ShrinksEachAxisAlone) {
    const Pixels line = {argb(255, 0, 0, 0), argb(255, 30, 30, 30), argb(255, 60, 60, 60),
                         argb(255, 90, 90, 90)};
    auto row = makeImage(4, 1, line);
    EXPECT_EQ(resampled(*row, 2, 1), (Pixels{argb(255, 10, 10, 10), argb(255, 60, 60, 60)}));
    auto column = makeImage(1, 4, line);
    EXPECT_EQ(resampled(*column, 1, 2), (Pixels{argb(255, 30, 30, 30), argb(255, 80, 80, 80)}));
}

TEST(ResamplerTest, TransparentNextToOpaqueGivesHalfAlphaAndMixedColour) {
    auto source = makeImage(2, 1, {argb(0, 0, 100, 200), argb(255, 250, 50, 0)}, true);
    auto result = Resampler::resample(Kernel::Bilinear, *source, 4, 1);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->hasAlpha());
    EXPECT_EQ(pixelsOf(*result), (Pixels{argb(0, 0, 100, 200), argb(128, 125, 75, 100),
                                         argb(255, 250, 50, 0), argb(255, 250, 50, 0)}));
}

TEST(ResamplerTest, ConstantImageStaysConstant) {
    const std::uint32_t colour = argb(255, 255, 7, 128);
    const std::int32_t sizes[][2] = {{1, 1}, {2, 1}, {1, 3},   {3, 2},   {6, 5},
                                     {7, 5}, {9, 4}, {13, 11}, {23, 17}, {40, 31}};
    auto source = makeFilled(7, 5, colour, true);
    for (std::int32_t kind = 1; kind <= 5; ++kind) {
        for (const auto& size : sizes) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << " " << size[0] << "x" << size[1]);
            EXPECT_EQ(resampled(*source, size[0], size[1], static_cast<Kernel>(kind)),
                      Pixels(static_cast<std::size_t>(size[0]) * size[1], colour));
        }
    }
}

TEST(ResamplerTest, SameSizeIsAnExactCopyWithAlphaFlag) {
    const Pixels pixels = {argb(0, 1, 2, 3),      argb(17, 4, 5, 6),   argb(255, 7, 8, 9),
                           argb(200, 10, 11, 12), argb(1, 13, 14, 15), argb(99, 16, 17, 18)};
    for (bool hasAlpha : {false, true}) {
        auto source = makeImage(3, 2, pixels, hasAlpha);
        auto result = Resampler::resample(Kernel::Gaussian, *source, 3, 2);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->hasAlpha(), hasAlpha);
        EXPECT_EQ(pixelsOf(*result), pixels);
    }
}

// A destination whose capacity exceeds the new size has a wider row stride;
// the result must not depend on it, and a smaller second size reuses it.
TEST(ResamplerTest, ReusedDestinationGivesTheSameBytes) {
    Pixels pixels;
    for (std::uint32_t i = 0; i < 5 * 4; ++i)
        pixels.push_back(argb(255, i * 12, 255 - i * 9, i * 5));
    auto source = makeImage(5, 4, pixels);
    const std::int32_t sizes[][2] = {{3, 7}, {5, 2}, {9, 4}, {2, 3}};
    auto destination = BufferedImage::createImage(17, 13);
    ASSERT_TRUE(destination);
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1]);
        ASSERT_TRUE(Resampler::resample(Kernel::Hamming, *source, size[0], size[1], *destination));
        EXPECT_GE(destination->getCapacityWidth(), 17);
        EXPECT_EQ(pixelsOf(*destination), resampled(*source, size[0], size[1], Kernel::Hamming));
    }
}

TEST(ResamplerTest, RefusesWhatItCannotDo) {
    auto source = makeFilled(4, 4, argb(255, 1, 2, 3));
    auto destination = BufferedImage::take();
    auto empty = BufferedImage::take();
    EXPECT_FALSE(Resampler::resample(Kernel::Bilinear, *source, 4, 3, *source));
    EXPECT_FALSE(Resampler::resample(Kernel::Bilinear, *empty, 4, 3, *destination));
    EXPECT_FALSE(Resampler::resample(Kernel::Bilinear, *source, 0, 3, *destination));
    EXPECT_FALSE(Resampler::resample(Kernel::Bilinear, *source, 70000, 1, *destination));
    // The intermediate image (65535 x 20000) would exceed the pixel bound.
    auto tall = makeFilled(1, 20000, argb(255, 1, 2, 3));
    EXPECT_FALSE(Resampler::resample(Kernel::Bilinear, *tall, 65535, 1, *destination));
}

TEST(ResamplerTest, ConcurrentCallsGiveTheSerialResults) {
    Pixels pixels;
    for (std::uint32_t i = 0; i < 31 * 17; ++i)
        pixels.push_back(argb(255, i % 251, i * 7 % 256, i % 13));
    auto source = makeImage(31, 17, pixels);
    const std::int32_t sizes[][2] = {{10, 40}, {64, 5}, {3, 3}, {47, 29}};
    std::vector<Pixels> expected;
    for (const auto& size : sizes) expected.push_back(resampled(*source, size[0], size[1]));
    std::vector<std::vector<bool>> same(4);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 20; ++round) {
                const auto& size = sizes[(t + round) % 4];
                auto result = Resampler::resample(Kernel::Bilinear, *source, size[0], size[1]);
                same[t].push_back(result && pixelsOf(*result) == expected[(t + round) % 4]);
            }
        });
    }
    for (auto& thread : threads) thread.join();
    for (const auto& results : same)
        for (bool ok : results) EXPECT_TRUE(ok);
}

}  // namespace
