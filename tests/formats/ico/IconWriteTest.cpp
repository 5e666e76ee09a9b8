// Writing icons: real pixels at every icon depth with the mask set for
// transparent pixels, the 4-bit palette's transparency slot, PNG blocks for
// images above 255 pixels, and the directory and header bytes as stored.
#include <gtest/gtest.h>

#include <set>

#include "IcoFixture.h"

namespace icotest {
namespace {

Pooled<IconImage> iconImageFrom(BufferedImage& image, std::int32_t bitCount,
                                bool keepTransparency = true) {
    Pooled<IconImage> iconImage = IconImage::take();
    EXPECT_TRUE(iconImage->fromImage(image, bitCount, keepTransparency, 255, 255, 255));
    return iconImage;
}

Pooled<Icon> iconOf(std::vector<Pooled<IconImage>> images) {
    Pooled<Icon> icon = Icon::take();
    for (auto& image : images) icon->addImage(std::move(image));
    return icon;
}

// Red and blue halves (5 x 3, odd width for row padding), the top-left pixel
// transparent.
constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;
std::uint32_t halves(int x, int y) {
    if (x == 0 && y == 0) return 0x00000000u;
    return x < 3 ? kRed : kBlue;
}

TEST(IconWrite, EveryDepthKeepsItsPixelsAndMarksTransparentPixelsInTheMask) {
    for (const std::int32_t bits : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(bits);
        auto source = makeImage(5, 3, halves, true);
        auto icon = iconOf({});
        icon->addImage(iconImageFrom(*source, bits));
        bool ok = false;
        auto back = readIcon(writeIcon(*icon), &ok);
        ASSERT_TRUE(ok);
        ASSERT_EQ(back->getImageCount(), 1);
        const IconImage& read = *back->getImage(0);
        EXPECT_EQ(read.getBitCount(), bits);
        EXPECT_TRUE(read.getIconMask().isSet(0, 0));
        EXPECT_FALSE(read.getIconMask().isSet(1, 0));
        auto image = decodeImage(*back, 0);
        ASSERT_TRUE(image);
        EXPECT_TRUE(image->hasAlpha());
        EXPECT_EQ(pixelAt(*image, 0, 0) >> 24, 0u);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 5; ++x) {
                if (x == 0 && y == 0) continue;
                EXPECT_EQ(pixelAt(*image, x, y), halves(x, y)) << x << "," << y;
            }
        }
    }
}

TEST(IconWrite, SixteenBitsKeepTheTopFiveBitsOfEachChannel) {
    auto source = solidImage(2, 2, 0xFF8040C8u);
    auto icon = iconOf({});
    icon->addImage(iconImageFrom(*source, 16));
    auto back = readIcon(writeIcon(*icon));
    auto image = decodeImage(*back, 0);
    ASSERT_TRUE(image);
    // 5-bit values 16, 8, 25 stretched back to 8 bits.
    EXPECT_EQ(pixelAt(*image, 1, 1), 0xFF8442CEu);
}

// Twenty colours and transparent corners at 4 bits: at most 15 colours for
// the opaque pixels, index 15 (left black) for the transparent ones, whose
// mask bits are exactly the ones set.
TEST(IconWrite, FourBitImagesKeepIndexFifteenForTransparentPixels) {
    auto source = makeImage(
        8, 8,
        [](int x, int y) -> std::uint32_t {
            if ((x == 0 || x == 7) && (y == 0 || y == 7)) return 0x10203040u;  // alpha below 32
            return 0xFF000000u | static_cast<std::uint32_t>((x + 8 * y) % 20) * 0x0C0A07u;
        },
        true);
    auto iconImage = iconImageFrom(*source, 4);
    ASSERT_EQ(iconImage->getColourCount(), 16);
    const std::uint8_t* table = iconImage->getColourTable();
    EXPECT_EQ(table[60] | table[61] | table[62], 0);
    std::set<int> opaqueIndices;
    for (int y = 0; y < 8; ++y) {
        const std::uint8_t* row = iconImage->getRow(y);
        for (int x = 0; x < 8; ++x) {
            const int index = (x & 1) ? row[x / 2] & 0x0F : row[x / 2] >> 4;
            const bool corner = (x == 0 || x == 7) && (y == 0 || y == 7);
            EXPECT_EQ(iconImage->getIconMask().isSet(x, y), corner) << x << "," << y;
            if (corner) {
                EXPECT_EQ(index, 15);
            } else {
                opaqueIndices.insert(index);
            }
        }
    }
    EXPECT_LE(opaqueIndices.size(), 15u);
    EXPECT_EQ(opaqueIndices.count(15), 0u);
}

TEST(IconWrite, WithoutKeepTransparencyPixelsAreCompositedOntoTheBackground) {
    auto source = solidImage(2, 2, 0x00000000u);
    Pooled<IconImage> iconImage = IconImage::take();
    ASSERT_TRUE(iconImage->fromImage(*source, 24, false, 0x10, 0x20, 0x30));
    EXPECT_FALSE(iconImage->getIconMask().isSet(0, 0));
    auto icon = iconOf({});
    icon->addImage(std::move(iconImage));
    auto image = decodeImage(*icon, 0);
    EXPECT_FALSE(image->hasAlpha());
    EXPECT_EQ(pixelAt(*image, 1, 1), 0xFF102030u);
}

