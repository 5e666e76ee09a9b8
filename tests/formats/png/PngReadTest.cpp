// Reading PNG files: the whole PngSuite against an independent decoder,
// corrupt and truncated files, hostile headers and chunk floods. Everything
// runs under the sanitizers in CI, so "refused" also means "refused without
// touching memory it should not".
#include <gtest/gtest.h>

#include <string>

#include "PngFixture.h"
#include "ReferencePng.h"
#include "image/BufferedImageSet.h"
#include "image/ImageLimits.h"

namespace tarvex::test {
namespace {

bool isCorrupt(const std::string& name) {
    return name[0] == 'x' || name.find("truncated") != std::string::npos;
}

// What decode() must give for a reference picture: the alpha as decoded,
// except that an alpha channel of zeros only means an opaque picture.
void expectSamePicture(const BufferedImage& image, ReferenceImage reference) {
    ASSERT_EQ(image.getWidth(), reference.width);
    ASSERT_EQ(image.getHeight(), reference.height);
    bool anyVisible = false, anyTranslucent = false;
    for (std::uint32_t p : reference.pixels) {
        anyVisible |= (p >> 24) != 0;
        anyTranslucent |= (p >> 24) != 255;
    }
    if (!anyVisible) {
        for (std::uint32_t& p : reference.pixels) p |= 0xFF000000u;
    }
    EXPECT_EQ(image.hasAlpha(), anyVisible && anyTranslucent);
    const std::vector<std::uint32_t> actual = pixelsOf(image);
    for (std::size_t i = 0; i < actual.size(); ++i) {
        ASSERT_EQ(actual[i], reference.pixels[i])
            << "pixel " << i % reference.width << "," << i / reference.width;
    }
}

TEST(PngRead, EveryValidSuiteFileDecodesAsTheReferenceDecoderSays) {
    const auto files = suiteFiles([](const std::string& name) { return !isCorrupt(name); });
    ASSERT_FALSE(files.empty());
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        const Bytes bytes = readBytes(kPngData / name);
        const ReferenceImage reference = decodeReferencePng(bytes);
        ASSERT_EQ(reference.error, "");
        Pooled<Png> png = readPng(bytes);
        ASSERT_TRUE(png->isValid()) << png->getLastMessage();
        auto set = png->decodeAll();
        ASSERT_EQ(set->getCount(), 1);
        EXPECT_EQ(set->getDepth(0), 32);
        expectSamePicture(*set->getImage(0), reference);
    }
}

// The spot checks the reference decoder itself must pass.
TEST(PngRead, SuiteSpotChecks) {
    struct Case {
        const char* file;
        std::int32_t x, y;
        std::uint32_t pixel;
    } const kCases[] = {
        {"basn0g01.png", 0, 0, 0xFFFFFFFF},      // 1-bit grey: white
        {"basn0g01.png", 31, 0, 0xFF000000},     // ... and black
        {"basn2c16.png", 0, 0, 0xFFFFFF00},      // 16-bit RGB: high bytes
        {"tbbn3p08.png", 0, 0, 0x00000000 | 0},  // palette entry with tRNS alpha 0
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.file);
        Pooled<BufferedImage> image = decodePng(readBytes(kPngData / c.file));
        ASSERT_TRUE(image);
        if (c.pixel >> 24 == 0) {
            EXPECT_EQ(image->getPixelRow(c.y)[c.x] >> 24, 0u);
            EXPECT_TRUE(image->hasAlpha());
        } else {
            EXPECT_EQ(image->getPixelRow(c.y)[c.x], c.pixel);
        }
    }
}

TEST(PngRead, CorruptAndTruncatedFilesAreRefused) {
    const auto files = suiteFiles(isCorrupt);
    ASSERT_FALSE(files.empty());
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        Pooled<Png> png = readPng(readBytes(kPngData / name));
        EXPECT_FALSE(png->isValid());
        EXPECT_FALSE(png->getLastMessage().empty());
        EXPECT_EQ(png->decodeAll()->getCount(), 0);
    }
}

// Every cut of an interlaced and a 16-bit file is refused (the end chunk is
// missing at the least) without reading outside a buffer.
TEST(PngRead, EveryTruncationIsRefused) {
    for (const char* file : {"basi3p02.png", "basn2c16.png"}) {
        SCOPED_TRACE(file);
        const Bytes whole = readBytes(kPngData / file);
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            ASSERT_FALSE(readPng(cut)->isValid()) << "length " << length;
        }
    }
}

