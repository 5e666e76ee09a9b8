// tarvex-resize end to end on an icon: the output is named after the
// resized size and holds the source icon's own sizes and depths, each image
// made from the member it came from.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "formats/ico/Icon.h"
#include "formats/ico/IconImage.h"
#include "foundation/MemoryStreams.h"
#include "image/BufferedImage.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using s::image::ico::win::Icon;
using s::image::ico::win::IconImage;
using s::image::win::BufferedImage;
using s::thread::Pooled;

class Scratch {
public:
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "tarvex-cli-ico-XXXXXX").string();
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

Bytes readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Exit status of tarvex-resize run with the arguments; its output goes to
// files in `logs`.
int runResize(const std::vector<std::string>& args, const fs::path& logs) {
    std::string command = "'" + std::string(TARVEX_RESIZE_BIN) + "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " > '" + (logs / "out.txt").string() + "' 2> '" + (logs / "err.txt").string() + "'";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

struct Member {
    std::int32_t size, bitCount;
    std::uint32_t colour;
};
const Member kMembers[] = {
    {256, 32, 0xFFFF0000u}, {48, 32, 0xFF00FF00u}, {32, 8, 0xFF0000FFu}, {16, 4, 0xFFFFFFFFu}};

TEST(IcoResize, PercentKeepsTheIconsSizesAndDepths) {
    Scratch inputs, logs;
    auto icon = Icon::take();
    for (const Member& m : kMembers) {
        Pooled<BufferedImage> image = BufferedImage::createImage(m.size, m.size);
        image->fill(255, static_cast<std::uint8_t>(m.colour >> 16),
                    static_cast<std::uint8_t>(m.colour >> 8), static_cast<std::uint8_t>(m.colour));
        Pooled<IconImage> iconImage = IconImage::take();
        ASSERT_TRUE(iconImage->fromImage(*image, m.bitCount, true, 255, 255, 255));
        icon->addImage(std::move(iconImage));
    }
    const fs::path source = inputs.path() / "app.ico";
    ASSERT_TRUE(icon->saveToFile(source.string()));

    ASSERT_EQ(runResize({"--percent", "50x50", source.string()}, logs.path()), 0);
    const fs::path output = inputs.path() / "app (128x128).ico";
    ASSERT_TRUE(fs::exists(output));
    EXPECT_EQ(std::distance(fs::directory_iterator(inputs.path()), fs::directory_iterator()), 2);

    const Bytes bytes = readBytes(output);
    auto resized = Icon::take();
    s::io::MemoryInputStream in(bytes.data(), bytes.size());
    ASSERT_TRUE(resized->readFrom(in));
    ASSERT_EQ(resized->getImageCount(), 4);
    std::map<std::int32_t, std::int32_t> found;  // size -> image index
    for (std::int32_t i = 0; i < 4; ++i) {
        const IconImage& image = *resized->getImage(i);
        EXPECT_EQ(image.getWidth(), image.getHeight());
        found[image.getWidth()] = i;
    }
    for (const Member& m : kMembers) {
        SCOPED_TRACE(m.size);
        ASSERT_EQ(found.count(m.size), 1u);
        const std::int32_t i = found[m.size];
        EXPECT_EQ(resized->getImage(i)->getBitCount(), m.bitCount);
        Pooled<BufferedImage> pixels;
        ASSERT_TRUE(resized->decode(i, nullptr, pixels));
        EXPECT_EQ(pixels->getPixelRow(m.size / 2)[m.size / 2], m.colour);
    }
}

}  // namespace
