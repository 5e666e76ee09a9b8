#include <gtest/gtest.h>

#include "ImageFixtures.h"
#include "image/filters/scale/Resampler.h"
#include "image/filters/scale/ScaleFilter.h"

namespace {

using namespace tarvex_test;
using s::image::filters::scale::Kernel;
using s::image::filters::scale::Resampler;
using s::image::filters::scale::ScaleFilter;

s::thread::Pooled<ScaleFilter> makeFilter(std::int32_t width, std::int32_t height,
                                          bool inPixels = true, bool keepRatio = false) {
    auto filter = ScaleFilter::take();
    EXPECT_TRUE(filter);
    filter->width = width;
    filter->height = height;
    filter->widthInPixels = filter->heightInPixels = inPixels;
    filter->keepRatio = keepRatio;
    filter->kernel = 1;
    return filter;
}

TEST(ScaleFilterTest, TargetSizes) {
    struct Case {
        bool inPixels, keepRatio;
        std::int32_t width, height, sourceWidth, sourceHeight, expectedWidth, expectedHeight;
    };
    const Case cases[] = {
        {false, false, 50, 50, 3, 3, 1, 1},         // 1.5 truncates to 1
        {false, false, 10, 10, 3, 3, 1, 1},         // 0 is raised to 1
        {false, false, 150, 25, 101, 9, 151, 2},    // percent of each side, truncated
        {true, true, 100, 100, 400, 200, 100, 50},  // fits inside, keeping the ratio
        {true, true, 100, 100, 200, 400, 50, 100},
        {true, true, 300, 30, 120, 40, 90, 30},
        {true, false, 100, 100, 400, 200, 100, 100},
        {true, false, 0, -5, 400, 200, 1, 1},
        {true, true, 1, 1, 5000, 3, 1, 1},                        // the short side would be 0
        {false, false, 2000000000, 100, 65535, 9, INT32_MAX, 9},  // no overflow
    };
    for (const Case& c : cases) {
        auto filter = makeFilter(c.width, c.height, c.inPixels, c.keepRatio);
        std::int32_t tw = 0, th = 0;
        filter->targetSize(c.sourceWidth, c.sourceHeight, tw, th);
        EXPECT_EQ(tw, c.expectedWidth) << c.width << "x" << c.height << " of " << c.sourceWidth;
        EXPECT_EQ(th, c.expectedHeight) << c.width << "x" << c.height << " of " << c.sourceWidth;
    }
}

TEST(ScaleFilterTest, ApplyResamplesIntoAGivenOrNewOutput) {
    Pixels pixels;
    for (std::uint32_t i = 0; i < 6 * 4; ++i) pixels.push_back(argb(255, i * 10, 3, 255 - i));
    auto source = makeImage(6, 4, pixels);
    auto expected = Resampler::resample(Kernel::Bilinear, *source, 3, 2);
    ASSERT_TRUE(expected);

    auto filter = makeFilter(50, 50, false);
    s::thread::Pooled<BufferedImage> created;
    BufferedImage* result = filter->apply(*source, nullptr, created);
    ASSERT_TRUE(result);
    EXPECT_EQ(result, created.get());
    EXPECT_EQ(pixelsOf(*result), pixelsOf(*expected));
    EXPECT_EQ(filter->sourceWidth, 6);
    EXPECT_EQ(filter->sourceHeight, 4);
    EXPECT_EQ(filter->resultWidth, 3);
    EXPECT_EQ(filter->resultHeight, 2);

    auto output = BufferedImage::createImage(9, 9);
    s::thread::Pooled<BufferedImage> unused;
    result = filter->apply(*source, output.get(), unused);
    EXPECT_EQ(result, output.get());
    EXPECT_FALSE(unused);
    EXPECT_EQ(pixelsOf(*output), pixelsOf(*expected));
}

TEST(ScaleFilterTest, UnknownKernelActsAsBilinear) {
    auto source = makeImage(3, 1, {argb(255, 0, 0, 0), argb(255, 90, 9, 200), argb(255, 30, 3, 1)});
    auto expected = Resampler::resample(Kernel::Bilinear, *source, 7, 2);
    auto filter = makeFilter(7, 2);
    filter->kernel = 0;
    s::thread::Pooled<BufferedImage> created;
    BufferedImage* result = filter->apply(*source, nullptr, created);
    ASSERT_TRUE(result && expected);
    EXPECT_EQ(pixelsOf(*result), pixelsOf(*expected));
}

// A limit that forbids the change gives an unchanged copy at the input size;
// one that allows it resamples.
TEST(ScaleFilterTest, LimitKeepsTheInputSize) {
    struct Case {
        std::int32_t limit, width, height;
        bool copied;
    };
    const Case cases[] = {
        {1, 8, 6, true}, {1, 5, 6, true}, {1, 2, 6, false}, {1, 2, 2, false},
        {2, 2, 2, true}, {2, 5, 3, true}, {2, 8, 2, false}, {0, 5, 3, true},
    };
    const Pixels pixels = {argb(255, 1, 2, 3),    argb(128, 4, 5, 6),    argb(0, 7, 8, 9),
                           argb(255, 10, 11, 12), argb(255, 13, 14, 15), argb(255, 16, 17, 18),
                           argb(255, 19, 20, 21), argb(255, 22, 23, 24), argb(255, 25, 26, 27),
                           argb(255, 28, 29, 30), argb(255, 31, 32, 33), argb(255, 34, 35, 36),
                           argb(255, 37, 38, 39), argb(255, 40, 41, 42), argb(255, 43, 44, 45)};
    auto source = makeImage(5, 3, pixels, true);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "limit " << c.limit << " " << c.width << "x" << c.height);
        auto filter = makeFilter(c.width, c.height);
        filter->limit = c.limit;
        s::thread::Pooled<BufferedImage> created;
        BufferedImage* result = filter->apply(*source, nullptr, created);
        ASSERT_TRUE(result);
        EXPECT_TRUE(result->hasAlpha());
        if (c.copied) {
            EXPECT_EQ(filter->resultWidth, 5);
            EXPECT_EQ(filter->resultHeight, 3);
            EXPECT_EQ(pixelsOf(*result), pixels);
        } else {
            EXPECT_EQ(filter->resultWidth, c.width);
            EXPECT_EQ(filter->resultHeight, c.height);
            EXPECT_EQ(result->getWidth(), c.width);
            EXPECT_EQ(result->getHeight(), c.height);
        }
    }
}

