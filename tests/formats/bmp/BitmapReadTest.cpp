#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "BmpFixture.h"
#include "formats/bmp/Bitmap.h"
#include "foundation/MemoryStreams.h"

using bmptest::BmpFile;
using bmptest::palette;
using bmptest::pixelsOf;
using bmptest::readBytes;
using bmptest::rows;
using s::image::bmp::win::Bitmap;
using s::image::win::BufferedImage;
using s::thread::Pooled;

namespace {

constexpr std::uint32_t kBlack = 0xFF000000, kRed = 0xFFFF0000, kGreen = 0xFF00FF00,
                        kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

struct DecodeCase {
    const char* name;
    BmpFile file;
    std::vector<std::uint32_t> expected;  // top row first
    bool hasAlpha = false;
};

BmpFile make(std::int32_t w, std::int32_t h, std::uint16_t bitCount,
             std::vector<std::uint8_t> pixels) {
    BmpFile f;
    f.width = w;
    f.height = h;
    f.bitCount = bitCount;
    f.pixels = std::move(pixels);
    return f;
}

BmpFile withPalette(BmpFile f, std::vector<std::uint8_t> entries, std::uint32_t clrUsed) {
    f.palette = std::move(entries);
    f.clrUsed = clrUsed;
    return f;
}

BmpFile withMasks(BmpFile f, std::vector<std::uint32_t> masks, std::uint32_t headerSize = 40) {
    f.compression = 3;
    f.masks = std::move(masks);
    f.headerSize = headerSize;
    return f;
}

BmpFile withHeader(BmpFile f, std::uint32_t headerSize) {
    f.headerSize = headerSize;
    return f;
}

BmpFile withCompression(BmpFile f, std::uint32_t compression) {
    f.compression = compression;
    return f;
}

std::vector<DecodeCase> decodeCases() {
    const auto rgb = palette({0x000000, 0xFF0000, 0x00FF00, 0x0000FF});
    return {
        {"1 bit",
         withPalette(make(2, 2, 1, rows(4, {{0x40}, {0x80}})), palette({0xFF0000, 0x0000FF}), 0),
         {kBlue, kRed, kRed, kBlue}},
        // Index 15 lies beyond the three-entry table: black.
        {"4 bit, index past the table",
         withPalette(make(3, 1, 4, rows(4, {{0x12, 0xF0}})),
                     palette({0xFF0000, 0x00FF00, 0x0000FF}), 3),
         {kGreen, kBlue, kBlack}},
        {"8 bit, index past the table",
         withPalette(make(3, 1, 8, rows(4, {{1, 0, 200}})), palette({0xFFFFFF, 0x123456}), 2),
         {0xFF123456, kWhite, kBlack}},
        // 5-5-5: 31 stretches to 255, 16 to 132.
        {"16 bit 5-5-5",
         make(3, 1, 16, rows(8, {{0xFF, 0x7F, 0x00, 0x7C, 0x10, 0x42}})),
         {kWhite, kRed, 0xFF848484}},
        {"16 bit 5-6-5 bit fields",
         withMasks(make(3, 1, 16, rows(8, {{0x00, 0xF8, 0xE0, 0x07, 0x21, 0x08}})),
                   {0xF800, 0x07E0, 0x001F}),
         {kRed, kGreen, 0xFF080408}},
        {"24 bit",
         make(2, 2, 24, rows(8, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}})),
         {0xFF090807, 0xFF0C0B0A, 0xFF030201, 0xFF060504}},
        // Channels in an unusual order: the masks must be read, not guessed.
        {"32 bit bit fields, red in the low byte",
         withMasks(make(1, 1, 32, {0x11, 0x22, 0x33, 0x00}), {0x000000FF, 0x0000FF00, 0x00FF0000}),
         {0xFF112233}},
        {"32 bit bit fields with alpha inside a 124-byte header",
         withMasks(make(2, 1, 32, {1, 2, 3, 0x80, 4, 5, 6, 0xFF}),
                   {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, 124),
         {0x80030201, 0xFF060504},
         true},
        {"8 bit after a 108-byte header",
         withHeader(withPalette(make(2, 1, 8, rows(4, {{1, 0}})), palette({0x00FF00, 0x0000FF}), 2),
                    108),
         {kBlue, kGreen}},
        {"8 bit after a 124-byte header",
         withHeader(withPalette(make(2, 1, 8, rows(4, {{0, 1}})), palette({0x00FF00, 0x0000FF}), 2),
                    124),
         {kGreen, kBlue}},
        {"OS/2 core header, 3-byte palette",
         withHeader(withPalette(make(2, 1, 1, rows(4, {{0x40}})), {0, 0, 0xFF, 0xFF, 0, 0}, 0), 12),
         {kRed, kBlue}},
        // Bottom row: one green, then an absolute run red, green, blue.
        // Top row: a delta skips two pixels, then a run of two blue.
        {"RLE8",
         withCompression(
             withPalette(make(4, 2, 8, {1, 2, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 2, 3, 0, 1}), rgb,
                         4),
             1),
         {kBlack, kBlack, kBlue, kBlue, kGreen, kRed, kGreen, kBlue}},
        // An encoded run alternating 1, 2, then an absolute run 3, 1, 2.
        {"RLE4",
         withCompression(withPalette(make(5, 1, 4, {2, 0x12, 0, 3, 0x31, 0x20, 0, 1}), rgb, 4), 2),
         {kRed, kGreen, kBlue, kRed, kGreen}},
    };
}

