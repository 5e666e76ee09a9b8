// EXIF orientation: reading the tag from untrusted APP1 payloads, and
// turning decoded photos upright.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "JpegFixture.h"
#include "formats/jpeg/ExifOrientation.h"

namespace tarvex::test {
namespace {

using s::image::jpg::win::ExifOrientation;

struct Entry {
    std::uint16_t tag, type;
    std::uint32_t count;
    std::uint16_t value;
};

// "Exif\0\0", a TIFF header in the given byte order, and IFD0 with the
// entries (count field as given, or the real count).
Bytes exifPayload(bool bigEndian, const std::vector<Entry>& entries, std::uint32_t ifdOffset = 8,
                  int declaredCount = -1) {
    Bytes b = {'E', 'x', 'i', 'f', 0, 0};
    const std::size_t tiff = b.size();
    auto put16 = [&](std::uint16_t v) {
        if (bigEndian)
            b.insert(b.end(), {static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)});
        else
            b.insert(b.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
    };
    auto put32 = [&](std::uint32_t v) {
        if (bigEndian) {
            put16(static_cast<std::uint16_t>(v >> 16));
            put16(static_cast<std::uint16_t>(v));
        } else {
            put16(static_cast<std::uint16_t>(v));
            put16(static_cast<std::uint16_t>(v >> 16));
        }
    };
    b.insert(b.end(), bigEndian ? std::initializer_list<std::uint8_t>{'M', 'M'}
                                : std::initializer_list<std::uint8_t>{'I', 'I'});
    put16(42);
    put32(ifdOffset);
    while (b.size() - tiff < 8) b.push_back(0);
    put16(static_cast<std::uint16_t>(declaredCount < 0 ? entries.size() : declaredCount));
    for (const Entry& e : entries) {
        put16(e.tag);
        put16(e.type);
        put32(e.count);
        put16(e.value);
        put16(0);
    }
    put32(0);  // no next IFD
    return b;
}

constexpr std::uint16_t kOrientation = 0x0112, kShort = 3, kLong = 4;
const Entry kWidthTag = {0x0100, kShort, 1, 640};

TEST(ExifOrientation, ReadsTheTagAndFallsBackToUprightOnAnythingDamaged) {
    struct Case {
        const char* what;
        Bytes payload;
        int expected;
    };
    Bytes notExif = exifPayload(false, {{kOrientation, kShort, 1, 6}});
    notExif[0] = 'X';
    Bytes cutInEntry = exifPayload(false, {kWidthTag, {kOrientation, kShort, 1, 6}});
    cutInEntry.erase(cutInEntry.end() - 10, cutInEntry.end());
    Bytes badOrder = exifPayload(false, {{kOrientation, kShort, 1, 6}});
    badOrder[6] = 'X';
    const Case kCases[] = {
        {"little-endian", exifPayload(false, {{kOrientation, kShort, 1, 6}}), 6},
        {"big-endian", exifPayload(true, {{kOrientation, kShort, 1, 8}}), 8},
        {"after another tag", exifPayload(true, {kWidthTag, {kOrientation, kShort, 1, 3}}), 3},
        {"no orientation tag", exifPayload(false, {kWidthTag}), 1},
        {"value 0", exifPayload(false, {{kOrientation, kShort, 1, 0}}), 1},
        {"value 9", exifPayload(false, {{kOrientation, kShort, 1, 9}}), 1},
        {"wrong type", exifPayload(false, {{kOrientation, kLong, 1, 6}}), 1},
        {"IFD offset past the block", exifPayload(false, {{kOrientation, kShort, 1, 6}}, 4000), 1},
        {"IFD offset near 4 GiB", exifPayload(false, {{kOrientation, kShort, 1, 6}}, 0xFFFFFFF0u),
         1},
        {"count larger than the block", exifPayload(false, {kWidthTag}, 8, 60000), 1},
        {"cut inside the entry", cutInEntry, 1},
        {"not EXIF", notExif, 1},
        {"unknown byte order", badOrder, 1},
        {"identifier only", Bytes{'E', 'x', 'i', 'f', 0, 0}, 1},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ExifOrientation::fromApp1(c.payload.data(), c.payload.size()), c.expected);
    }
}

// Each hopper_orientation_N file stores the hopper picture turned the way N
// describes; read upright, it must match the untagged file (up to the noise
// of re-encoding).
TEST(JpegOrientation, TaggedPhotosDecodeUprightToTheUntaggedPicture) {
    Pooled<BufferedImage> reference = decodeCorpus("hopper.jpg");
    ASSERT_TRUE(reference);
    for (int n = 2; n <= 8; ++n) {
        const std::string file = "hopper_orientation_" + std::to_string(n) + ".jpg";
        SCOPED_TRACE(file);
        Pooled<BufferedImage> image = decodeCorpus(file);
        ASSERT_TRUE(image);
        EXPECT_LT(meanDifference(*image, *reference), 8.0);
    }
}

TEST(JpegOrientation, TurnedPictureTakesTheUprightSize) {
    Pooled<Jpeg> jpeg = readJpeg(corpusFile("orientation_rectangle.jpg"));  // 2 x 1, tag 8
    ASSERT_TRUE(jpeg->isValid());
    EXPECT_EQ(jpeg->getWidth(), 1);
    EXPECT_EQ(jpeg->getHeight(), 2);
}

// An APP1 segment with the given payload.
Bytes app1(const Bytes& payload) {
    const std::size_t length = payload.size() + 2;
    Bytes b = {0xFF, 0xE1, static_cast<std::uint8_t>(length >> 8),
               static_cast<std::uint8_t>(length)};
    b.insert(b.end(), payload.begin(), payload.end());
    return b;
}

// Only the first EXIF block counts: other APP1 segments (XMP) before it and
// any number after it are skipped.
TEST(JpegOrientation, FirstExifBlockDecidesAmongManyApp1Segments) {
    Bytes file = corpusFile("hopper.jpg");
    Bytes segments;
    const std::string xmpText = "http://ns.adobe.com/xap/1.0/";
    Bytes xmp(xmpText.begin(), xmpText.end());
    xmp.resize(3000, ' ');
    segments = app1(xmp);
    const Bytes first = app1(exifPayload(false, {{kOrientation, kShort, 1, 6}}));
    segments.insert(segments.end(), first.begin(), first.end());
    const Bytes later = app1(exifPayload(true, {{kOrientation, kShort, 1, 3}}));
    for (int i = 0; i < 200; ++i) segments.insert(segments.end(), later.begin(), later.end());
    file.insert(file.begin() + 2, segments.begin(), segments.end());  // after SOI

    Pooled<BufferedImage> turned = decodeJpeg(file);
    Pooled<BufferedImage> reference = decodeCorpus("hopper.jpg");
    ASSERT_TRUE(turned && reference);
    Pooled<BufferedImage> expected = reference->rotateClockwise();
    EXPECT_TRUE(samePixels(*turned, *expected));
}

}  // namespace
}  // namespace tarvex::test