// The library's default handlers print errors and warnings on stderr; ours
// keep the message instead.
TEST(PngRead, LibraryMessagesNeverReachStderr) {
    testing::internal::CaptureStderr();
    for (const std::string& name : suiteFiles(isCorrupt)) readPng(readBytes(kPngData / name));
    readPng({});
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// A 1 x 1 8-bit grey picture's image data.
Bytes onePixelData() {
    return deflated({0, 0x80});
}

TEST(PngRead, HostileHeadersAndChunksAreRefusedWithoutAllocatingForThem) {
    static_assert(s::image::ImageLimits::kMaxSide == 65535);
    struct Case {
        const char* what;
        Bytes file;
    } const kCases[] = {
        {"wider than the side bound",
         pngFile({ihdr(70000, 1, 8, 0), chunk("IDAT", onePixelData()), chunk("IEND", {})})},
        {"more pixels than the image bound",
         pngFile({ihdr(65535, 65535, 8, 6), chunk("IDAT", onePixelData()), chunk("IEND", {})})},
        {"zero width",
         pngFile({ihdr(0, 1, 8, 0), chunk("IDAT", onePixelData()), chunk("IEND", {})})},
        {"ancillary chunk claiming 2 GB",
         pngFile({ihdr(1, 1, 8, 0), chunk("tEXt", {'a', 0, 'b'}, 0x7FFFFFF0u),
                  chunk("IDAT", onePixelData()), chunk("IEND", {})})},
        {"image data claiming 2 GB",
         pngFile(
             {ihdr(1, 1, 8, 0), chunk("IDAT", onePixelData(), 0x7FFFFFF0u), chunk("IEND", {})})},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        Pooled<Png> png = readPng(c.file);
        EXPECT_FALSE(png->isValid());
        EXPECT_FALSE(png->getLastMessage().empty());
    }
}

// Metadata is neither kept nor inflated: a flood of text chunks and a
// compressed-text bomb (64 MiB of zeros) read like the plain picture.
TEST(PngRead, MetadataFloodsAndBombsAreSkipped) {
    Bytes bomb = {'b', 'o', 'm', 'b', 0, 0};
    const Bytes zeros = deflated(Bytes(64u << 20, 0));
    bomb.insert(bomb.end(), zeros.begin(), zeros.end());
    Bytes file = pngFile({ihdr(1, 1, 8, 0), chunk("zTXt", bomb)});
    const Bytes text = chunk("tEXt", {'k', 0, 'v', 'a', 'l', 'u', 'e'});
    const Bytes privateChunk = chunk("prVt", Bytes(1000, 7));
    for (int i = 0; i < 20000; ++i) {
        file.insert(file.end(), text.begin(), text.end());
        if (i % 10 == 0) file.insert(file.end(), privateChunk.begin(), privateChunk.end());
    }
    for (const Bytes& c : {chunk("IDAT", onePixelData()), chunk("IEND", {})}) {
        file.insert(file.end(), c.begin(), c.end());
    }
    Pooled<Png> png = readPng(file);
    ASSERT_TRUE(png->isValid()) << png->getLastMessage();
    Pooled<BufferedImage> image;
    ASSERT_TRUE(png->decode(0, nullptr, image));
    EXPECT_EQ(image->getPixelRow(0)[0], 0xFF808080u);
}

// How decode() reads the alpha bytes: some below 255 make a transparent
// picture; all 255, or all 0 (an alpha channel the writer did not use),
// an opaque one with the stored colours. Every pixel but the last holds
// `fill`; the multi-row cases put the deciding byte in the last row, past
// the first row the alpha scan may stop at.
TEST(PngRead, AlphaChannelDecidesWhetherThePictureIsTransparent) {
    struct Case {
        const char* what;
        std::int32_t width, height;
        std::uint32_t fill, last;  // the pixels as written
        std::uint32_t fillOut, lastOut;
        bool hasAlpha;
    } const kCases[] = {
        {"all zero", 2, 1, 0x00123456, 0x00ABCDEF, 0xFF123456, 0xFFABCDEF, false},
        {"all opaque", 2, 1, 0xFF123456, 0xFFABCDEF, 0xFF123456, 0xFFABCDEF, false},
        {"mixed", 2, 1, 0x00123456, 0x80ABCDEF, 0x00123456, 0x80ABCDEF, true},
        {"all zero over rows", 37, 5, 0x00FFFFFF, 0x00ABCDEF, 0xFFFFFFFF, 0xFFABCDEF, false},
        {"opaque but the last pixel", 37, 5, 0xFF123456, 0xFEABCDEF, 0xFF123456, 0xFEABCDEF, true},
        {"invisible but the last pixel", 37, 5, 0x00123456, 0x01ABCDEF, 0x00123456, 0x01ABCDEF,
         true},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        std::vector<std::uint32_t> pixels(std::size_t(c.width) * c.height, c.fill);
        pixels.back() = c.last;
        Pooled<BufferedImage> source = imageOf(c.width, c.height, pixels, true);
        Pooled<Png> png = Png::take();
        ASSERT_TRUE(png->fromImage(*source, false, true, 255, 255, 255));
        Pooled<BufferedImage> image = decodePng(writePng(*png));
        ASSERT_TRUE(image);
        const std::vector<std::uint32_t> decoded = pixelsOf(*image);
        EXPECT_EQ(decoded.front(), c.fillOut);
        EXPECT_EQ(decoded.back(), c.lastOut);
        EXPECT_EQ(image->hasAlpha(), c.hasAlpha);
    }
}

}  // namespace
}  // namespace tarvex::test
