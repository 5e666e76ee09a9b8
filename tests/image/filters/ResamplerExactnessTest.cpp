// The resampler's fast passes must give exactly the bytes of the plain
// 16.16 arithmetic: each pass is recomputed here pixel by pixel from the
// contribution table and compared with the resampler, in every form of the
// passes this processor has (plain, 128-bit, 256-bit), on noisy images whose
// widths leave every remainder of the four- and eight-pixel vector blocks.
#include <gtest/gtest.h>

#include <random>

#include "ImageFixtures.h"
#include "image/filters/scale/Contribution.h"
#include "image/filters/scale/Resampler.h"
#include "image/filters/scale/WidePasses.h"

namespace {

using namespace tarvex_test;
using s::image::filters::scale::Contribution;
using s::image::filters::scale::Kernel;
using s::image::filters::scale::Resampler;

// Pixels in memory order (row 0 = bottom), as the passes see them.
using Plane = std::vector<std::uint32_t>;

std::uint32_t blend(const Contribution& table, std::int32_t i, const Plane& plane, std::size_t base,
                    std::size_t step) {
    const std::int32_t first = table.first(i);
    const std::int32_t last = table.last(i);
    if (first == last) return plane[base + first * step];
    std::uint32_t out = 0;
    for (int c = 0; c < 4; ++c) {
        std::uint32_t sum = 0;
        for (std::int32_t k = 0; k <= last - first; ++k)
            sum += static_cast<std::uint32_t>(table.weights(i)[k]) *
                   (plane[base + (first + k) * step] >> (8 * c) & 0xFF);
        out |= ((sum + 0x8000) >> 16 & 0xFF) << (8 * c);
    }
    return out;
}

// Width pass then height pass, skipping a dimension that does not change.
Plane reference(const Plane& source, std::int32_t sw, std::int32_t sh, std::int32_t w,
                std::int32_t h, Kernel kernel) {
    const auto& weights = Resampler::defaultKernel(static_cast<std::int32_t>(kernel));
    Contribution table;
    Plane middle = source;
    if (w != sw) {
        EXPECT_TRUE(table.compute(weights, w, sw));
        middle.assign(static_cast<std::size_t>(w) * sh, 0);
        for (std::int32_t y = 0; y < sh; ++y)
            for (std::int32_t x = 0; x < w; ++x)
                middle[y * w + x] = blend(table, x, source, static_cast<std::size_t>(y) * sw, 1);
    }
    if (h == sh) return middle;
    EXPECT_TRUE(table.compute(weights, h, sh));
    Plane out(static_cast<std::size_t>(w) * h);
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) out[y * w + x] = blend(table, y, middle, x, w);
    return out;
}

// Runs the body once per form of the passes available here, then restores
// the widest.
template <class Body>
void forEachPassForm(Body body) {
    for (Resampler::Passes wanted :
         {Resampler::Passes::Plain, Resampler::Passes::Vector, Resampler::Passes::Wide}) {
        const Resampler::Passes used = Resampler::usePasses(wanted);
        if (used != wanted) continue;
        SCOPED_TRACE(testing::Message() << "pass form " << static_cast<int>(used));
        body();
    }
    Resampler::usePasses(Resampler::Passes::Wide);
}

