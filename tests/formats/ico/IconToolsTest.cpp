// What other programs make of the icons we write: icotool lists every entry
// with its size and depth and extracts pixels that match our own decoding,
// and ImageMagick's identify sees the same sizes. Each test is skipped when
// its tool is not installed.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "IcoFixture.h"
#include "formats/png/Png.h"

namespace icotest {
namespace {

namespace fs = std::filesystem;

bool haveTool(const std::string& name) {
    return std::system(("command -v " + name + " > /dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command; its standard output, or "" when it failed.
std::string run(const std::string& command, const fs::path& scratch) {
    const fs::path out = scratch / "out.txt";
    if (std::system((command + " > '" + out.string() + "' 2> /dev/null").c_str()) != 0) return "";
    const Bytes bytes = readBytes(out);
    return std::string(bytes.begin(), bytes.end());
}

class Scratch {
public:
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "tarvex-ico-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

struct Member {
    std::int32_t size, bitCount;
};
// Every icon depth but 16 bits, which neither tool reads (both take depths
// up to 16 bits for palette depths), and a size above 255 (a PNG block).
const Member kMembers[] = {{16, 4}, {24, 1}, {32, 8}, {48, 24}, {64, 32}, {300, 32}};

// A picture with colour bands, a diagonal of translucent pixels and
// transparent corners, so colours, alpha and mask bits all show.
std::uint32_t picture(int x, int y, int size) {
    const int edge = size - 1;
    if ((x < 3 || x > edge - 3) && (y < 3 || y > edge - 3)) return 0;
    if (x == y) return 0x60FFFF00u;
    const std::uint32_t bands[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
    return bands[(x * 4 / size) % 4];
}

// Writes the sample icon into the folder; `written` keeps the icon as built,
// its images in file order.
fs::path writeSample(const fs::path& folder, Pooled<Icon>* written = nullptr) {
    auto icon = Icon::take();
    for (const Member& m : kMembers) {
        auto image = makeImage(
            m.size, m.size, [&](int x, int y) { return picture(x, y, m.size); }, true);
        Pooled<IconImage> iconImage = IconImage::take();
        EXPECT_TRUE(iconImage->fromImage(*image, m.bitCount, true, 255, 255, 255));
        icon->addImage(std::move(iconImage));
    }
    const fs::path path = folder / "sample.ico";
    EXPECT_TRUE(icon->saveToFile(path.string()));
    if (written) *written = std::move(icon);
    return path;
}

TEST(IconTools, IcotoolListsEveryEntryWithItsSizeAndDepth) {
    if (!haveTool("icotool")) GTEST_SKIP() << "icotool (icoutils) is not installed";
    Scratch scratch;
    const fs::path file = writeSample(scratch.path());
    std::istringstream listing(run("icotool -l '" + file.string() + "'", scratch.path()));
    std::string line;
    for (std::size_t i = 0; i < std::size(kMembers); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(std::getline(listing, line));
        const Member& m = kMembers[i];
        const int palette = m.bitCount <= 8 ? 1 << m.bitCount : 0;
        std::ostringstream expected;
        expected << "--icon --index=" << i + 1 << " --width=" << m.size << " --height=" << m.size
                 << " --bit-depth=" << m.bitCount << " --palette-size=" << palette;
        EXPECT_EQ(line, expected.str());
    }
    EXPECT_FALSE(std::getline(listing, line)) << line;
}

// icotool's own decoding of each entry, extracted as PNG, against ours:
// transparency and colours must agree exactly.
TEST(IconTools, IcotoolExtractsThePixelsWeDecode) {
    if (!haveTool("icotool")) GTEST_SKIP() << "icotool (icoutils) is not installed";
    Scratch scratch;
    Pooled<Icon> ours;
    const fs::path file = writeSample(scratch.path(), &ours);
    const fs::path out = scratch.path() / "extracted";
    fs::create_directory(out);
    run("icotool -x -o '" + out.string() + "' '" + file.string() + "'", scratch.path());
    ASSERT_EQ(ours->getImageCount(), static_cast<std::int32_t>(std::size(kMembers)));

    for (std::size_t i = 0; i < std::size(kMembers); ++i) {
        const Member& m = kMembers[i];
        SCOPED_TRACE(m.bitCount);
        const fs::path png =
            out / ("sample_" + std::to_string(i + 1) + "_" + std::to_string(m.size) + "x" +
                   std::to_string(m.size) + "x" + std::to_string(m.bitCount) + ".png");
        auto theirs = s::image::png::win::Png::take();
        ASSERT_TRUE(theirs->loadFromFile(png.string())) << png;
        auto expected = decodeImage(*ours, static_cast<std::int32_t>(i));
        auto actual = decodeImage(*theirs, 0);
        ASSERT_TRUE(expected && actual);
        ASSERT_EQ(actual->getWidth(), m.size);
        int mismatches = 0;
        for (int y = 0; y < m.size; ++y) {
            for (int x = 0; x < m.size; ++x) {
                const std::uint32_t a = pixelAt(*expected, x, y), b = pixelAt(*actual, x, y);
                // Fully transparent pixels may carry any colour.
                const bool same = (a >> 24) == 0 ? (b >> 24) == 0 : a == b;
                mismatches += !same;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(IconTools, IdentifySeesEveryImageAtItsSize) {
    if (!haveTool("identify")) GTEST_SKIP() << "ImageMagick's identify is not installed";
    Scratch scratch;
    const fs::path file = writeSample(scratch.path());
    std::istringstream listing(run("identify '" + file.string() + "'", scratch.path()));
    std::string line;
    std::size_t i = 0;
    while (std::getline(listing, line)) {
        SCOPED_TRACE(line);
        // "PATH[INDEX] FORMAT WxH ..."
        const std::size_t at = line.find("sample.ico[");
        ASSERT_NE(at, std::string::npos);
        unsigned index = 0;
        char format[8] = {};
        int width = 0, height = 0;
        ASSERT_EQ(std::sscanf(line.c_str() + at, "sample.ico[%u] %7s %dx%d", &index, format, &width,
                              &height),
                  4);
        ASSERT_LT(i, std::size(kMembers));
        EXPECT_EQ(index, i);
        EXPECT_STREQ(format, kMembers[i].size > 255 ? "PNG" : "ICO");
        EXPECT_EQ(width, kMembers[i].size);
        EXPECT_EQ(height, kMembers[i].size);
        ++i;
    }
    EXPECT_EQ(i, std::size(kMembers));
}

}  // namespace
}  // namespace icotest
