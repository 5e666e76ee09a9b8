// Writing JPEG files: what the default encoding produces (baseline, 4:2:0,
// quality 75), that writing changes nothing, transparency on white, and
// failing streams.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "JpegFixture.h"
#include "image/BufferedImageSet.h"
#include "image/filters/scale/ScaleFilter.h"

namespace tarvex::test {
namespace {

using s::image::win::BufferedImageSet;

// A photo to encode, as the job would hand it over.
Pooled<Jpeg> encodedPhoto() {
    Pooled<BufferedImage> photo = decodeCorpus("hopper.jpg");
    EXPECT_TRUE(photo);
    Pooled<Jpeg> jpeg = Jpeg::take();
    EXPECT_TRUE(jpeg->fromImage(*photo, 75, 255, 255, 255));
    return jpeg;
}

// One marker segment of a JPEG file: its code and payload (after the length).
struct Segment {
    std::uint8_t marker;
    Bytes payload;
};

// The marker segments up to the first scan (the headers).
std::vector<Segment> headerSegments(const Bytes& file) {
    std::vector<Segment> out;
    std::size_t at = 2;  // after SOI
    while (at + 4 <= file.size() && file[at] == 0xFF) {
        const std::uint8_t marker = file[at + 1];
        const std::size_t length = std::size_t{file[at + 2]} << 8 | file[at + 3];
        if (length < 2 || at + 2 + length > file.size()) break;
        out.push_back({marker, Bytes(file.begin() + at + 4, file.begin() + at + 2 + length)});
        if (marker == 0xDA) break;
        at += 2 + length;
    }
    return out;
}

// The quantisation tables of the JPEG standard (Annex K), natural order.
constexpr int kLuminance[64] = {16,  11,  10,  16,  24, 40, 51,  61,  12,  12,  14,  19,  26,
                                58,  60,  55,  14,  13, 16, 24,  40,  57,  69,  56,  14,  17,
                                22,  29,  51,  87,  80, 62, 18,  22,  37,  56,  68,  109, 103,
                                77,  24,  35,  55,  64, 81, 104, 113, 92,  49,  64,  78,  87,
                                103, 121, 120, 101, 72, 92, 95,  98,  112, 100, 103, 99};
constexpr int kChrominance[64] = {17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
                                  24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
                                  99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
                                  99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
// Zig-zag position i holds natural index kZigZag[i].
constexpr int kZigZag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// Quality 75 scales the standard tables by 50 %, rounded, kept within 1..255.
int quality75(int base) {
    const int q = (base * 50 + 50) / 100;
    return q < 1 ? 1 : (q > 255 ? 255 : q);
}

TEST(JpegWrite, OutputIsBaselineJfifWithQuality75TablesAnd420Sampling) {
    const Bytes file = writeJpeg(*encodedPhoto());
    ASSERT_GE(file.size(), 4u);
    EXPECT_EQ(file[0], 0xFF);
    EXPECT_EQ(file[1], 0xD8);
    EXPECT_EQ(file[file.size() - 2], 0xFF);
    EXPECT_EQ(file[file.size() - 1], 0xD9);

    bool jfif = false, baselineFrame = false;
    int tablesSeen = 0;
    for (const Segment& s : headerSegments(file)) {
        EXPECT_NE(s.marker, 0xE1) << "no EXIF is written";
        EXPECT_NE(s.marker, 0xC2) << "not progressive";
        if (s.marker == 0xE0)
            jfif = s.payload.size() >= 5 && std::memcmp(s.payload.data(), "JFIF", 5) == 0;
        if (s.marker == 0xDB) {
            // One or more tables: precision/id byte, then 64 values in zig-zag order.
            for (std::size_t t = 0; t + 65 <= s.payload.size(); t += 65, ++tablesSeen) {
                const int id = s.payload[t] & 0x0F;
                ASSERT_EQ(s.payload[t] >> 4, 0) << "8-bit table entries (baseline)";
                const int* base = id == 0 ? kLuminance : kChrominance;
                for (int i = 0; i < 64; ++i) {
                    ASSERT_EQ(s.payload[t + 1 + i], quality75(base[kZigZag[i]]))
                        << "table " << id << " entry " << i;
                }
            }
        }
        if (s.marker == 0xC0) {
            baselineFrame = true;
            ASSERT_EQ(s.payload.size(), 6u + 3 * 3);
            EXPECT_EQ(s.payload[0], 8);      // sample precision
            EXPECT_EQ(s.payload[5], 3);      // components
            EXPECT_EQ(s.payload[7], 0x22);   // Y: 2 x 2
            EXPECT_EQ(s.payload[10], 0x11);  // Cb
            EXPECT_EQ(s.payload[13], 0x11);  // Cr
        }
    }
    EXPECT_TRUE(jfif);
    EXPECT_TRUE(baselineFrame);
    EXPECT_EQ(tablesSeen, 2);
}

TEST(JpegWrite, WritingTwiceGivesTheSameBytesAndLeavesThePictureUnchanged) {
    Pooled<Jpeg> jpeg = readJpeg(corpusFile("mona-lisa.21x32.q90.jpeg"));
    ASSERT_TRUE(jpeg->isValid());
    Pooled<BufferedImage> before = jpeg->getPicture()->copy();
    const Bytes first = writeJpeg(*jpeg);
    const Bytes second = writeJpeg(*jpeg);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, second);
    EXPECT_TRUE(samePixels(*jpeg->getPicture(), *before));
}

TEST(JpegWrite, RoundTripKeepsThePicture) {
    Pooled<BufferedImage> photo = decodeCorpus("hopper.jpg");
    const Bytes file = writeJpeg(*encodedPhoto());
    Pooled<BufferedImage> back = decodeJpeg(file);
    ASSERT_TRUE(photo && back);
    EXPECT_LT(meanDifference(*photo, *back), 8.0);
}

// Transparency is composited onto white: a fully transparent red pixel
// becomes white, a half-transparent black one mid-grey. The source keeps
// its pixels.
TEST(JpegWrite, TransparentPixelsAreCompositedOnWhite) {
    Pooled<BufferedImage> source = BufferedImage::createImage(16, 16);
    for (std::int32_t y = 0; y < 16; ++y) {
        for (std::int32_t x = 0; x < 16; ++x) {
            source->getPixelRow(y)[x] = x < 8 ? 0x00FF0000u : 0x80000000u;
        }
    }
    source->setAlpha(true);
    Pooled<BufferedImage> original = source->copy();

    auto encoded = Jpeg::take()->encodeImage(*source);
    ASSERT_TRUE(encoded);
    auto* jpeg = dynamic_cast<Jpeg*>(encoded.get());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg->getQuality(), 75);
    const BufferedImage& picture = *jpeg->getPicture();
    EXPECT_EQ(picture.getPixelRow(0)[0], 0xFFFFFFFFu);
    EXPECT_EQ(picture.getPixelRow(0)[15], 0xFF7F7F7Fu);
    EXPECT_FALSE(picture.hasAlpha());
    EXPECT_TRUE(samePixels(*source, *original));

