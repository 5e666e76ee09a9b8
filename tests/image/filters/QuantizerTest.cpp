#include <gtest/gtest.h>

#include <vector>

#include "ImageFixtures.h"
#include "image/filters/reduction/Quantizer.h"

namespace {

using namespace tarvex_test;
using s::image::filters::reduction::Quantizer;

constexpr std::uint32_t opaque(std::uint32_t rgb) {
    return 0xFF000000u | rgb;
}

std::vector<std::uint8_t> mapImage(const Quantizer& quantizer, const BufferedImage& image) {
    std::vector<std::uint8_t> indices;
    for (std::int32_t y = 0; y < image.getHeight(); ++y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(image.getWidth()));
        quantizer.mapRow(image.getRow(y), image.getWidth(), row.data(), 8);
        indices.insert(indices.end(), row.begin(), row.end());
    }
    return indices;
}

std::vector<std::uint32_t> paletteOf(const Quantizer& quantizer) {
    return {quantizer.getPalette(), quantizer.getPalette() + 256};
}

// Colours in tree order: the order of their interleaved red, green and blue
// bits, most significant first.
const std::uint32_t kTreeOrder[] = {0x000000, 0x000001, 0x400000, 0x000080, 0x008000,
                                    0x0080FF, 0x800000, 0x808000, 0xFFFFFE, 0xFFFFFF};

TEST(QuantizerTest, FewColoursAreKeptExactlyInTreeOrder) {
    const Pixels pixels = {opaque(0xFFFFFF), opaque(0x800000), opaque(0x000001), opaque(0x0080FF),
                           opaque(0x808000), opaque(0x400000), opaque(0xFFFFFE), opaque(0x000000),
                           opaque(0x008000), opaque(0x000080), opaque(0x800000), opaque(0x000001)};
    auto image = makeImage(4, 3, pixels);
    auto quantizer = Quantizer::take();
    ASSERT_TRUE(quantizer->build(*image, 256));
    EXPECT_EQ(quantizer->getColourCount(), 256);
    std::vector<std::uint32_t> expected(256, 0);
    std::copy(std::begin(kTreeOrder), std::end(kTreeOrder), expected.begin());
    EXPECT_EQ(paletteOf(*quantizer), expected);

    const std::vector<std::uint8_t> indices = mapImage(*quantizer, *image);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        EXPECT_EQ(opaque(quantizer->getPalette()[indices[i]]), pixels[i]) << i;
}

// Ten pairs of colours that differ only in the lowest blue bit, inserted pair
// by pair with a limit of 16 leaves: from the ninth pair on, each new branch
// and then the most recent full branch of the deepest level are merged.
TEST(QuantizerTest, ReducesTheDeepestMostRecentBranchesFirst) {
    Pixels pixels;
    for (std::uint32_t k = 1; k <= 10; ++k) {
        pixels.push_back(opaque(16 * k << 16));
        pixels.push_back(opaque(16 * k << 16 | 1));
    }
    auto image = makeImage(20, 1, pixels);
    auto quantizer = Quantizer::take();
    ASSERT_TRUE(quantizer->build(*image, 16));
    std::vector<std::uint32_t> expected(256, 0);
    std::size_t n = 0;
    for (std::uint32_t k = 1; k <= 10; ++k) {
        expected[n++] = 16 * k << 16;
        if (k <= 6) expected[n++] = 16 * k << 16 | 1;  // pairs 7 to 10 merge to their lower colour
    }
    EXPECT_EQ(n, 16u);
    EXPECT_EQ(paletteOf(*quantizer), expected);
    EXPECT_EQ(quantizer->getFilledCount(), 16);
}

TEST(QuantizerTest, ManyColoursNeverExceedTheLimit) {
    Pixels pixels;
    for (std::uint32_t i = 0; i < 64 * 64; ++i)
        pixels.push_back(opaque(i * 2654435761u & 0xFFFFFF));
    auto image = makeImage(64, 64, pixels);
    auto quantizer = Quantizer::take();
    for (std::int32_t colours : {16, 100, 255}) {
        SCOPED_TRACE(colours);
        ASSERT_TRUE(quantizer->build(*image, colours));
        EXPECT_LE(quantizer->getFilledCount(), colours);
        EXPECT_GT(quantizer->getFilledCount(), colours / 2);
        for (std::size_t i = static_cast<std::size_t>(quantizer->getFilledCount()); i < 256; ++i)
            ASSERT_EQ(quantizer->getPalette()[i], 0u) << i;
        for (std::uint8_t index : mapImage(*quantizer, *image)) ASSERT_LT(index, colours);
    }
}