TEST(BitmapRead, DecodesEveryDepthToExactPixels) {
    for (const DecodeCase& c : decodeCases()) {
        SCOPED_TRACE(c.name);
        Bitmap bitmap;
        ASSERT_TRUE(readBytes(bitmap, c.file.bytes()));
        EXPECT_EQ(bitmap.getBitCount(), c.file.bitCount);
        Pooled<BufferedImage> created;
        BufferedImage* image = bitmap.decode(0, nullptr, created);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->getWidth(), c.file.width);
        EXPECT_EQ(image->getHeight(), c.file.height);
        EXPECT_EQ(pixelsOf(*image), c.expected);
        EXPECT_EQ(image->hasAlpha(), c.hasAlpha);
    }
}

TEST(BitmapRead, ThirtyTwoBitAlphaIsUsedOnlyWhenSomeAlphaByteIsSet) {
    struct Case {
        const char* name;
        std::uint8_t alpha0, alpha1;
        std::vector<std::uint32_t> expected;
        bool hasAlpha;
    };
    const Case cases[] = {
        {"all zero: an unused fourth byte", 0, 0, {0xFF030201, 0xFF060504}, false},
        {"mixed", 0xFF, 0, {0xFF030201, 0x00060504}, true},
        {"all opaque", 0xFF, 0xFF, {0xFF030201, 0xFF060504}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap bitmap;
        ASSERT_TRUE(
            readBytes(bitmap, make(2, 1, 32, {1, 2, 3, c.alpha0, 4, 5, 6, c.alpha1}).bytes()));
        auto set = bitmap.decodeAll();
        ASSERT_EQ(set->getCount(), 1);
        EXPECT_EQ(set->getDepth(0), 32);
        EXPECT_EQ(pixelsOf(*set->getImage(0)), c.expected);
        EXPECT_EQ(set->getImage(0)->hasAlpha(), c.hasAlpha);
    }
}

TEST(BitmapRead, TopDownFileIsReadUpright) {
    const auto bottomUp = make(2, 2, 24, rows(8, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}));
    auto topDown = make(2, -2, 24, rows(8, {{7, 8, 9, 10, 11, 12}, {1, 2, 3, 4, 5, 6}}));
    Bitmap a, b;
    ASSERT_TRUE(readBytes(a, bottomUp.bytes()));
    ASSERT_TRUE(readBytes(b, topDown.bytes()));
    EXPECT_EQ(b.getHeight(), 2);
    Pooled<BufferedImage> ca, cb;
    EXPECT_EQ(pixelsOf(*b.decode(0, nullptr, cb)), pixelsOf(*a.decode(0, nullptr, ca)));
    // Written back, it is an ordinary bottom-up file.
    EXPECT_EQ(bmptest::writeBytes(b), bmptest::writeBytes(a));
}

