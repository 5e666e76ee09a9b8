#include <gtest/gtest.h>

#include <algorithm>

#include "BmpFixture.h"
#include "formats/bmp/Bitmap.h"
#include "formats/bmp/EncodeSetting.h"
#include "foundation/MemoryStreams.h"
#include "image/BufferedImageSet.h"

using bmptest::get16;
using bmptest::get32;
using bmptest::makeImage;
using bmptest::pixelsOf;
using bmptest::readBytes;
using bmptest::writeBytes;
using s::image::bmp::EncodeSetting;
using s::image::bmp::win::Bitmap;
using s::image::win::BufferedImage;
using s::thread::Pooled;

namespace {

Bitmap* asBitmap(const Pooled<s::image::IEncodedImage>& encoded) {
    return dynamic_cast<Bitmap*>(encoded.get());
}

std::vector<std::uint32_t> decoded(Bitmap& bitmap, bool* hasAlpha = nullptr) {
    Pooled<BufferedImage> created;
    BufferedImage* image = bitmap.decode(0, nullptr, created);
    if (!image) return {};
    if (hasAlpha) *hasAlpha = image->hasAlpha();
    return pixelsOf(*image);
}

TEST(BitmapWrite, HeadersFollowTheDepth) {
    struct Case {
        std::int32_t bitCount, stride;
        std::uint32_t offBits, sizeImage, clrUsed;
    };
    // A 3 x 2 image; biSizeImage counts unpadded bytes, bfSize padded rows.
    const Case cases[] = {
        {24, 12, 54, 18, 0},       {32, 12, 54, 24, 0},    {16, 8, 54, 12, 0},
        {8, 4, 54 + 1024, 6, 256}, {4, 4, 54 + 64, 3, 16}, {1, 4, 54 + 8, 1, 2},
    };
    auto image = makeImage(
        3, 2, {0xFF102030, 0xFF405060, 0xFF708090, 0xFF000000, 0xFFFFFFFF, 0xFF102030}, false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bitCount);
        Bitmap bitmap;
        ASSERT_TRUE(bitmap.fromImage(*image, c.bitCount, true, 255, 255, 255));
        EXPECT_EQ(bitmap.getStride(), c.stride);
        const auto b = writeBytes(bitmap);
        ASSERT_GE(b.size(), 54u);
        EXPECT_EQ(get16(b, 0), 0x4D42);
        EXPECT_EQ(get32(b, 2), c.offBits + c.stride * 2);  // bfSize
        EXPECT_EQ(b.size(), get32(b, 2));
        EXPECT_EQ(get32(b, 6), 0u);  // reserved
        EXPECT_EQ(get32(b, 10), c.offBits);
        EXPECT_EQ(get32(b, 14), 40u);
        EXPECT_EQ(get32(b, 18), 3u);
        EXPECT_EQ(get32(b, 22), 2u);  // positive: bottom-up
        EXPECT_EQ(get16(b, 26), 1);
        EXPECT_EQ(get16(b, 28), c.bitCount);
        EXPECT_EQ(get32(b, 30), 0u);
        EXPECT_EQ(get32(b, 34), c.sizeImage);
        EXPECT_EQ(get32(b, 46), c.clrUsed);
        EXPECT_EQ(get32(b, 50), c.clrUsed);
    }
}

TEST(BitmapWrite, EightBitOutputCarriesAFullTableWithUnusedEntriesZero) {
    const std::vector<std::uint32_t> pixels = {0xFF102030, 0xFF405060, 0xFF708090,
                                               0xFF102030, 0xFF405060, 0xFF708090};
    auto image = makeImage(3, 2, pixels, false);
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.fromImage(*image, 8, true, 255, 255, 255));
    const auto b = writeBytes(bitmap);
    ASSERT_EQ(b.size(), 54u + 1024 + 8);
    std::vector<std::uint32_t> table;
    for (std::size_t i = 0; i < 256; ++i) table.push_back(get32(b, 54 + 4 * i));
    std::sort(table.begin(), table.end());
    std::vector<std::uint32_t> expected(253, 0);
    expected.insert(expected.end(), {0x102030, 0x405060, 0x708090});
    EXPECT_EQ(table, expected);

    Bitmap reread;
    ASSERT_TRUE(readBytes(reread, b));
    EXPECT_EQ(decoded(reread), pixels);
}

// Pixels each depth can hold exactly (top row first, 3 x 2).
struct RoundTrip {
    std::int32_t bitCount;
    std::vector<std::uint32_t> pixels;
    bool hasAlpha;
};

const RoundTrip kRoundTrips[] = {
    {1, {0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}, false},
    {4, {0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF808080}, false},
    {8, {0xFF010203, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF808080}, false},
    // 5-bit channels 0, 4, 16 and 31 read back as 0, 33, 132 and 255.
    {16, {0xFF000000, 0xFFFFFFFF, 0xFF218400, 0xFF84FF21, 0xFF002184, 0xFFFF0000}, false},
    {24, {0xFF010203, 0xFF040506, 0xFF070809, 0xFFA0B0C0, 0xFFD0E0F0, 0xFFFFFFFF}, false},
    {32, {0xFF010203, 0x80040506, 0x01070809, 0xFFA0B0C0, 0x7FD0E0F0, 0xFFFFFFFF}, true},
};

