// Building icons from pixel images: a resized set goes back to the source
// icon's sizes and depths, keepRatio centres a member in a transparent
// square, the size and depth lists give every combination, and the icon's
// searches pick images by size and depth.
#include <gtest/gtest.h>

#include "IcoFixture.h"
#include "formats/ico/EncodeSetting.h"
#include "image/BufferedImageSet.h"

namespace icotest {
namespace {

using s::image::ico::EncodeSetting;
using s::image::win::BufferedImageSet;

constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;

Icon& asIcon(s::image::IEncodedImage& encoded) {
    return dynamic_cast<Icon&>(encoded);
}

Pooled<BufferedImageSet> setOf(std::vector<Pooled<BufferedImage>> images) {
    Pooled<BufferedImageSet> set = BufferedImageSet::take();
    for (auto& image : images) set->add(std::move(image));
    return set;
}

TEST(IconEncode, AResizedSetIsWrittenBackAtTheIconsOwnSizesAndDepths) {
    IconBmp small = IconBmp::solidIndexed(16, 16, 4, 0x00FF00);
    auto source = readIcon(iconFile({entryFor(small), entryFor(IconBmp::solid32(32, 32, kBlue))}));
    ASSERT_EQ(source->getImageCount(), 2);

    // The members after a resize to 100 x 100, in the icon's list order
    // (32 x 32 first, the preferred image).
    std::vector<Pooled<BufferedImage>> resized;
    resized.push_back(solidImage(100, 100, kBlue));
    resized.push_back(solidImage(100, 100, kRed));
    auto set = setOf(std::move(resized));
    auto encoded = source->encodeSet(*set);
    ASSERT_TRUE(encoded);

    auto back = readIcon(writeIcon(*encoded));
    ASSERT_EQ(back->getImageCount(), 2);
    struct Expected {
        std::int32_t size, bitCount;
        std::uint32_t colour;
    };
    const Expected expected[] = {{32, 32, kBlue}, {16, 4, kRed}};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const IconImage& image = *back->getImage(i);
        EXPECT_EQ(image.getWidth(), expected[i].size);
        EXPECT_EQ(image.getHeight(), expected[i].size);
        EXPECT_EQ(image.getBitCount(), expected[i].bitCount);
        EXPECT_EQ(pixelAt(*decodeImage(*back, i), 3, 3), expected[i].colour);
    }

    auto oneMember = setOf({});
    oneMember->add(solidImage(100, 100, kRed));
    EXPECT_FALSE(source->encodeSet(*oneMember));
}

// A 200 x 100 member at layout width 32: with keepRatio it becomes 32 x 16
// in rows 8 to 23 of a transparent square, without it fills the square.
TEST(IconEncode, KeepRatioCentresTheMemberInATransparentSquare) {
    for (const bool keepRatio : {true, false}) {
        SCOPED_TRACE(keepRatio);
        Pooled<EncodeSetting> setting = EncodeSetting::take();
        setting->keepRatio = keepRatio ? 1 : 0;
        setting->layout = {EncodeSetting::layoutEntry(32, 32)};
        auto set = setOf({});
        set->add(solidImage(200, 100, kRed));
        auto encoded = setting->encodeSet(*set);
        ASSERT_TRUE(encoded);
        auto image = decodeImage(*encoded, 0);
        ASSERT_TRUE(image);
        ASSERT_EQ(image->getWidth(), 32);
        ASSERT_EQ(image->getHeight(), 32);
        for (int y = 0; y < 32; ++y) {
            const bool inside = !keepRatio || (y >= 8 && y <= 23);
            for (int x : {0, 15, 31}) {
                EXPECT_EQ(pixelAt(*image, x, y) >> 24, inside ? 0xFFu : 0u) << x << "," << y;
                if (inside) {
                    EXPECT_EQ(pixelAt(*image, x, y), kRed);
                }
            }
        }
    }
}

TEST(IconEncode, SizeAndDepthListsGiveEveryCombination) {
    auto image = solidImage(64, 64, kRed);
    Pooled<EncodeSetting> setting = EncodeSetting::take();
    EXPECT_FALSE(setting->encode(*image));
    EXPECT_FALSE(Icon::take()->encodeImage(*image));

    setting->sizes = {16, 48};
    setting->depths = {4, 32};
    auto encoded = setting->encode(*image);
    ASSERT_TRUE(encoded);
    Icon& icon = asIcon(*encoded);
    const std::pair<std::int32_t, std::int32_t> expected[] = {{16, 4}, {16, 32}, {48, 4}, {48, 32}};
    ASSERT_EQ(icon.getImageCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(icon.getImage(i)->getWidth(), expected[i].first);
        EXPECT_EQ(icon.getImage(i)->getBitCount(), expected[i].second);
    }
}

TEST(IconEncode, SearchesFindImagesBySizeAndBitCount) {
    auto icon = Icon::take();
    for (const auto& [size, bits] : {std::pair{16, 4}, {32, 32}, {48, 8}}) {
        auto image = IconImage::take();
        ASSERT_TRUE(image->create(size, size, bits));
        icon->addImage(std::move(image));
    }
    struct Case {
        const char* name;
        std::int32_t size, bits;
        bool depthFirst;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"exact", 48, 8, true, 2},
        {"depth first: same depth, other size", 16, 32, true, 1},
        {"size first: same size, other depth", 16, 32, false, 0},
        {"size first: nearest area", 44, 4, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::int32_t index = -1;
        const bool found = c.depthFirst ? icon->findNearestDepthFirst(c.size, c.size, c.bits, index)
                                        : icon->findNearestSizeFirst(c.size, c.size, c.bits, index);
        EXPECT_TRUE(found);
        EXPECT_EQ(index, c.expected);
    }
    std::int32_t index = -1;
    EXPECT_TRUE(icon->findExact(32, 32, 32, index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(icon->findExact(32, 32, 8, index));
}

}  // namespace
}  // namespace icotest