TEST(ResamplerExactnessTest, FastPassesMatchThePlainArithmetic) {
    struct Case {
        std::int32_t sw, sh, w, h;
    };
    // Shrinks, enlargements, one axis alone, extreme ratios, widths of every
    // remainder modulo 4 and tables whose records copy a single pixel.
    const Case cases[] = {{37, 29, 9, 7},
                          {37, 29, 81, 63},
                          {64, 48, 17, 48},
                          {64, 48, 64, 13},
                          {50, 3, 1, 1},
                          {3, 50, 7, 1},
                          {41, 23, 42, 22},
                          {200, 9, 6, 30},
                          {13, 61, 13, 5},
                          {5, 5, 131, 2},
                          {77, 31, 24, 31},
                          {18, 18, 19, 18},
                          // Hundreds of taps per record, windows at the right
                          // edge, sources narrower than a four-tap group.
                          {601, 23, 7, 3},
                          {257, 250, 15, 2},
                          {3, 9, 2, 4},
                          {2, 31, 1, 9},
                          {99, 17, 49, 8},
                          {16, 301, 9, 5}};
    std::mt19937 random(2024);
    for (const Case& c : cases) {
        Pixels pixels(static_cast<std::size_t>(c.sw) * c.sh);
        for (auto& p : pixels) p = static_cast<std::uint32_t>(random());
        auto source = makeImage(c.sw, c.sh, pixels, true);
        // The fixture lists rows top-down; the passes start at the bottom row.
        Plane bottomUp(pixels.size());
        for (std::int32_t y = 0; y < c.sh; ++y)
            for (std::int32_t x = 0; x < c.sw; ++x)
                bottomUp[y * c.sw + x] = pixels[(c.sh - 1 - y) * c.sw + x];
        for (std::int32_t kind = 1; kind <= 5; ++kind) {
            SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.w << "x" << c.h
                                            << " kernel " << kind);
            const Kernel kernel = static_cast<Kernel>(kind);
            const Plane expected = reference(bottomUp, c.sw, c.sh, c.w, c.h, kernel);
            forEachPassForm([&] {
                auto result = Resampler::resample(kernel, *source, c.w, c.h);
                ASSERT_TRUE(result);
                const Pixels actual = pixelsOf(*result);
                Plane actualBottomUp(actual.size());
                for (std::int32_t y = 0; y < c.h; ++y)
                    for (std::int32_t x = 0; x < c.w; ++x)
                        actualBottomUp[y * c.w + x] = actual[(c.h - 1 - y) * c.w + x];
                EXPECT_EQ(actualBottomUp, expected);
            });
        }
    }
}

// The remembered tables must follow every change of size or kernel: the
// same call after others gives the same bytes as the first time.
TEST(ResamplerExactnessTest, RememberedTablesFollowSizeAndKernel) {
    Pixels pixels(31 * 17);
    std::mt19937 random(7);
    for (auto& p : pixels) p = static_cast<std::uint32_t>(random());
    auto source = makeImage(31, 17, pixels, true);
    const Pixels first = pixelsOf(*Resampler::resample(Kernel::Bilinear, *source, 12, 9));
    for (std::int32_t kind = 1; kind <= 5; ++kind) {
        ASSERT_TRUE(Resampler::resample(static_cast<Kernel>(kind), *source, 12, 9));
        ASSERT_TRUE(Resampler::resample(static_cast<Kernel>(kind), *source, 9, 12));
    }
    EXPECT_EQ(pixelsOf(*Resampler::resample(Kernel::Bilinear, *source, 12, 9)), first);
}

}  // namespace

namespace {

using s::image::filters::scale::WidePasses;
using s::image::filters::scale::WideTable;

// The 256-bit form takes shrinking tables (every weight below 2^15) and
// keeps each padded window inside the line; tables with larger weights are
// left to the other forms.
TEST(ResamplerExactnessTest, WideTablesStayInsideTheSourceOrAreRefused) {
    const auto& bilinear = Resampler::defaultKernel(1);
    struct Case {
        std::int32_t source, dest;
        bool accepted;
    };
    // 7 -> 2 and 3 -> 1: the padded window would be wider than the line.
    // 10 -> 37: enlarging puts weights near 65536 on single taps.
    const Case cases[] = {
        {601, 7, true}, {40, 13, true}, {7, 2, false}, {3, 1, false}, {10, 37, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.source << " -> " << c.dest);
        Contribution table;
        ASSERT_TRUE(table.compute(bilinear, c.dest, c.source));
        WideTable wide;
        ASSERT_EQ(WidePasses::packHorizontal(table, c.source, wide), c.accepted);
        if (!c.accepted) continue;
        for (std::int32_t i = 0; i < c.dest; ++i) {
            const std::int32_t taps = wide.groups[i] == 0 ? 1 : 4 * wide.groups[i];
            EXPECT_GE(wide.first[i], 0);
            EXPECT_LE(wide.first[i] + taps, c.source);
            EXPECT_LE(wide.first[i], table.first(i));
            EXPECT_GE(wide.first[i] + taps - 1, table.last(i));
        }
    }
}

}  // namespace