    Pooled<BufferedImage> back = decodeJpeg(writeJpeg(*jpeg));
    ASSERT_TRUE(back);
    const Colour left = colourAt(*back, 2, 8), right = colourAt(*back, 13, 8);
    EXPECT_GE(left.red, 250);
    EXPECT_GE(left.blue, 250);
    EXPECT_NEAR(right.green, 127, 4);
}

// The job hands over a set whose members carry a resize filter; the largest
// member is written at its filtered size.
TEST(JpegWrite, EncodeSetWritesTheLargestMemberAfterItsFilters) {
    auto set = BufferedImageSet::take();
    set->add(BufferedImage::createImage(10, 10), 24);
    Pooled<BufferedImage> large = BufferedImage::createImage(40, 20);
    auto filter = s::image::filters::scale::ScaleFilter::take();
    filter->width = 20;
    filter->height = 10;
    filter->keepRatio = false;
    large->addFilter(std::move(filter));
    set->add(std::move(large), 24);

    auto encoded = Jpeg::take()->encodeSet(*set);
    ASSERT_TRUE(encoded);
    EXPECT_EQ(encoded->getWidth(), 20);
    EXPECT_EQ(encoded->getHeight(), 10);
    EXPECT_STREQ(encoded->getExtension(), ".jpg");
}

// A stream that accepts `limit` bytes and then refuses.
class FailingStream final : public s::io::IOutputStream {
public:
    explicit FailingStream(std::size_t limit) : limit_(limit) {}
    bool write(const void*, std::size_t size, std::size_t& count) override {
        count = 0;
        if (written_ + size > limit_) return false;
        written_ += size;
        count = size;
        return true;
    }
    bool flush() override { return true; }
    bool flushAndTruncate() override { return true; }
    bool close() override { return true; }
    std::uint64_t position() const override { return written_; }

private:
    std::size_t limit_;
    std::size_t written_ = 0;
};

// A refused write abandons the encoding (it must not end the process) and
// leaves the object able to write again.
TEST(JpegWrite, RefusedWriteFailsCleanlyAtEveryStage) {
    // Noise compresses badly: several output buffers' worth.
    Pooled<BufferedImage> noise = BufferedImage::createImage(256, 256);
    std::uint32_t seed = 1;
    for (std::int32_t y = 0; y < 256; ++y) {
        for (std::int32_t x = 0; x < 256; ++x)
            noise->getPixelRow(y)[x] = seed = seed * 1664525u + 1013904223u;
    }
    Pooled<Jpeg> jpeg = Jpeg::take();
    ASSERT_TRUE(jpeg->fromImage(*noise, 75, 255, 255, 255));
    const Bytes good = writeJpeg(*jpeg);
    ASSERT_GT(good.size(), 2u * 4096);
    // At the first buffer, at the second full one, and at the final partial one.
    for (std::size_t limit : {std::size_t{0}, std::size_t{4096}, good.size() - 1}) {
        SCOPED_TRACE(limit);
        FailingStream stream(limit);
        EXPECT_FALSE(jpeg->writeTo(stream));
        EXPECT_FALSE(jpeg->getLastMessage().empty());
        EXPECT_EQ(writeJpeg(*jpeg), good);
    }
}

// Nothing to write, or wider than JPEG's 65500-pixel limit: refused with
// the library's message, not a broken file or an ended process.
TEST(JpegWrite, PicturesJpegCannotHoldAreRefused) {
    Pooled<Jpeg> empty = Jpeg::take();
    Pooled<Jpeg> tooWide = Jpeg::take();
    ASSERT_TRUE(tooWide->create(65535, 1));
    for (Jpeg* jpeg : {empty.get(), tooWide.get()}) {
        SCOPED_TRACE(jpeg->getWidth());
        s::io::MemoryOutputStream out;
        EXPECT_FALSE(jpeg->writeTo(out));
        EXPECT_LT(out.bytes().size(), 4096u);
    }
    EXPECT_FALSE(tooWide->getLastMessage().empty());
}

// A third-party reader agrees about what we write: a photo, a greyscale
// one, odd sizes down to a single pixel.
TEST(JpegWrite, ImageMagickReadsEveryOutputAsBaseline420Quality75) {
    if (std::system("command -v identify > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    }
    struct Case {
        const char* source;  // corpus file, or null for a 1 x 1 picture
        const char* expected;
    } const kCases[] = {
        {"hopper.jpg", "JPEG 128x128 2x2,1x1,1x1 75 None"},
        {"peacock.grayscale.jpeg", "JPEG 100x75 2x2,1x1,1x1 75 None"},
        {"mona-lisa.21x32.q90.jpeg", "JPEG 21x32 2x2,1x1,1x1 75 None"},
        {nullptr, "JPEG 1x1 2x2,1x1,1x1 75 None"},
    };
    const auto path = std::filesystem::temp_directory_path() /
                      ("tarvex-jpeg-" + std::to_string(::getpid()) + ".jpg");
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.expected);
        Pooled<BufferedImage> source =
            c.source ? decodeCorpus(c.source) : BufferedImage::createImage(1, 1);
        ASSERT_TRUE(source);
        auto encoded = Jpeg::take()->encodeImage(*source);
        ASSERT_TRUE(encoded);
        {
            const Bytes file = writeJpeg(dynamic_cast<Jpeg&>(*encoded));
            std::ofstream out(path, std::ios::binary);
            out.write(reinterpret_cast<const char*>(file.data()),
                      static_cast<std::streamsize>(file.size()));
        }
        const std::string command =
            "identify -format '%m %wx%h %[jpeg:sampling-factor] %Q %[interlace]' '" +
            path.string() + "' 2>&1";
        std::string output;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[256];
            while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
            pclose(pipe);
        }
        EXPECT_EQ(output, c.expected);
    }
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace tarvex::test
