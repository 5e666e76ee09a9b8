// Writing PNG files: 8-bit RGBA, Adam7 as the job writes them, exact round
// trips, writing changes nothing, opaque pictures stay opaque, failing
// streams, and a third-party checker's verdict.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "PngFixture.h"
#include "ReferencePng.h"
#include "image/BufferedImageSet.h"
#include "image/filters/scale/ScaleFilter.h"

namespace tarvex::test {
namespace {

using s::image::win::BufferedImageSet;

// A picture with every alpha level and colour: noise.
Pooled<BufferedImage> noisyImage(std::int32_t w, std::int32_t h, std::uint32_t seed) {
    return imageOf(w, h, noise(std::size_t(w) * h, seed), true);
}

// The encoded object the job would write for the image.
Pooled<Png> encodedForJob(BufferedImage& image) {
    auto encoded = Png::take()->encodeImage(image);
    EXPECT_TRUE(encoded);
    return Pooled<Png>(dynamic_cast<Png*>(encoded.release()));
}

// The chunk types of a file, in order.
std::vector<std::string> chunkTypes(const Bytes& file) {
    std::vector<std::string> types;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::size_t length = std::size_t{file[at]} << 24 | std::size_t{file[at + 1]} << 16 |
                                   std::size_t{file[at + 2]} << 8 | file[at + 3];
        types.emplace_back(reinterpret_cast<const char*>(&file[at + 4]), 4);
        at += 12 + length;
    }
    return types;
}

TEST(PngWrite, JobOutputIsInterlacedEightBitRgbaWithNoOtherChunks) {
    Pooled<BufferedImage> source = noisyImage(33, 17, 7);
    const Bytes file = writePng(*encodedForJob(*source));
    ASSERT_GT(file.size(), 33u);
    // IHDR data: width, height, bit depth, colour type, compression, filter, interlace.
    EXPECT_EQ(file[16 + 8], 8);
    EXPECT_EQ(file[16 + 9], 6);
    EXPECT_EQ(file[16 + 12], 1);
    const std::vector<std::string> types = chunkTypes(file);
    ASSERT_GE(types.size(), 3u);
    EXPECT_EQ(types.front(), "IHDR");
    EXPECT_EQ(types.back(), "IEND");
    for (std::size_t i = 1; i + 1 < types.size(); ++i) EXPECT_EQ(types[i], "IDAT");
}

// Every pixel, alpha included, comes back exactly -- checked by the
// independent decoder too, so an error shared by our reader and writer
// (a channel swap both ways) cannot hide.
TEST(PngWrite, RoundTripIsExactInterlacedOrNot) {
    for (bool interlace : {true, false}) {
        SCOPED_TRACE(interlace);
        Pooled<BufferedImage> source = noisyImage(37, 11, interlace ? 3 : 4);
        Pooled<Png> png = Png::take();
        ASSERT_TRUE(png->fromImage(*source, interlace, true, 255, 255, 255));
        const Bytes file = writePng(*png);
        EXPECT_EQ(file[16 + 12], interlace ? 1 : 0);
        Pooled<BufferedImage> back = decodePng(file);
        ASSERT_TRUE(back);
        EXPECT_EQ(pixelsOf(*back), pixelsOf(*source));
        EXPECT_TRUE(back->hasAlpha());
        EXPECT_EQ(decodeReferencePng(file).pixels, pixelsOf(*source));
    }
}

TEST(PngWrite, WritingTwiceGivesTheSameBytesAndLeavesThePictureUnchanged) {
    Pooled<Png> png = readPng(readBytes(kPngData / "basi6a08.png"));
    ASSERT_TRUE(png->isValid());
    png->setInterlace(true);
    Pooled<BufferedImage> before = png->getPicture()->copy();
    const Bytes first = writePng(*png);
    const Bytes second = writePng(*png);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, second);
    EXPECT_EQ(pixelsOf(*png->getPicture()), pixelsOf(*before));
}

