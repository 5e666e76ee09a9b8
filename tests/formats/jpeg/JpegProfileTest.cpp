// ICC profiles of JPEG files: an RGB profile of a colour file reaches the
// output byte for byte (however it was split over APP2 segments), the
// output differs from an untagged one only by those segments, and profiles
// that do not describe our RGB output, or are damaged, are dropped while
// the file is still decoded.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "JpegFixture.h"
#include "formats/IccFixture.h"
#include "formats/ProfileReaders.h"
#include "image/BufferedImageSet.h"

namespace tarvex::test {
namespace {

using s::image::win::BufferedImageSet;

constexpr std::size_t kMaxPart = 65519;  // profile bytes one APP2 segment holds

// One APP2 segment with an ICC_PROFILE header.
Bytes iccSegment(int sequence, int count, const Bytes& data) {
    const std::size_t length = 2 + 14 + data.size();
    Bytes s = {0xFF,
               0xE2,
               static_cast<std::uint8_t>(length >> 8),
               static_cast<std::uint8_t>(length),
               'I',
               'C',
               'C',
               '_',
               'P',
               'R',
               'O',
               'F',
               'I',
               'L',
               'E',
               0,
               static_cast<std::uint8_t>(sequence),
               static_cast<std::uint8_t>(count)};
    s.insert(s.end(), data.begin(), data.end());
    return s;
}

// The profile cut into `count` parts of (nearly) equal size.
std::vector<Bytes> partsOf(const Bytes& profile, std::size_t count) {
    std::vector<Bytes> parts;
    const std::size_t size = (profile.size() + count - 1) / count;
    for (std::size_t at = 0; at < profile.size(); at += size) {
        parts.emplace_back(
            profile.begin() + static_cast<std::ptrdiff_t>(at),
            profile.begin() + static_cast<std::ptrdiff_t>(std::min(at + size, profile.size())));
    }
    return parts;
}

// The profile in as many segments as it needs, numbered in order.
std::vector<Bytes> segmentsOf(const Bytes& profile) {
    const std::vector<Bytes> parts = partsOf(profile, (profile.size() + kMaxPart - 1) / kMaxPart);
    std::vector<Bytes> segments;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        segments.push_back(
            iccSegment(static_cast<int>(i + 1), static_cast<int>(parts.size()), parts[i]));
    }
    return segments;
}

// The file with the segments inserted after SOI and its APP0, if any.
Bytes spliced(const Bytes& jpeg, const std::vector<Bytes>& segments) {
    std::size_t at = 2;
    if (jpeg[2] == 0xFF && jpeg[3] == 0xE0) at = 4 + (std::size_t{jpeg[4]} << 8 | jpeg[5]);
    Bytes out(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(at));
    for (const Bytes& s : segments) out.insert(out.end(), s.begin(), s.end());
    out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(at), jpeg.end());
    return out;
}

// The file read, handed to the job's set and written back as the job does.
Bytes rewritten(const Bytes& file) {
    Pooled<Jpeg> jpeg = readJpeg(file);
    EXPECT_TRUE(jpeg->isValid()) << jpeg->getLastMessage();
    Pooled<BufferedImageSet> set = jpeg->decodeAll();
    if (!set || set->getCount() == 0) return {};
    Pooled<s::image::IEncodedImage> out = jpeg->encodeSet(*set);
    s::io::MemoryOutputStream stream;
    EXPECT_TRUE(out && out->writeTo(stream));
    return stream.take();
}

const Bytes& colourPhoto() {
    static const Bytes bytes = corpusFile("hopper.jpg");
    return bytes;
}

TEST(JpegProfile, RgbProfileOfAColourFileReachesTheOutputByteForByte) {
    const Bytes srgb = srgb2014Profile();
    ASSERT_EQ(srgb.size(), 3024u);
    const Bytes large = madeUpProfile("RGB ", 150 * 1024);
    const Bytes largest = madeUpProfile("RGB ", s::image::ColourProfile::kMaxIccBytes, 7);
    const std::vector<Bytes> thirds = partsOf(madeUpProfile("RGB ", 5000, 3), 3);
    struct Case {
        const char* name;
        Bytes profile;
        std::vector<Bytes> segments;
    } const cases[] = {
        {"sRGB2014 in one segment", srgb, segmentsOf(srgb)},
        {"150 KiB over three segments", large, segmentsOf(large)},
        {"1 MiB, the largest carried, over 17 segments", largest, segmentsOf(largest)},
        {"parts out of order",
         madeUpProfile("RGB ", 5000, 3),
         {iccSegment(2, 3, thirds[1]), iccSegment(3, 3, thirds[2]), iccSegment(1, 3, thirds[0])}},
        {"beside an APP2 segment of another kind",
         srgb,
         {Bytes{0xFF, 0xE2, 0, 8, 'F', 'P', 'X', 'R', 0, 1}, segmentsOf(srgb)[0]}},
    };
    const Bytes untagged = rewritten(colourPhoto());
    ASSERT_TRUE(jpegLibraryProfile(untagged).empty());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = spliced(colourPhoto(), c.segments);
        Pooled<Jpeg> jpeg = readJpeg(file);
        ASSERT_TRUE(jpeg->getColourProfile());
        EXPECT_EQ(jpeg->getColourProfile()->icc, c.profile);

        const Bytes output = rewritten(file);
        EXPECT_EQ(jpegLibraryProfile(output), c.profile);
        // Same pixels, same encoding: only the profile's segments were added.
        EXPECT_EQ(withoutApp2(output), untagged);
    }
}