TEST(ScaleFilterTest, CentresOnATransparentWhiteCanvas) {
    const std::uint32_t red = argb(255, 255, 0, 0);
    const std::uint32_t blank = argb(0, 255, 255, 255);
    auto source = makeFilled(2, 2, red);
    auto filter = makeFilter(5, 3, true, true);  // fits as 3 x 3, placed at x = 1
    filter->centreOnCanvas = true;
    s::thread::Pooled<BufferedImage> created;
    BufferedImage* result = filter->apply(*source, nullptr, created);
    ASSERT_TRUE(result);
    EXPECT_EQ(filter->resultWidth, 5);
    EXPECT_EQ(filter->resultHeight, 3);
    EXPECT_TRUE(result->hasAlpha());
    const Pixels row = {blank, red, red, red, blank};
    Pixels expected;
    for (int y = 0; y < 3; ++y) expected.insert(expected.end(), row.begin(), row.end());
    EXPECT_EQ(pixelsOf(*result), expected);
}

// A percent target is measured on the source while the canvas is in pixels,
// so the scaled image can be larger than the canvas: it is cut, centred.
TEST(ScaleFilterTest, CanvasSmallerThanTheScaledImageCutsIt) {
    struct Case {
        std::int32_t sourceWidth, sourceHeight, percentWidth, percentHeight;
        std::int32_t scaledWidth, scaledHeight, offsetX, offsetY;
    };
    const Case cases[] = {
        {120, 2, 50, 100, 60, 2, -5, 49},  // canvas 50 x 100
        {3, 130, 100, 40, 3, 52, 48, -6},  // canvas 100 x 40
    };
    const std::uint32_t blank = argb(0, 255, 255, 255);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sourceWidth << "x" << c.sourceHeight);
        Pixels pixels;
        for (std::int32_t i = 0; i < c.sourceWidth * c.sourceHeight; ++i)
            pixels.push_back(argb(255, i % 256, (i / 3) % 256, 77));
        auto source = makeImage(c.sourceWidth, c.sourceHeight, pixels);
        auto scaled = Resampler::resample(Kernel::Bilinear, *source, c.scaledWidth, c.scaledHeight);
        ASSERT_TRUE(scaled);

        auto filter = makeFilter(c.percentWidth, c.percentHeight, false);
        filter->centreOnCanvas = true;
        s::thread::Pooled<BufferedImage> created;
        BufferedImage* canvas = filter->apply(*source, nullptr, created);
        ASSERT_TRUE(canvas);
        ASSERT_EQ(canvas->getWidth(), c.percentWidth);
        ASSERT_EQ(canvas->getHeight(), c.percentHeight);
        for (std::int32_t y = 0; y < canvas->getHeight(); ++y) {
            for (std::int32_t x = 0; x < canvas->getWidth(); ++x) {
                const std::int32_t sx = x - c.offsetX, sy = y - c.offsetY;
                const bool inside = sx >= 0 && sx < c.scaledWidth && sy >= 0 && sy < c.scaledHeight;
                const std::uint32_t expected = inside ? scaled->getPixelRow(sy)[sx] : blank;
                ASSERT_EQ(canvas->getPixelRow(y)[x], expected) << x << "," << y;
            }
        }
    }
}

}  // namespace