TEST(BitmapRead, ShortPixelAreaLeavesMissingRowsZero) {
    // Three rows of one pixel: the bottom row complete, the middle one cut
    // after its blue and green bytes, the top one absent.
    auto f = make(1, 3, 24, {0x11, 0x22, 0x33, 0x00, 0x44, 0x55});
    Bitmap bitmap;
    ASSERT_TRUE(readBytes(bitmap, f.bytes()));
    Pooled<BufferedImage> created;
    EXPECT_EQ(pixelsOf(*bitmap.decode(0, nullptr, created)),
              (std::vector<std::uint32_t>{kBlack, 0xFF005544, 0xFF332211}));
}

// A full table of distinct colours: entry i is (red i, green 255 - i, blue i / 2).
std::vector<std::uint8_t> rampPalette(std::uint32_t entries) {
    std::vector<std::uint8_t> out;
    for (std::uint32_t i = 0; i < entries; ++i) {
        out.insert(out.end(), {static_cast<std::uint8_t>(i / 2), static_cast<std::uint8_t>(255 - i),
                               static_cast<std::uint8_t>(i), 0});
    }
    return out;
}

std::vector<std::uint32_t> decodedPixels(const std::vector<std::uint8_t>& bytes) {
    Bitmap bitmap;
    if (!readBytes(bitmap, bytes)) return {};
    Pooled<BufferedImage> created;
    return pixelsOf(*bitmap.decode(0, nullptr, created));
}

TEST(BitmapRead, PixelOffsetInsideTheColourTableReadsThePixelsAfterTheTable) {
    // Writers that forget to count the colour table point bfOffBits at the
    // table itself; its bytes are not pixels.
    struct Case {
        const char* name;
        BmpFile file;
        std::uint32_t offBits;
    };
    const BmpFile eightBit = withPalette(
        make(4, 2, 8, rows(4, {{0, 7, 128, 255}, {200, 1, 64, 33}})), rampPalette(256), 0);
    const BmpFile fourBit = withPalette(make(3, 1, 4, {0x0F, 0x70, 0, 0}), rampPalette(16), 16);
    const Case cases[] = {
        {"256 entries, offset at the end of the headers", eightBit, 54},
        {"256 entries, offset in the middle of the table", eightBit, 54 + 100 * 4},
        {"256 entries, offset one byte before the pixels", eightBit, 54 + 1024 - 1},
        {"16 entries, offset at the end of the headers", fourBit, 54},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint32_t> right = decodedPixels(c.file.bytes());
        ASSERT_FALSE(right.empty());
        BmpFile wrong = c.file;
        wrong.offBits = c.offBits;
        EXPECT_EQ(decodedPixels(wrong.bytes()), right);
    }
}

TEST(BitmapRead, ShortOs2PaletteEndsWhereTheFileSaysThePixelsStart) {
    // A core header always declares a full table; this file holds two
    // entries and its pixels right after them, exactly up to its end.
    BmpFile f = make(2, 1, 8, {1, 0, 0, 0});
    f.headerSize = 12;
    f.palette = {0, 0, 0xFF, 0xFF, 0, 0};  // red, blue (3 bytes each)
    EXPECT_EQ(decodedPixels(f.bytes()), (std::vector<std::uint32_t>{kBlue, kRed}));
}

TEST(BitmapRead, RunLengthCodesThatLeaveTheImageAreClipped) {
    // Bottom row: a run of five red in a row of two. Top row: one black,
    // an absolute run of three red (one too many), then a delta far above
    // the image; the run after it must not be drawn anywhere.
    auto f = withCompression(
        withPalette(make(2, 2, 8, {5, 1, 0, 0, 1, 0, 0, 3, 1, 1, 1, 0, 0, 2, 0, 9, 2, 1}),
                    palette({0x000000, 0xFF0000}), 2),
        1);
    Bitmap bitmap;
    ASSERT_TRUE(readBytes(bitmap, f.bytes()));
    Pooled<BufferedImage> created;
    EXPECT_EQ(pixelsOf(*bitmap.decode(0, nullptr, created)),
              (std::vector<std::uint32_t>{kBlack, kRed, kRed, kRed}));
}