TEST(BitmapWrite, EveryDepthRoundTripsAndReencodesAtItsOwnDepth) {
    for (const RoundTrip& c : kRoundTrips) {
        SCOPED_TRACE(c.bitCount);
        auto image = makeImage(3, 2, c.pixels, c.hasAlpha);
        Bitmap written;
        ASSERT_TRUE(written.fromImage(*image, c.bitCount, true, 255, 255, 255));
        Bitmap read;
        ASSERT_TRUE(readBytes(read, writeBytes(written)));
        EXPECT_EQ(read.getBitCount(), c.bitCount);
        bool hasAlpha = false;
        EXPECT_EQ(decoded(read, &hasAlpha), c.pixels);
        EXPECT_EQ(hasAlpha, c.hasAlpha);

        // Re-encoding a file keeps its depth and its real pixels.
        auto set = read.decodeAll();
        ASSERT_EQ(set->getCount(), 1);
        auto again = read.encodeImage(*set->getImage(0));
        ASSERT_NE(asBitmap(again), nullptr);
        EXPECT_EQ(asBitmap(again)->getBitCount(), c.bitCount);
        EXPECT_EQ(decoded(*asBitmap(again)), c.pixels);
    }
}

TEST(BitmapWrite, TransparentImagesAreFlattenedUnlessAlphaIsKept) {
    // Opaque red, fully transparent green, half-transparent white.
    const std::vector<std::uint32_t> source = {0xFFFF0000, 0x0000FF00, 0x80FFFFFF};
    struct Case {
        const char* name;
        std::int32_t bitCount;
        bool keep;
        std::vector<std::uint32_t> expected;
        bool hasAlpha;
    };
    const Case cases[] = {
        // On blue, white at alpha 128 blends to (127, 127, 255).
        {"24 bits on blue", 24, true, {0xFFFF0000, 0xFF0000FF, 0xFF7F7FFF}, false},
        {"8 bits on blue", 8, true, {0xFFFF0000, 0xFF0000FF, 0xFF7F7FFF}, false},
        {"32 bits without keeping alpha", 32, false, {0xFFFF0000, 0xFF0000FF, 0xFF7F7FFF}, false},
        // Alpha kept; the invisible pixel takes the background colour.
        {"32 bits keeping alpha", 32, true, {0xFFFF0000, 0x000000FF, 0x80FFFFFF}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto image = makeImage(3, 1, source, true);
        Pooled<EncodeSetting> setting = EncodeSetting::take();
        setting->bitCount = c.bitCount;
        setting->keepTransparency = c.keep;
        setting->backgroundRed = 0;
        setting->backgroundGreen = 0;
        setting->backgroundBlue = 255;
        auto encoded = setting->encode(*image);
        ASSERT_NE(asBitmap(encoded), nullptr);
        EXPECT_EQ(asBitmap(encoded)->getBitCount(), c.bitCount);
        bool hasAlpha = false;
        EXPECT_EQ(decoded(*asBitmap(encoded), &hasAlpha), c.expected);
        EXPECT_EQ(hasAlpha, c.hasAlpha);
        EXPECT_EQ(pixelsOf(*image), source);  // the source is left alone
    }

    // encodeImage flattens onto white at this bitmap's depth.
    Bitmap twentyFour;
    ASSERT_TRUE(twentyFour.create(1, 1, 24));
    auto image = makeImage(3, 1, source, true);
    auto encoded = twentyFour.encodeImage(*image);
    ASSERT_NE(asBitmap(encoded), nullptr);
    EXPECT_EQ(decoded(*asBitmap(encoded)),
              (std::vector<std::uint32_t>{0xFFFF0000, 0xFFFFFFFF, 0xFFFFFFFF}));
}

TEST(BitmapWrite, EncodeSetTakesTheLargestMember) {
    auto set = s::image::win::BufferedImageSet::take();
    set->add(makeImage(1, 1, {0xFF000000}, false));
    set->add(makeImage(3, 2, std::vector<std::uint32_t>(6, 0xFF123456), false));
    set->add(makeImage(2, 2, std::vector<std::uint32_t>(4, 0xFF000000), false));
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.create(1, 1, 24));
    auto encoded = bitmap.encodeSet(*set);
    ASSERT_NE(asBitmap(encoded), nullptr);
    EXPECT_EQ(decoded(*asBitmap(encoded)), std::vector<std::uint32_t>(6, 0xFF123456));
}

TEST(BitmapWrite, HeaderlessFormRoundTrips) {
    const std::vector<std::uint32_t> pixels = {0xFF102030, 0xFF405060, 0xFF102030, 0xFF405060};
    auto image = makeImage(2, 2, pixels, false);
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.fromImage(*image, 4, true, 255, 255, 255));
    s::io::MemoryOutputStream out;
    ASSERT_TRUE(bitmap.writeHeaderless(out));
    const auto& b = out.bytes();
    ASSERT_EQ(b.size(), 40u + 64 + 8);
    EXPECT_EQ(get32(b, 0), 40u);

    s::io::MemoryInputStream in(b.data(), b.size());
    Bitmap reread;
    ASSERT_TRUE(reread.readHeaderless(in));
    EXPECT_EQ(reread.getFileHeader().offBits, 54u + 64);
    EXPECT_EQ(reread.getFileHeader().size, 54u + 64 + 8);
    EXPECT_EQ(decoded(reread), pixels);
}

}  // namespace
