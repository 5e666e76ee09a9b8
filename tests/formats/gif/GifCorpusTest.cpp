// The GIF conformance corpus (tests/data/gif): valid files decode with the
// frames gif-frames.csv lists and look as ImageMagick's -coalesce shows
// them; broken and hostile files are refused or reported as cut short.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "GifPixels.h"
#include "formats/gif/Gif.h"

namespace {

using s::image::gif::win::Gif;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

const std::string kFolder = std::string(TARVEX_TEST_DATA) + "/gif/";

std::vector<std::vector<std::string>> readCsv(const std::string& path) {
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, ',')) fields.push_back(cell);
        if (!line.empty() && line.back() == ',') fields.emplace_back();
        rows.push_back(fields);
    }
    return rows;
}

// file -> "decodes", "refused" or "questionable".
std::map<std::string, std::string> expectations() {
    std::map<std::string, std::string> expected;
    for (const auto& row : readCsv(kFolder + "expected.csv")) expected[row.at(0)] = row.at(1);
    return expected;
}

struct FrameFacts {
    int left, top, width, height, disposal, transparent, delay;
};

// file -> its frames as the blocks state them.
std::map<std::string, std::vector<FrameFacts>> frameFacts() {
    std::map<std::string, std::vector<FrameFacts>> facts;
    const auto number = [](const std::string& s, int none) {
        return s.empty() ? none : std::stoi(s);
    };
    for (const auto& row : readCsv(kFolder + "gif-frames.csv")) {
        if (row.at(4).empty()) continue;  // a file without frames
        facts[row.at(0).substr(4)].push_back(
            {std::stoi(row.at(5)), std::stoi(row.at(6)), std::stoi(row.at(7)), std::stoi(row.at(8)),
             number(row.at(11), 0), number(row.at(12), -1), number(row.at(13), 0) * 10});
    }
    return facts;
}

Pooled<Gif> load(const std::string& name, bool& read) {
    Pooled<Gif> gif = Gif::take();
    read = gif->loadFromFile(kFolder + name);
    return gif;
}

TEST(GifCorpus, ValidFilesDecodeWithTheirFrames) {
    const auto facts = frameFacts();
    for (const auto& [name, expected] : expectations()) {
        if (expected != "decodes") continue;
        SCOPED_TRACE(name);
        bool read = false;
        Pooled<Gif> gif = load(name, read);
        ASSERT_TRUE(read);
        EXPECT_TRUE(gif->isComplete());
        const std::vector<FrameFacts>& frames = facts.at(name);
        ASSERT_EQ(gif->getImageCount(), static_cast<int>(frames.size()));
        for (int i = 0; i < gif->getImageCount(); ++i) {
            const auto& frame = *gif->getFrame(i);
            const FrameFacts& f = frames[static_cast<std::size_t>(i)];
            EXPECT_EQ(frame.getLeft(), f.left) << "frame " << i;
            EXPECT_EQ(frame.getTop(), f.top) << "frame " << i;
            EXPECT_EQ(frame.getWidth(), f.width) << "frame " << i;
            EXPECT_EQ(frame.getHeight(), f.height) << "frame " << i;
            EXPECT_EQ(frame.getDisposal(), f.disposal) << "frame " << i;
            EXPECT_EQ(frame.getTransparentIndex(), f.transparent) << "frame " << i;
            EXPECT_EQ(frame.getDelay(), f.delay) << "frame " << i;
            EXPECT_TRUE(frame.isComplete()) << "frame " << i;
        }
        Pooled<BufferedImageSet> set = gif->decodeAll();
        ASSERT_EQ(set->getCount(), gif->getImageCount());
        EXPECT_EQ(set->getWidth(), gif->getScreenWidth());
        EXPECT_EQ(set->getHeight(), gif->getScreenHeight());
    }
}

