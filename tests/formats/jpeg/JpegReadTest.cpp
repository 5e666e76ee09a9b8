// Reading JPEG files: the conformance corpus, colour handling, damaged and
// hostile input. Everything runs under the sanitizers in CI, so "refused"
// also means "refused without touching memory it should not".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "JpegFixture.h"
#include "image/BufferedImageSet.h"
#include "image/ImageLimits.h"

namespace tarvex::test {
namespace {

enum class Outcome { Decodes, Refused, Either };

struct CorpusCase {
    const char* file;
    Outcome outcome;
    std::int32_t width, height;  // upright size when it decodes
};

// Sizes are those of the upright picture; truncated files are completed by
// the library, so they decode to their full size.
const CorpusCase kCorpus[] = {
    {"exif-200dpcm.jpg", Outcome::Decodes, 200, 200},
    {"hippopotamus-bad-comment-length.jpeg", Outcome::Either, 36, 28},
    {"hippopotamus-sof-dht-swap.jpeg", Outcome::Decodes, 36, 28},
    {"hopper.jpg", Outcome::Decodes, 128, 128},
    {"hopper_16bit_qtables.jpg", Outcome::Decodes, 128, 128},
    {"hopper_gray.jpg", Outcome::Decodes, 128, 128},
    {"hopper_orientation_2.jpg", Outcome::Decodes, 128, 128},
    {"hopper_orientation_3.jpg", Outcome::Decodes, 128, 128},
    {"hopper_orientation_4.jpg", Outcome::Decodes, 128, 128},
    {"hopper_orientation_5.jpg", Outcome::Decodes, 128, 128},
    {"hopper_orientation_6.jpg", Outcome::Decodes, 128, 128},
    {"hopper_orientation_7.jpg", Outcome::Decodes, 128, 128},
    {"hopper_orientation_8.jpg", Outcome::Decodes, 128, 128},
    {"mona-lisa.21x32.q90.jpeg", Outcome::Decodes, 21, 32},
    {"monkey12.jpg", Outcome::Either, 0, 0},
    {"orientation_rectangle.jpg", Outcome::Decodes, 1, 2},
    {"oss-fuzz-36829.jpeg", Outcome::Refused, 0, 0},
    {"peacock.default.jpeg", Outcome::Decodes, 100, 75},
    {"peacock.default.truncated.jpeg", Outcome::Decodes, 100, 75},
    {"peacock.grayscale.jpeg", Outcome::Decodes, 100, 75},
    {"peacock.progressive.jpeg", Outcome::Decodes, 100, 75},
    {"peacock.progressive.truncated.jpeg", Outcome::Decodes, 100, 75},
    {"peacock.s-very-weird.jpeg", Outcome::Either, 100, 75},
    {"peacock.s-weird.jpeg", Outcome::Decodes, 100, 75},
    {"peacock.s1x1-444.jpeg", Outcome::Decodes, 100, 75},
    {"peacock.s1x3.jpeg", Outcome::Decodes, 100, 75},
    {"peacock.s2x1-422.jpeg", Outcome::Decodes, 100, 75},
    {"pil_sample_cmyk.jpg", Outcome::Decodes, 100, 100},
    {"testimgari.jpg", Outcome::Either, 227, 149},
    {"testorig.jpg", Outcome::Decodes, 227, 149},
    {"testprog.jpg", Outcome::Decodes, 227, 149},
    {"truncated_jpeg.jpg", Outcome::Decodes, 100, 100},
};

TEST(JpegRead, CorpusFilesDecodeToTheirUprightSizeOrAreRefused) {
    for (const CorpusCase& c : kCorpus) {
        SCOPED_TRACE(c.file);
        Pooled<Jpeg> jpeg = readJpeg(corpusFile(c.file));
        if (c.outcome == Outcome::Refused) {
            EXPECT_FALSE(jpeg->isValid());
            EXPECT_EQ(jpeg->decodeAll()->getCount(), 0);
            continue;
        }
        if (c.outcome == Outcome::Either && !jpeg->isValid()) continue;
        ASSERT_TRUE(jpeg->isValid()) << jpeg->getLastMessage();
        EXPECT_EQ(jpeg->getWidth(), c.width);
        EXPECT_EQ(jpeg->getHeight(), c.height);
        auto set = jpeg->decodeAll();
        ASSERT_EQ(set->getCount(), 1);
        EXPECT_EQ(set->getDepth(0), 24);
        const BufferedImage& image = *set->getImage(0);
        EXPECT_EQ(image.getWidth(), c.width);
        EXPECT_EQ(image.getHeight(), c.height);
        EXPECT_FALSE(image.hasAlpha());
    }
}

TEST(JpegRead, GreyscaleFilesGiveThreeEqualChannels) {
    for (const char* file : {"hopper_gray.jpg", "peacock.grayscale.jpeg"}) {
        SCOPED_TRACE(file);
        Pooled<BufferedImage> image = decodeCorpus(file);
        ASSERT_TRUE(image);
        int distinct = 0, last = -1;
        for (std::int32_t y = 0; y < image->getHeight(); ++y) {
            for (std::int32_t x = 0; x < image->getWidth(); ++x) {
                const Colour c = colourAt(*image, x, y);
                ASSERT_EQ(c.blue, c.green);
                ASSERT_EQ(c.green, c.red);
                distinct += c.red != last;
                last = c.red;
            }
        }
        EXPECT_GT(distinct, 100);  // a picture, not a flat fill
    }
}

// Adobe writes CMYK inverted; read without the inversion the picture would
// be light with black text instead of black with red text.
TEST(JpegRead, AdobeCmykGivesTheRightColours) {
    Pooled<BufferedImage> image = decodeCorpus("pil_sample_cmyk.jpg");
    ASSERT_TRUE(image);
    // The lower part of the picture is background.
    for (std::int32_t x : {0, 50, 99}) {
        const Colour c = colourAt(*image, x, 90);
        EXPECT_LE(c.red, 12);
        EXPECT_LE(c.green, 12);
        EXPECT_LE(c.blue, 12);
    }
    int redText = 0;
    for (std::int32_t y = 0; y < image->getHeight(); ++y) {
        for (std::int32_t x = 0; x < image->getWidth(); ++x) {
            const Colour c = colourAt(*image, x, y);
            redText += c.red > 230 && c.green < 40 && c.blue < 50;
        }
    }
    EXPECT_GT(redText, 100);
}

TEST(JpegRead, ProgressiveFilesDecodeToTheSamePixelsAsTheirBaselineTwins) {
    const std::pair<const char*, const char*> kTwins[] = {
        {"testprog.jpg", "testorig.jpg"},
        {"peacock.progressive.jpeg", "peacock.default.jpeg"},
    };
    for (const auto& [progressive, baseline] : kTwins) {
        SCOPED_TRACE(progressive);
        Pooled<BufferedImage> a = decodeCorpus(progressive);
        Pooled<BufferedImage> b = decodeCorpus(baseline);
        ASSERT_TRUE(a && b);
        EXPECT_TRUE(samePixels(*a, *b));
    }
}

// A stream that ends in the entropy-coded data gives the whole picture: the
// part that arrived as in the intact file, the rest filled by the library.
TEST(JpegRead, TruncatedFileGivesACompletePictureAndKeepsTheWarning) {
    Pooled<Jpeg> truncated = readJpeg(corpusFile("peacock.default.truncated.jpeg"));
    Pooled<BufferedImage> intact = decodeCorpus("peacock.default.jpeg");
    ASSERT_TRUE(truncated->isValid());
    ASSERT_TRUE(intact);
    EXPECT_FALSE(truncated->getLastMessage().empty());
    Pooled<BufferedImage> partial;
    ASSERT_TRUE(truncated->decode(0, nullptr, partial));
    ASSERT_EQ(partial->getWidth(), 100);
    ASSERT_EQ(partial->getHeight(), 75);
    // The first MCU row (16 lines at 4:2:0) lies well inside the 1024 bytes;
    // its last lines also depend on the next row's chroma (smooth upsampling).
    for (std::int32_t y = 0; y < 14; ++y) {
        EXPECT_EQ(std::memcmp(partial->getRow(y), intact->getRow(y), 100 * 4), 0) << "row " << y;
    }
    EXPECT_FALSE(samePixels(*partial, *intact));
}

TEST(JpegRead, EmptyStreamIsRefused) {
    Pooled<Jpeg> jpeg = readJpeg({});
    EXPECT_FALSE(jpeg->isValid());
    EXPECT_EQ(jpeg->getWidth(), 0);
    EXPECT_FALSE(jpeg->getLastMessage().empty());
    EXPECT_EQ(jpeg->decodeAll()->getCount(), 0);
}

// Every cut of a small file, from the signature on, is either refused or
// completed to its full size -- and never reads outside a buffer.
TEST(JpegRead, EveryTruncationIsRefusedOrCompleted) {
    const Bytes whole = corpusFile("hippopotamus-sof-dht-swap.jpeg");
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        Pooled<Jpeg> jpeg = readJpeg(cut);
        if (!jpeg->isValid()) continue;
        ASSERT_EQ(jpeg->getWidth(), 36) << "length " << length;
        ASSERT_EQ(jpeg->getHeight(), 28) << "length " << length;
    }
}

// The library's default handlers print on stderr (and end the process on a
// fatal error); ours keep the message instead.
TEST(JpegRead, LibraryMessagesNeverReachStderr) {
    testing::internal::CaptureStderr();
    for (const char* file : {"peacock.default.truncated.jpeg", "truncated_jpeg.jpg",
                             "oss-fuzz-36829.jpeg", "monkey12.jpg"}) {
        readJpeg(corpusFile(file));
    }
    readJpeg({});
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// A minimal JPEG header up to the first scan: SOI, SOF0 with the given size
// and components, SOS. The library reads it without complaint; pixels would
// only be allocated after it.
Bytes headerOnly(std::uint16_t width, std::uint16_t height, std::uint8_t components) {
    Bytes b = {0xFF, 0xD8, 0xFF, 0xC0};
    const std::uint16_t sofLength = 8 + 3 * components;
    b.insert(b.end(),
             {static_cast<std::uint8_t>(sofLength >> 8), static_cast<std::uint8_t>(sofLength), 8,
              static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
              static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width), components});
    for (std::uint8_t c = 1; c <= components; ++c) b.insert(b.end(), {c, 0x11, 0});
    const std::uint16_t sosLength = 6 + 2 * components;
    b.insert(b.end(), {0xFF, 0xDA, static_cast<std::uint8_t>(sosLength >> 8),
                       static_cast<std::uint8_t>(sosLength), components});
    for (std::uint8_t c = 1; c <= components; ++c) b.insert(b.end(), {c, 0});
    b.insert(b.end(), {0, 63, 0});
    return b;
}

TEST(JpegRead, HostileHeadersAreRefusedBeforeAnythingIsAllocated) {
    static_assert(65000 < s::image::ImageLimits::kMaxSide);
    struct Case {
        const char* what;
        std::uint16_t width, height;
        std::uint8_t components;
    } const kCases[] = {
        {"more pixels than the image bound", 65000, 65000, 3},
        {"just over the pixel bound", 65000, 2066, 1},
        {"two components", 16, 16, 2},
        {"five components", 16, 16, 5},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        Pooled<Jpeg> jpeg = readJpeg(headerOnly(c.width, c.height, c.components));
        EXPECT_FALSE(jpeg->isValid());
        EXPECT_FALSE(jpeg->getLastMessage().empty());
    }
}

// 704 scans of an 8 x 8 picture: a valid file, but each scan would make the
// decoder pass over the whole picture again, so a small hostile file could
// keep a batch busy for hours.
TEST(JpegRead, ProgressiveFileWithHundredsOfScansIsRefused) {
    Pooled<Jpeg> jpeg = readJpeg(corpusFile("many-scans.jpg"));
    EXPECT_FALSE(jpeg->isValid());
    EXPECT_NE(jpeg->getLastMessage().find("scans"), std::string::npos);
}

// Decoding into a given target reuses it; the object itself stays intact
// for another decode.
TEST(JpegRead, DecodeFillsAGivenTargetAndCanBeRepeated) {
    Pooled<Jpeg> jpeg = readJpeg(corpusFile("mona-lisa.21x32.q90.jpeg"));
    ASSERT_TRUE(jpeg->isValid());
    Pooled<BufferedImage> target = BufferedImage::createImage(300, 300);
    target->setAlpha(true);
    Pooled<BufferedImage> unused;
    ASSERT_EQ(jpeg->decode(0, target.get(), unused), target.get());
    EXPECT_FALSE(unused);
    EXPECT_EQ(target->getWidth(), 21);
    EXPECT_EQ(target->getHeight(), 32);
    EXPECT_FALSE(target->hasAlpha());
    Pooled<BufferedImage> again;
    ASSERT_TRUE(jpeg->decode(0, nullptr, again));
    EXPECT_TRUE(samePixels(*target, *again));
}

}  // namespace
}  // namespace tarvex::test
