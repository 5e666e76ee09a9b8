// tarvex-resize end to end on JPEG and PNG files: both sizing modes, output
// formats chosen by content (a PNG named .jpg stays PNG), photos turned
// upright by their EXIF orientation, damaged files skipped quietly.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CliFixture.h"
#include "formats/jpeg/Jpeg.h"
#include "formats/png/Png.h"
#include "foundation/MemoryStreams.h"

namespace {

using namespace tarvex::test::cli;
using s::image::IEncodedImage;
using s::thread::Pooled;

bool isPng(const Bytes& b) {
    return b.size() > 8 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N';
}
bool isJpeg(const Bytes& b) {
    return b.size() > 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF;
}

// The file read back by the codec its content calls for.
Pooled<IEncodedImage> readBack(const fs::path& path) {
    const Bytes bytes = readBytes(path);
    Pooled<IEncodedImage> codec;
    if (isPng(bytes)) codec = s::image::png::win::Png::take();
    if (isJpeg(bytes)) codec = s::image::jpg::win::Jpeg::take();
    if (!codec) return codec;
    s::io::MemoryInputStream stream(bytes.data(), bytes.size());
    if (!codec->readFrom(stream)) codec.reset();
    return codec;
}

double meanDifference(IEncodedImage& a, IEncodedImage& b) {
    auto setA = a.decodeAll(), setB = b.decodeAll();
    const auto& x = *setA->getImage(0);
    const auto& y = *setB->getImage(0);
    if (x.getWidth() != y.getWidth() || x.getHeight() != y.getHeight()) return 255;
    double sum = 0;
    for (std::int32_t row = 0; row < x.getHeight(); ++row) {
        for (std::int32_t i = 0; i < x.getWidth() * 4; ++i) {
            if (i % 4 != 3) sum += std::abs(x.getRow(row)[i] - y.getRow(row)[i]);
        }
    }
    return sum / (3.0 * x.getWidth() * x.getHeight());
}

TEST(CodecEndToEnd, SpecificSizeKeepsEachFilesFormatAndTurnsPhotosUpright) {
    Scratch dir;
    dir.add("jpeg/hopper.jpg", "hopper.jpg");
    dir.add("jpeg/hopper_orientation_6.jpg", "turned.jpg");
    dir.add("png/basn6a08.png", "alpha.png");      // 32 x 32 with transparency
    dir.add("png/basi2c16.png", "disguised.jpg");  // PNG data under a JPEG name
    const RunResult run =
        runResize({"--pixels", "64x48", (dir.path() / "hopper.jpg").string(),
                   (dir.path() / "turned.jpg").string(), (dir.path() / "alpha.png").string(),
                   (dir.path() / "disguised.jpg").string()},
                  dir.path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");

    struct Expected {
        const char* name;
        bool png;
    } const kOutputs[] = {{"hopper (48x48).jpg", false},
                          {"turned (48x48).jpg", false},
                          {"alpha (48x48).png", true},
                          {"disguised (48x48).jpg", true}};
    for (const Expected& e : kOutputs) {
        SCOPED_TRACE(e.name);
        const Bytes bytes = readBytes(dir.path() / e.name);
        ASSERT_TRUE(e.png ? isPng(bytes) : isJpeg(bytes));
        if (e.png) {
            EXPECT_EQ(bytes[16 + 9], 6);   // RGBA
            EXPECT_EQ(bytes[16 + 12], 1);  // Adam7
        }
        Pooled<IEncodedImage> back = readBack(dir.path() / e.name);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->getWidth(), 48);
        EXPECT_EQ(back->getHeight(), 48);
    }
    EXPECT_TRUE(readBack(dir.path() / "alpha (48x48).png")->decodeAll()->getImage(0)->hasAlpha());
    // The photo stored on its side comes out as the upright one does.
    EXPECT_LT(meanDifference(*readBack(dir.path() / "turned (48x48).jpg"),
                             *readBack(dir.path() / "hopper (48x48).jpg")),
              8.0);
}

// Names carry the upright size: a 2 x 1 picture tagged "turn a quarter"
// is 1 x 2, so 200 % gives 2 x 4.
TEST(CodecEndToEnd, OutputNameCarriesTheUprightSize) {
    Scratch dir;
    const fs::path source = dir.add("jpeg/orientation_rectangle.jpg", "tall.jpg");
    const RunResult run = runResize({"--percent", "200x200", source.string()}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err;
    Pooled<IEncodedImage> back = readBack(dir.path() / "tall (2x4).jpg");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->getWidth(), 2);
    EXPECT_EQ(back->getHeight(), 4);
}

// The size in an output name "stem (WxH).jpg" or "stem (WxH).png".
bool sizeInName(const std::string& name, int& width, int& height) {
    const std::size_t open = name.rfind(" (");
    if (open == std::string::npos) return false;
    char tail[8] = {};
    return std::sscanf(name.c_str() + open, " (%dx%d).%4s", &width, &height, tail) == 3 &&
           (std::string(tail) == "jpg" || std::string(tail) == "png");
}

TEST(CodecEndToEnd, SeveralSizesAreWrittenInTheSourcesFormat) {
    Scratch dir;
    const fs::path photo = dir.add("jpeg/testorig.jpg", "photo.jpg");
    const fs::path icon = dir.add("png/tbrn2c08.png", "icon.png");
    const fs::path disguised = dir.add("png/basn3p08.png", "palette.jpg");
    const RunResult run = runResize({"--various", "--samples", "3", "--limited-range", "50",
                                     photo.string(), icon.string(), disguised.string()},
                                    dir.path());
    ASSERT_EQ(run.status, 0) << run.err;
    int outputs = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        int width = 0, height = 0;
        if (!entry.is_regular_file() || !sizeInName(name, width, height)) continue;
        SCOPED_TRACE(entry.path().string());
        ++outputs;
        EXPECT_NE(entry.path().parent_path(), dir.path()) << "several sizes go into a folder";
        const Bytes bytes = readBytes(entry.path());
        const bool fromPng = name.rfind("photo", 0) != 0;
        EXPECT_TRUE(fromPng ? isPng(bytes) : isJpeg(bytes));
        Pooled<IEncodedImage> back = readBack(entry.path());
        ASSERT_TRUE(back);
        EXPECT_EQ(back->getWidth(), width);
        EXPECT_EQ(back->getHeight(), height);
    }
    EXPECT_GE(outputs, 3 * 2);
}

// Damaged files are skipped with a reason; the libraries' own messages
// never reach the terminal, and a truncated photo is still resized whole.
TEST(CodecEndToEnd, DamagedFilesAreSkippedQuietly) {
    Scratch dir;
    const fs::path corrupt = dir.add("png/xcsn0g01.png", "corrupt.png");
    const fs::path cut = dir.add("png/hippopotamus.regular.truncated.png", "cut.png");
    const fs::path truncated = dir.add("jpeg/peacock.default.truncated.jpeg", "peacock.jpg");
    const RunResult run = runResize(
        {"--pixels", "50x50", corrupt.string(), cut.string(), truncated.string()}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("corrupt.png"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("cut.png"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("libpng"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Premature end"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir.path() / "corrupt (50x50).png"));
    Pooled<IEncodedImage> peacock = readBack(dir.path() / "peacock (50x37).jpg");
    ASSERT_TRUE(peacock);
    EXPECT_EQ(peacock->getWidth(), 50);
}

}  // namespace