TEST(GifCorpus, BrokenFilesAreRefusedOrReportedCutShort) {
    for (const auto& [name, expected] : expectations()) {
        if (expected == "decodes") continue;
        SCOPED_TRACE(name);
        bool read = false;
        Pooled<Gif> gif = load(name, read);
        if (expected == "refused") {
            EXPECT_TRUE(!read || !gif->isComplete());
        }
        EXPECT_EQ(read, gif->isValid());
        // Whatever was read decodes to whole screens, within bounds.
        Pooled<BufferedImageSet> set = gif->decodeAll();
        for (int i = 0; i < set->getCount(); ++i) {
            EXPECT_EQ(set->getImage(i)->getWidth(), gif->getScreenWidth());
            EXPECT_EQ(set->getImage(i)->getHeight(), gif->getScreenHeight());
        }
    }
}

TEST(GifCorpus, InterlacedPhotoEqualsThePlainOne) {
    bool read = false;
    Pooled<Gif> plain = load("hippopotamus.regular.gif", read);
    ASSERT_TRUE(read);
    Pooled<Gif> interlaced = load("hippopotamus.interlaced.gif", read);
    ASSERT_TRUE(read);
    EXPECT_EQ(gif_test::visibleFrames(*interlaced->decodeAll()),
              gif_test::visibleFrames(*plain->decodeAll()));
}

bool haveTool(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// The colour of the screen's background index in the global table, or none.
std::optional<std::uint32_t> backgroundColour(const std::string& name) {
    std::ifstream in(kFolder + name, std::ios::binary);
    std::vector<std::uint8_t> head(13 + 3 * 256);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    if (!(head[10] & 0x80)) return std::nullopt;
    const std::uint8_t* rgb = head.data() + 13 + 3 * head[11];
    return gif_test::opaque(std::uint32_t{rgb[0]} << 16 | rgb[1] << 8 | rgb[2]);
}

std::vector<std::uint8_t> runForOutput(const std::string& command) {
    std::vector<std::uint8_t> output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    std::uint8_t buffer[65536];
    std::size_t count = 0;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.insert(output.end(), buffer, buffer + count);
    }
    pclose(pipe);
    return output;
}

TEST(GifCorpus, ValidFilesLookAsImageMagickCoalescesThem) {
    if (!haveTool("convert")) GTEST_SKIP() << "ImageMagick's convert is not installed";
    for (const auto& [name, expected] : expectations()) {
        if (expected != "decodes") continue;
        SCOPED_TRACE(name);
        bool read = false;
        Pooled<Gif> gif = load(name, read);
        ASSERT_TRUE(read);
        Pooled<BufferedImageSet> set = gif->decodeAll();
        const int width = gif->getScreenWidth(), height = gif->getScreenHeight();
        // "-alpha on" keeps the screen transparent where no frame drew,
        // as web browsers show it, instead of the background colour.
        const std::vector<std::uint8_t> rgba = runForOutput(
            "convert '" + kFolder + name + "' -coalesce -alpha on -depth 8 rgba:- 2>/dev/null");
        const std::size_t frameBytes = std::size_t(width) * height * 4;
        // Once a frame has cleared part of the screen, ImageMagick shows the
        // background colour where no frame ever drew; browsers (and we) show
        // nothing there.
        const std::optional<std::uint32_t> background = backgroundColour(name);
        ASSERT_EQ(rgba.size(), frameBytes * set->getCount());
        for (int i = 0; i < set->getCount(); ++i) {
            const std::vector<std::uint32_t> ours = gif_test::visiblePixels(*set->getImage(i));
            int differences = 0;
            for (std::size_t p = 0; p < ours.size(); ++p) {
                const std::uint8_t* px = rgba.data() + frameBytes * i + p * 4;
                const std::uint32_t theirs =
                    px[3] == 0 ? gif_test::kClear
                               : std::uint32_t{px[3]} << 24 | px[0] << 16 | px[1] << 8 | px[2];
                if (ours[p] == gif_test::kClear && theirs == background) continue;
                if (ours[p] != theirs && differences++ < 3) {
                    ADD_FAILURE() << "frame " << i << " pixel " << p % width << "," << p / width
                                  << ": ours " << std::hex << ours[p] << ", ImageMagick " << theirs;
                }
            }
            EXPECT_EQ(differences, 0) << "frame " << i;
        }
    }
}

}  // namespace