TEST(JpegProfile, ProfilesThatDoNotDescribeTheOutputOrAreDamagedAreDroppedNeverFatal) {
    const Bytes rgb = madeUpProfile("RGB ", 4000);
    Bytes wrongSize = rgb;
    wrongSize[3] ^= 1;
    Bytes noSignature = rgb;
    noSignature[36] = 'x';
    const std::vector<Bytes> halves = partsOf(rgb, 2);
    const Bytes tooLarge = madeUpProfile("RGB ", s::image::ColourProfile::kMaxIccBytes + 1);
    const Bytes cmykFile = corpusFile("pil_sample_cmyk.jpg");
    const Bytes greyFile = corpusFile("hopper_gray.jpg");
    struct Case {
        const char* name;
        Bytes base;
        std::vector<Bytes> segments;
    } const cases[] = {
        {"CMYK file with a CMYK profile", cmykFile, segmentsOf(madeUpProfile("CMYK", 3000))},
        {"CMYK file with an RGB profile", cmykFile, segmentsOf(rgb)},
        {"greyscale file with a grey profile", greyFile, segmentsOf(madeUpProfile("GRAY", 800))},
        {"greyscale file with an RGB profile", greyFile, segmentsOf(rgb)},
        {"colour file with a grey profile", colourPhoto(), segmentsOf(madeUpProfile("GRAY", 800))},
        {"colour file with a CMYK profile", colourPhoto(), segmentsOf(madeUpProfile("CMYK", 900))},
        {"sequence number 0", colourPhoto(), {iccSegment(0, 1, rgb)}},
        {"sequence number above the count", colourPhoto(), {iccSegment(2, 1, rgb)}},
        {"part count 0", colourPhoto(), {iccSegment(1, 0, rgb)}},
        {"part counts disagree",
         colourPhoto(),
         {iccSegment(1, 2, halves[0]), iccSegment(2, 3, halves[1])}},
        {"a part twice",
         colourPhoto(),
         {iccSegment(1, 2, halves[0]), iccSegment(1, 2, halves[0]), iccSegment(2, 2, halves[1])}},
        {"a part missing", colourPhoto(), {iccSegment(1, 2, halves[0])}},
        {"declared size not the byte count", colourPhoto(), segmentsOf(wrongSize)},
        {"no profile signature", colourPhoto(), segmentsOf(noSignature)},
        {"shorter than a profile header", colourPhoto(), {iccSegment(1, 1, Bytes(100, 0))}},
        {"larger than 1 MiB", colourPhoto(), segmentsOf(tooLarge)},
    };
    // One object for all, first holding a carried profile: none may survive.
    Pooled<Jpeg> jpeg = readJpeg(spliced(colourPhoto(), segmentsOf(rgb)));
    ASSERT_TRUE(jpeg->getColourProfile());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = spliced(c.base, c.segments);
        s::io::MemoryInputStream stream(file.data(), file.size());
        ASSERT_TRUE(jpeg->readFrom(stream)) << jpeg->getLastMessage();
        EXPECT_FALSE(jpeg->getColourProfile());
        Pooled<BufferedImage> picture;
        ASSERT_TRUE(jpeg->decode(0, nullptr, picture));
        Pooled<BufferedImage> untagged = decodeJpeg(c.base);
        EXPECT_TRUE(samePixels(*picture, *untagged));
        EXPECT_TRUE(jpegLibraryProfile(rewritten(file)).empty());
    }
}

TEST(JpegProfile, SetWithoutItsProfileWritesTheUntaggedFile) {
    const Bytes file = spliced(colourPhoto(), segmentsOf(srgb2014Profile()));
    Pooled<Jpeg> jpeg = readJpeg(file);
    Pooled<BufferedImageSet> set = jpeg->decodeAll();
    ASSERT_TRUE(set->getColourProfile());
    set->setColourProfile(nullptr);
    Pooled<s::image::IEncodedImage> out = jpeg->encodeSet(*set);
    s::io::MemoryOutputStream stream;
    ASSERT_TRUE(out->writeTo(stream));
    EXPECT_EQ(stream.take(), rewritten(colourPhoto()));
}

}  // namespace
}  // namespace tarvex::test