// Without hasAlpha the alpha bytes mean nothing; written as they are, a
// picture whose alpha bytes happen to be 0 would come out invisible.
TEST(PngWrite, OpaquePictureIsWrittenOpaqueWhateverItsAlphaBytes) {
    Pooled<BufferedImage> source = imageOf(2, 1, {0x00112233, 0x7F445566}, false);
    const Bytes file = writePng(*encodedForJob(*source));
    EXPECT_EQ(decodeReferencePng(file).pixels,
              (std::vector<std::uint32_t>{0xFF112233, 0xFF445566}));
    EXPECT_EQ(source->getPixelRow(0)[0], 0x00112233u);
}

// Without keepTransparency the picture is composited onto the background.
TEST(PngWrite, TransparencyCanBeFlattenedOntoABackground) {
    Pooled<BufferedImage> source = imageOf(2, 1, {0x00FF0000, 0xFF00FF00}, true);
    Pooled<Png> png = Png::take();
    ASSERT_TRUE(png->fromImage(*source, false, false, 0, 0, 255));
    EXPECT_EQ(decodeReferencePng(writePng(*png)).pixels,
              (std::vector<std::uint32_t>{0xFF0000FF, 0xFF00FF00}));
}

TEST(PngWrite, EncodeSetWritesTheLargestMemberAfterItsFilters) {
    auto set = BufferedImageSet::take();
    set->add(BufferedImage::createImage(10, 10), 32);
    Pooled<BufferedImage> large = BufferedImage::createImage(40, 20);
    auto filter = s::image::filters::scale::ScaleFilter::take();
    filter->width = 20;
    filter->height = 10;
    filter->keepRatio = false;
    large->addFilter(std::move(filter));
    set->add(std::move(large), 32);

    auto encoded = Png::take()->encodeSet(*set);
    ASSERT_TRUE(encoded);
    EXPECT_EQ(encoded->getWidth(), 20);
    EXPECT_EQ(encoded->getHeight(), 10);
    EXPECT_STREQ(encoded->getExtension(), ".png");
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

TEST(PngWrite, RefusedWriteFailsCleanlyAtEveryStage) {
    Pooled<BufferedImage> source = noisyImage(64, 64, 9);
    Pooled<Png> png = encodedForJob(*source);
    const Bytes good = writePng(*png);
    // In the signature, in the header, in the image data, at the end chunk.
    for (std::size_t limit : {std::size_t{0}, std::size_t{20}, good.size() / 2, good.size() - 1}) {
        SCOPED_TRACE(limit);
        FailingStream stream(limit);
        EXPECT_FALSE(png->writeTo(stream));
        EXPECT_FALSE(png->getLastMessage().empty());
        EXPECT_EQ(writePng(*png), good);
    }
}

TEST(PngWrite, EmptyObjectWritesNothing) {
    s::io::MemoryOutputStream out;
    EXPECT_FALSE(Png::take()->writeTo(out));
    EXPECT_TRUE(out.bytes().empty());
}

// A third-party checker accepts what we write.
TEST(PngWrite, PngcheckAcceptsEveryOutput) {
    if (std::system("command -v pngcheck > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "pngcheck is not installed";
    }
    Pooled<BufferedImage> opaque =
        readPng(readBytes(kPngData / "basn2c08.png"))->decodeAll()->getLargest()->copy();
    Pooled<BufferedImage> sources[] = {noisyImage(1, 1, 1), noisyImage(13, 7, 2),
                                       std::move(opaque)};
    const auto path = std::filesystem::temp_directory_path() /
                      ("tarvex-png-" + std::to_string(::getpid()) + ".png");
    for (auto& source : sources) {
        SCOPED_TRACE(source->getWidth());
        {
            const Bytes file = writePng(*encodedForJob(*source));
            std::ofstream out(path, std::ios::binary);
            out.write(reinterpret_cast<const char*>(file.data()),
                      static_cast<std::streamsize>(file.size()));
        }
        std::string output;
        if (FILE* pipe = popen(("pngcheck '" + path.string() + "' 2>&1").c_str(), "r")) {
            char buffer[512];
            while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
            EXPECT_EQ(pclose(pipe), 0) << output;
        }
        EXPECT_NE(output.find("OK:"), std::string::npos) << output;
        EXPECT_NE(output.find("RGB+alpha"), std::string::npos) << output;
        EXPECT_NE(output.find(", interlaced"), std::string::npos) << output;
    }
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace tarvex::test