// 16 leaves (red 0, 16, ..., 240) where leaf k has k + 1 pixels: two colours
// are the pixel-weighted averages of leaves 0-7 and 8-15.
TEST(QuantizerTest, FewerThanSixteenColoursMergeRunsOfLeaves) {
    Pixels pixels;
    for (std::uint32_t k = 0; k < 16; ++k)
        for (std::uint32_t n = 0; n <= k; ++n) pixels.push_back(opaque(16 * k << 16 | 0x07C8));
    auto image = makeImage(17, 8, pixels);
    auto quantizer = Quantizer::take();
    ASSERT_TRUE(quantizer->build(*image, 2));
    // Red: 16 * (0 * 1 + 1 * 2 + ... + 7 * 8) / 36 = 74 and 16 * 1192 / 100 = 190.
    std::vector<std::uint32_t> expected(256, 0);
    expected[0] = 0x4A07C8;
    expected[1] = 0xBE07C8;
    EXPECT_EQ(paletteOf(*quantizer), expected);
    auto row = makeImage(3, 1, {opaque(0x0007C8), opaque(0x7F07C8), opaque(0xF007C8)});
    EXPECT_EQ(mapImage(*quantizer, *row), (std::vector<std::uint8_t>{0, 0, 1}));
}

TEST(QuantizerTest, TransparencyDecidesInfluenceAndIndex) {
    const Pixels pixels = {argb(0, 255, 255, 255),  argb(255, 10, 20, 30), argb(0, 0, 255, 0),
                           argb(128, 200, 100, 50), argb(255, 10, 20, 30), argb(0, 255, 0, 0)};
    auto image = makeImage(3, 2, pixels, true);
    auto quantizer = Quantizer::take();
    ASSERT_TRUE(quantizer->build(*image, 15));
    // Only the opaque and the half-transparent colour enter the palette.
    EXPECT_EQ(quantizer->getFilledCount(), 2);
    EXPECT_EQ(quantizer->getPalette()[0], 0x0A141Eu);
    EXPECT_EQ(quantizer->getPalette()[1], 0xC86432u);
    EXPECT_EQ(mapImage(*quantizer, *image), (std::vector<std::uint8_t>{15, 0, 15, 15, 0, 15}));

    // Without the alpha flag the alpha bytes mean nothing: every pixel counts.
    image->setAlpha(false);
    ASSERT_TRUE(quantizer->build(*image, 15));
    EXPECT_EQ(quantizer->getFilledCount(), 5);
    for (std::uint8_t index : mapImage(*quantizer, *image)) EXPECT_LT(index, 5);
}

TEST(QuantizerTest, PacksFourBitsHighNibbleFirst) {
    Pixels pixels;
    for (std::uint32_t k = 0; k < 16; ++k) pixels.push_back(opaque(16 * k << 16));
    auto image = makeImage(16, 1, pixels, true);
    auto quantizer = Quantizer::take();
    ASSERT_TRUE(quantizer->build(*image, 16));
    struct Case {
        Pixels row;
        std::vector<std::uint8_t> expected;
    };
    const std::uint32_t halfAlpha = argb(100, 0, 0, 0);
    const Case cases[] = {
        {{pixels[3], pixels[10]}, {0x3A}},
        {{pixels[15], pixels[0], pixels[7]}, {0xF0, 0x70}},  // the last low nibble is cleared
        // The transparency slot 16 does not fit in four bits; it must not
        // spill into the neighbouring pixel.
        {{pixels[6], halfAlpha, halfAlpha, pixels[9]}, {0x60, 0x09}},
    };
    for (const Case& c : cases) {
        auto row = makeImage(static_cast<std::int32_t>(c.row.size()), 1, c.row, true);
        std::vector<std::uint8_t> packed(c.expected.size(), 0xEE);
        quantizer->mapRow(row->getRow(0), row->getWidth(), packed.data(), 4);
        EXPECT_EQ(packed, c.expected);
    }
    std::uint8_t untouched = 0xEE;
    quantizer->mapRow(image->getRow(0), 1, &untouched, 2);
    EXPECT_EQ(untouched, 0xEE);
}

TEST(QuantizerTest, NearestColourTiesKeepTheLowerIndex) {
    auto image = makeImage(2, 1, {opaque(0x000000), opaque(0x000010)});
    auto quantizer = Quantizer::take();
    ASSERT_TRUE(quantizer->build(*image, 256));
    auto row = makeImage(3, 1, {opaque(0x000008), opaque(0x000009), opaque(0x0A0A07)});
    EXPECT_EQ(mapImage(*quantizer, *row), (std::vector<std::uint8_t>{0, 1, 0}));
}

TEST(QuantizerTest, RebuildClearsThePreviousPalette) {
    auto quantizer = Quantizer::take();
    Pixels many;
    for (std::uint32_t k = 0; k < 40; ++k) many.push_back(opaque(k * 0x060504));
    auto first = makeImage(40, 1, many);
    ASSERT_TRUE(quantizer->build(*first, 256));
    auto second = makeImage(2, 1, {opaque(0x123456), opaque(0x654321)});
    ASSERT_TRUE(quantizer->build(*second, 256));
    std::vector<std::uint32_t> expected(256, 0);
    expected[0] = 0x123456;
    expected[1] = 0x654321;
    EXPECT_EQ(paletteOf(*quantizer), expected);
}

}  // namespace