TEST(BitmapRead, ColourKeyMakesThatColourTransparent) {
    Bitmap bitmap;
    ASSERT_TRUE(readBytes(bitmap, make(2, 1, 24, {0xFE, 0xFD, 0xFC, 1, 2, 3}).bytes()));
    bitmap.setTransparentColour(0xFC, 0xFD, 0xFE);
    Pooled<BufferedImage> created;
    BufferedImage* image = bitmap.decode(0, nullptr, created);
    EXPECT_EQ(pixelsOf(*image), (std::vector<std::uint32_t>{0x00FCFDFE, 0xFF030201}));
    EXPECT_TRUE(image->hasAlpha());
}

TEST(BitmapRead, DecodeIntoAGivenImageResizesItAndResetsItsAlpha) {
    auto target = BufferedImage::createImage(5, 4);
    target->setAlpha(true);
    Bitmap bitmap;
    ASSERT_TRUE(readBytes(bitmap, make(2, 1, 24, {1, 2, 3, 4, 5, 6}).bytes()));
    Pooled<BufferedImage> created;
    EXPECT_EQ(bitmap.decode(0, target.get(), created), target.get());
    EXPECT_FALSE(created);
    EXPECT_EQ(target->getWidth(), 2);
    EXPECT_EQ(target->getHeight(), 1);
    EXPECT_FALSE(target->hasAlpha());
    EXPECT_EQ(pixelsOf(*target), (std::vector<std::uint32_t>{0xFF030201, 0xFF060504}));
}

// Every case starts from this valid 2 x 2, 24-bit file.
BmpFile validFile() {
    return make(2, 2, 24, rows(8, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}));
}

struct HostileCase {
    const char* name;
    std::function<std::vector<std::uint8_t>(BmpFile&)> build;
};

std::vector<std::uint8_t> bytesOf(BmpFile& f) {
    return f.bytes();
}