// Images above 255 pixels in either direction are PNG blocks; their size
// byte is 0.
TEST(IconWrite, ImagesAbove255PixelsAreStoredAsPng) {
    struct Case {
        std::int32_t width, height;
        std::uint8_t widthByte, heightByte;
    };
    for (const Case c : {Case{300, 20, 0, 20}, Case{256, 256, 0, 0}, Case{255, 255, 255, 255}}) {
        SCOPED_TRACE(c.width);
        auto source = makeImage(
            c.width, c.height, [](int x, int) { return x % 2 ? 0x80FF0000u : 0xFF00FF00u; }, true);
        auto icon = iconOf({});
        icon->addImage(iconImageFrom(*source, 32));
        const Bytes file = writeIcon(*icon);
        EXPECT_EQ(file[6], c.widthByte);
        EXPECT_EQ(file[7], c.heightByte);
        const bool png = file[22] == 0x89 && file[23] == 'P' && file[24] == 'N' && file[25] == 'G';
        EXPECT_EQ(png, c.width > 255 || c.height > 255);
        auto back = readIcon(file);
        auto image = decodeImage(*back, 0);
        ASSERT_TRUE(image);
        ASSERT_EQ(image->getWidth(), c.width);
        ASSERT_EQ(image->getHeight(), c.height);
        EXPECT_EQ(pixelAt(*image, 0, c.height - 1), 0xFF00FF00u);
        EXPECT_EQ(pixelAt(*image, 1, c.height - 1), 0x80FF0000u);
    }
}

// Header, directory and the bitmap header of each block, byte by byte.
TEST(IconWrite, LaysOutTheDirectoryAndBitmapHeaders) {
    auto small = solidImage(16, 16, kRed);
    auto large = solidImage(32, 32, kBlue);
    std::vector<Pooled<IconImage>> images;
    images.push_back(iconImageFrom(*small, 4));
    images.push_back(iconImageFrom(*large, 32));
    auto icon = iconOf(std::move(images));
    const Bytes file = writeIcon(*icon);

    struct Expected {
        std::uint8_t size, colourCount;
        std::uint16_t bitCount;
        std::uint32_t blockLength, clrUsed;
    };
    const Expected expected[] = {
        {16, 16, 4, 40 + 16 * 4 + 8 * 16 + 4 * 16, 16},
        {32, 0, 32, 40 + 128 * 32 + 4 * 32, 0},
    };
    ASSERT_EQ(file.size(), 6 + 2 * 16 + expected[0].blockLength + expected[1].blockLength);
    EXPECT_EQ(get16(file, 0), 0);
    EXPECT_EQ(get16(file, 2), 1);
    EXPECT_EQ(get16(file, 4), 2);
    std::uint32_t offset = 6 + 2 * 16;
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const Expected& e = expected[i];
        const std::size_t d = 6 + 16 * i;
        EXPECT_EQ(file[d], e.size);
        EXPECT_EQ(file[d + 1], e.size);
        EXPECT_EQ(file[d + 2], e.colourCount);
        EXPECT_EQ(file[d + 3], 0);
        EXPECT_EQ(get16(file, d + 4), 1);
        EXPECT_EQ(get16(file, d + 6), e.bitCount);
        EXPECT_EQ(get32(file, d + 8), e.blockLength);
        EXPECT_EQ(get32(file, d + 12), offset);
        // BITMAPINFOHEADER: size, width, doubled height, planes, depth,
        // compression, pixel count, resolution, colours used and important.
        EXPECT_EQ(get32(file, offset), 40u);
        EXPECT_EQ(get32(file, offset + 4), e.size);
        EXPECT_EQ(get32(file, offset + 8), 2u * e.size);
        EXPECT_EQ(get16(file, offset + 12), 1);
        EXPECT_EQ(get16(file, offset + 14), e.bitCount);
        EXPECT_EQ(get32(file, offset + 16), 0u);
        EXPECT_EQ(get32(file, offset + 20), static_cast<std::uint32_t>(e.size * e.size));
        EXPECT_EQ(get32(file, offset + 32), e.clrUsed);
        EXPECT_EQ(get32(file, offset + 36), e.clrUsed);
        offset += e.blockLength;
    }
}

TEST(IconWrite, RefusesDepthsAnIconCannotHold) {
    auto source = solidImage(4, 4, kRed);
    for (const std::int32_t bits : {0, 2, 12, 48}) {
        Pooled<IconImage> iconImage = IconImage::take();
        EXPECT_FALSE(iconImage->fromImage(*source, bits, true, 255, 255, 255)) << bits;
        EXPECT_FALSE(iconImage->isValid());
    }
    auto empty = Icon::take();
    s::io::MemoryOutputStream out;
    EXPECT_FALSE(empty->writeTo(out));
}

}  // namespace
}  // namespace icotest