const HostileCase kHostile[] = {
    {"zero width",
     [](BmpFile& f) {
         f.width = 0;
         return bytesOf(f);
     }},
    {"negative width",
     [](BmpFile& f) {
         f.width = -2;
         return bytesOf(f);
     }},
    {"zero height",
     [](BmpFile& f) {
         f.height = 0;
         return bytesOf(f);
     }},
    {"lowest height",
     [](BmpFile& f) {
         f.height = INT_MIN;
         return bytesOf(f);
     }},
    {"side beyond the limit",
     [](BmpFile& f) {
         f.width = 65536;
         return bytesOf(f);
     }},
    {"area beyond the limit",
     [](BmpFile& f) {
         f.width = f.height = 65535;
         return bytesOf(f);
     }},
    {"two planes",
     [](BmpFile& f) {
         f.planes = 2;
         return bytesOf(f);
     }},
    {"2 bits per pixel",
     [](BmpFile& f) {
         f.bitCount = 2;
         return bytesOf(f);
     }},
    {"30000 bits per pixel",
     [](BmpFile& f) {
         f.bitCount = 30000;
         return bytesOf(f);
     }},
    {"zero bits per pixel",
     [](BmpFile& f) {
         f.bitCount = 0;
         return bytesOf(f);
     }},
    {"embedded JPEG",
     [](BmpFile& f) {
         f.compression = 4;
         return bytesOf(f);
     }},
    {"embedded PNG",
     [](BmpFile& f) {
         f.compression = 5;
         return bytesOf(f);
     }},
    {"alpha bit fields code",
     [](BmpFile& f) {
         f.compression = 6;
         return bytesOf(f);
     }},
    {"RLE8 on 24 bits",
     [](BmpFile& f) {
         f.compression = 1;
         return bytesOf(f);
     }},
    {"bit fields on 24 bits",
     [](BmpFile& f) {
         f = withMasks(f, {0xFF0000, 0xFF00, 0xFF});
         return bytesOf(f);
     }},
    {"top-down RLE8",
     [](BmpFile& f) {
         f = withCompression(withPalette(make(2, -2, 8, {0, 1}), palette({0}), 1), 1);
         return bytesOf(f);
     }},
    {"257 colours",
     [](BmpFile& f) {
         f = withPalette(make(2, 1, 8, rows(4, {{0, 0}})), std::vector<std::uint8_t>(257 * 4), 257);
         return bytesOf(f);
     }},
    {"absurd colour count",
     [](BmpFile& f) {
         f.clrUsed = 0x12345678;
         return bytesOf(f);
     }},
    {"header size 66",
     [](BmpFile& f) {
         f.headerSize = 66;
         return bytesOf(f);
     }},
    {"pixels beyond the file",
     [](BmpFile& f) {
         auto b = bytesOf(f);
         const auto size = static_cast<std::uint32_t>(b.size());
         for (int i = 0; i < 4; ++i) b[10 + i] = static_cast<std::uint8_t>((size + 1) >> (8 * i));
         return b;
     }},
    {"pixels inside the header",
     [](BmpFile& f) {
         f.offBits = 20;
         return bytesOf(f);
     }},
    {"mask with a gap",
     [](BmpFile& f) {
         f = withMasks(make(1, 1, 16, {0, 0, 0, 0}), {0x7C01, 0x03E0, 0x001E});
         return bytesOf(f);
     }},
    {"overlapping masks",
     [](BmpFile& f) {
         f = withMasks(make(1, 1, 16, {0, 0, 0, 0}), {0x7C00, 0x0FE0, 0x001F});
         return bytesOf(f);
     }},
    {"mask wider than the pixel",
     [](BmpFile& f) {
         f = withMasks(make(1, 1, 16, {0, 0, 0, 0}), {0x1F0000, 0x03E0, 0x001F});
         return bytesOf(f);
     }},
    {"no colour masks",
     [](BmpFile& f) {
         f = withMasks(make(1, 1, 32, {0, 0, 0, 0}), {0, 0, 0});
         return bytesOf(f);
     }},
    {"OS/2 header with code 3 (Huffman)",
     [](BmpFile& f) {
         f = withMasks(make(1, 1, 16, {0, 0, 0, 0}), {}, 64);
         return bytesOf(f);
     }},
    {"not BM",
     [](BmpFile& f) {
         auto b = bytesOf(f);
         b[0] = 'X';
         return b;
     }},
    {"file ends inside the header",
     [](BmpFile& f) {
         auto b = bytesOf(f);
         b.resize(30);
         return b;
     }},
    {"file ends inside the colour table",
     [](BmpFile& f) {
         f = withPalette(make(2, 1, 8, rows(4, {{0, 0}})), std::vector<std::uint8_t>(1024), 0);
         auto b = bytesOf(f);
         b.resize(14 + 40 + 100);
         return b;
     }},
};

TEST(BitmapRead, RefusesHostileHeadersAndStaysEmpty) {
    Bitmap bitmap;
    for (const HostileCase& c : kHostile) {
        SCOPED_TRACE(c.name);
        BmpFile base = validFile();
        ASSERT_TRUE(readBytes(bitmap, base.bytes()));  // a previous image must not survive
        BmpFile f = validFile();
        EXPECT_FALSE(readBytes(bitmap, c.build(f)));
        EXPECT_FALSE(bitmap.isValid());
        EXPECT_EQ(bitmap.getWidth(), 0);
        EXPECT_EQ(bitmap.getPixels(), nullptr);
        EXPECT_EQ(bitmap.decodeAll()->getCount(), 0);
        s::io::MemoryOutputStream out;
        EXPECT_FALSE(bitmap.writeTo(out));
    }
}

}  // namespace
