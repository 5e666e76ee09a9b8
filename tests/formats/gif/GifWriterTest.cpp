// Writing GIF files: the stream layout, the palette and transparency of
// encoded frames, animations of difference frames, and what other programs
// and our own reader make of the result.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "GifBuilder.h"
#include "GifPixels.h"
#include "formats/gif/Gif.h"
#include "foundation/PathWin.h"
#include "image/filters/scale/ScaleFilter.h"

namespace {

using gif_test::Bytes;
using gif_test::GifBuilder;
using gif_test::kClear;
using gif_test::opaque;
using gif_test::readGif;
using s::image::filters::scale::ScaleFilter;
using s::image::gif::win::Gif;
using s::image::gif::win::GifFrame;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

constexpr std::uint32_t Black = 0x000000, White = 0xFFFFFF;

Pooled<BufferedImage> image(int width, int height, std::uint32_t (*pixel)(int x, int y)) {
    Pooled<BufferedImage> made = BufferedImage::createImage(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) made->getPixelRow(y)[x] = pixel(x, y);
    }
    made->detectAlpha();
    return made;
}

// A source GIF whose global table has 2^bits entries (none for 0 bits).
Pooled<Gif> sourceWithTable(int bits) {
    gif_test::Palette table(bits == 0 ? 0 : std::size_t{1} << bits, White);
    auto [gif, read] = readGif(GifBuilder(1, 1, table).image(0, 0, 1, 1, {0}).trailer().bytes());
    EXPECT_TRUE(read);
    return std::move(gif);
}

Gif& asGif(Pooled<s::image::IEncodedImage>& encoded) {
    return dynamic_cast<Gif&>(*encoded);
}

TEST(GifWriter, SingleImageLayoutAndPaletteFollowTheSourceTable) {
    // A 16 x 16 ramp of 256 colours with a see-through 4 x 4 corner.
    const auto ramp = [](int x, int y) -> std::uint32_t {
        if (x < 4 && y < 4) return 0;
        return 0xFF000000u | std::uint32_t(x * 16) << 16 | std::uint32_t(y * 16) << 8 | 0x40;
    };
    struct Case {
        int sourceBits;
        int transparentIndex;
    };
    for (const Case c : {Case{8, 255}, Case{4, 15}, Case{1, 3}, Case{0, 255}}) {
        SCOPED_TRACE(c.sourceBits);
        Pooled<BufferedImage> picture = image(16, 16, ramp);
        Pooled<s::image::IEncodedImage> encoded =
            sourceWithTable(c.sourceBits)->encodeImage(*picture);
        ASSERT_TRUE(encoded);
        const Bytes file = gif_test::writeGif(*encoded);
        ASSERT_GT(file.size(), 820u);
        EXPECT_EQ(std::string(file.begin(), file.begin() + 6), "GIF89a");
        EXPECT_EQ(Bytes(file.begin() + 6, file.begin() + 13), (Bytes{16, 0, 16, 0, 0x77, 0, 0}));
        Bytes loop = {0x21, 0xFF, 0x0B};
        for (char c : std::string("NETSCAPE2.0")) loop.push_back(static_cast<std::uint8_t>(c));
        loop.insert(loop.end(), {0x03, 0x01, 0x01, 0x00, 0x00});
        EXPECT_EQ(Bytes(file.begin() + 13, file.begin() + 32), loop);
        EXPECT_EQ(Bytes(file.begin() + 32, file.begin() + 40),
                  (Bytes{0x21, 0xF9, 0x04, 0x01, 0, 0,
                         static_cast<std::uint8_t>(c.transparentIndex), 0}));
        EXPECT_EQ(Bytes(file.begin() + 40, file.begin() + 50),
                  (Bytes{0x2C, 0, 0, 0, 0, 16, 0, 16, 0, 0x87}));
        EXPECT_EQ(file[50 + 768], 8) << "minimum code size";
        EXPECT_EQ(file.back(), 0x3B);

        const GifFrame& frame = *asGif(encoded).getFrame(0);
        std::set<int> used;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const int index = frame.getRow(y)[x];
                EXPECT_EQ(index == c.transparentIndex, x < 4 && y < 4) << x << "," << y;
                if (index != c.transparentIndex) used.insert(index);
            }
        }
        EXPECT_LE(static_cast<int>(used.size()), c.transparentIndex);
        EXPECT_GE(static_cast<int>(used.size()), c.transparentIndex / 2);
    }
}

TEST(GifWriter, BlackAndWhiteSourceKeepsBothColours) {
    // A 1-bit table leaves room for two colours beside the transparent entry.
    Pooled<BufferedImage> picture = image(8, 1, [](int x, int) -> std::uint32_t {
        return x == 0 ? 0 : opaque(x % 2 ? Black : White);
    });
    Pooled<s::image::IEncodedImage> encoded = sourceWithTable(1)->encodeImage(*picture);
    ASSERT_TRUE(encoded);
    const auto [back, read] = readGif(gif_test::writeGif(*encoded));
    ASSERT_TRUE(read);
    EXPECT_EQ(
        gif_test::visiblePixels(*back->decodeAll()->getImage(0)),
        (std::vector<std::uint32_t>{kClear, opaque(Black), opaque(White), opaque(Black),
                                    opaque(White), opaque(Black), opaque(White), opaque(Black)}));
}

TEST(GifWriter, AlphaBelowNinetySixBecomesTransparent) {
    Pooled<BufferedImage> picture = image(
        2, 1, [](int x, int) -> std::uint32_t { return (x == 0 ? 95u : 96u) << 24 | 0x336699; });
    Pooled<Gif> gif = Gif::take();
    ASSERT_TRUE(gif->fromImage(*picture, 8, true, 255, 255, 255, 96));
    EXPECT_EQ(gif->getFrame(0)->getTransparentIndex(), 255);
    EXPECT_EQ(gif->getFrame(0)->getRow(0)[0], 255);
    EXPECT_NE(gif->getFrame(0)->getRow(0)[1], 255);
    EXPECT_EQ(gif->getFrame(0)->getColour(gif->getFrame(0)->getRow(0)[1]), 0x336699u);
}

TEST(GifWriter, AnimationFramesHoldOnlyWhatChanged) {
    // 4 x 4 red with a see-through corner; then green at (1,1) and opaque
    // black in the corner (same colour bytes as the see-through pixel); then
    // blue at (2,2).
    Pooled<BufferedImageSet> set = BufferedImageSet::take();
    const auto red = [](int x, int y) -> std::uint32_t {
        return x + y == 0 ? 0 : opaque(0xFF0000);
    };
    const auto plusGreen = [](int x, int y) -> std::uint32_t {
        return x == 1 && y == 1 ? opaque(0x00FF00) : x + y == 0 ? opaque(Black) : opaque(0xFF0000);
    };
    const auto plusBlue = [](int x, int y) -> std::uint32_t {
        return x == 2 && y == 2   ? opaque(0x0000FF)
               : x == 1 && y == 1 ? opaque(0x00FF00)
               : x + y == 0       ? opaque(Black)
                                  : opaque(0xFF0000);
    };
    set->add(image(4, 4, red), 8, 100, 2);
    set->add(image(4, 4, plusGreen), 8, 200, 2);
    set->add(image(4, 4, plusBlue), 8, 300, 2);
    set->setAnimation(true, 7);

    Pooled<Gif> gif = Gif::take();
    ASSERT_TRUE(gif->fromImageSet(*set, 8, true, 255, 255, 255));
    ASSERT_EQ(gif->getImageCount(), 3);
    EXPECT_EQ(gif->getLoopCount(), 7);
    const std::vector<std::vector<std::pair<int, int>>> changed = {{}, {{0, 0}, {1, 1}}, {{2, 2}}};
    for (int i = 0; i < 3; ++i) {
        const GifFrame& frame = *gif->getFrame(i);
        EXPECT_EQ(frame.getDelay(), 100 * (i + 1));
        // The first frame is left in place: later ones only hold differences.
        EXPECT_EQ(frame.getDisposal(), 1) << "frame " << i;
        if (i == 0) continue;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                const bool drawn =
                    std::count(changed[i].begin(), changed[i].end(), std::pair{x, y});
                EXPECT_EQ(frame.getRow(y)[x] != frame.getTransparentIndex(), drawn)
                    << "frame " << i << " at " << x << "," << y;
            }
        }
    }
    // Read back, the frames show the members.
    const auto [back, read] = readGif(gif_test::writeGif(*gif));
    ASSERT_TRUE(read);
    EXPECT_EQ(back->getLoopCount(), 7);
    EXPECT_EQ(gif_test::visibleFrames(*back->decodeAll()), gif_test::visibleFrames(*set));
}

TEST(GifWriter, ReadFramesAreWrittenBackWithTheirPlaceAndDelay) {
    const Bytes source = GifBuilder(4, 3, {0xFF0000, 0x00FF00})
                             .control(1, 7)
                             .image(0, 0, 4, 3, Bytes(12, 0))
                             .control(0, 12, 1)
                             .image(1, 2, 2, 1, {0, 1})
                             .trailer()
                             .bytes();
    const auto [gif, read] = readGif(source);
    ASSERT_TRUE(read);
    const Bytes written = gif_test::writeGif(*gif);
    // The first graphic control block carries delay 7 again.
    const Bytes introducer = {0x21, 0xF9};
    const auto control =
        std::search(written.begin(), written.end(), introducer.begin(), introducer.end());
    ASSERT_NE(control, written.end());
    EXPECT_EQ(control[4], 7);
    EXPECT_EQ(control[5], 0);
    const auto [back, again] = readGif(written);
    ASSERT_TRUE(again);
    ASSERT_EQ(back->getImageCount(), 2);
    EXPECT_EQ(back->getScreenWidth(), 4);
    EXPECT_EQ(back->getScreenHeight(), 3);
    EXPECT_EQ(back->getFrame(0)->getDelay(), 70);
    EXPECT_EQ(back->getFrame(1)->getLeft(), 1);
    EXPECT_EQ(back->getFrame(1)->getTop(), 2);
    EXPECT_EQ(back->getFrame(1)->getTransparentIndex(), 1);
    EXPECT_EQ(gif_test::visibleFrames(*back->decodeAll()),
              gif_test::visibleFrames(*gif->decodeAll()));
}

TEST(GifWriter, NothingToWriteWithoutFrames) {
    Pooled<Gif> gif = Gif::take();
    s::io::MemoryOutputStream out;
    EXPECT_FALSE(gif->writeTo(out));
    EXPECT_TRUE(out.bytes().empty());
}

// --- What the job does: decode, compose, resize, encode, write. ----------

// The frames are composed in place and each gets a scale filter; the encoder
// writes the filter results. Returns copies of those results.
Pooled<BufferedImageSet> resizedAnimation(const std::string& name, int divisor, Bytes& file) {
    Pooled<Gif> source = Gif::take();
    EXPECT_TRUE(source->loadFromFile(std::string(TARVEX_TEST_DATA) + "/gif/" + name));
    Pooled<BufferedImageSet> frames = source->decodeAll();
    EXPECT_TRUE(frames->coalesce());
    for (int i = 0; i < frames->getCount(); ++i) {
        Pooled<ScaleFilter> scale = ScaleFilter::take();
        scale->width = source->getScreenWidth() / divisor;
        scale->height = source->getScreenHeight() / divisor;
        scale->widthInPixels = scale->heightInPixels = true;
        scale->keepRatio = false;
        frames->getImage(i)->addFilter(std::move(scale));
    }
    Pooled<s::image::IEncodedImage> encoded = source->encodeSet(*frames);
    EXPECT_TRUE(encoded);
    if (encoded) file = gif_test::writeGif(*encoded);
    return frames->filteredAll();
}

TEST(GifWriter, ResizedAnimationReadsBackAsItsResizedFrames) {
    struct Case {
        const char* name;
        double meanLimit;  // average difference per colour channel
        int worstLimit;
    };
    // Frames of 8-bit sources keep up to 255 colours each. dispose_none's
    // richest table has 16 entries, so its frames get 15 colours, whereas
    // its last table (4 entries) would leave 3.
    for (const Case& c :
         {Case{"muybridge.gif", 1.0, 16}, Case{"animated-red-blue.gif", 1.0, 16},
          Case{"gifplayer-muybridge.gif", 1.0, 16}, Case{"dispose_none.gif", 10.0, 96}}) {
        SCOPED_TRACE(c.name);
        Bytes file;
        Pooled<BufferedImageSet> expected = resizedAnimation(c.name, 2, file);
        const auto [gif, read] = readGif(file);
        ASSERT_TRUE(read);
        Pooled<BufferedImageSet> decoded = gif->decodeAll();
        ASSERT_EQ(decoded->getCount(), expected->getCount());
        EXPECT_EQ(gif->getLoopCount(), static_cast<std::uint16_t>(expected->getLoopCount()));
        double sum = 0;
        int count = 0, worst = 0;
        for (int i = 0; i < decoded->getCount(); ++i) {
            EXPECT_EQ(gif->getFrame(i)->getDelay(), expected->getValue2(i));
            const BufferedImage& want = *expected->getImage(i);
            const BufferedImage& got = *decoded->getImage(i);
            ASSERT_EQ(got.getWidth(), want.getWidth());
            ASSERT_EQ(got.getHeight(), want.getHeight());
            for (int y = 0; y < want.getHeight(); ++y) {
                for (int x = 0; x < want.getWidth(); ++x) {
                    const std::uint32_t w = want.getPixelRow(y)[x], g = got.getPixelRow(y)[x];
                    const bool shown = !want.hasAlpha() || (w >> 24) >= 96;
                    ASSERT_EQ(!got.hasAlpha() || (g >> 24) == 255, shown)
                        << i << ": " << x << "," << y;
                    if (!shown) continue;
                    for (int shift : {0, 8, 16}) {
                        const int d = std::abs(int((w >> shift) & 0xFF) - int((g >> shift) & 0xFF));
                        worst = std::max(worst, d);
                        sum += d;
                        ++count;
                    }
                }
            }
        }
        EXPECT_LT(sum / std::max(count, 1), c.meanLimit);
        EXPECT_LE(worst, c.worstLimit);
    }
}

bool haveTool(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string runForText(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, count);
    pclose(pipe);
    return output;
}

std::size_t occurrences(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(GifWriter, OtherProgramsReadOurAnimations) {
    const bool giftext = haveTool("giftext"), identify = haveTool("identify");
    if (!giftext && !identify) GTEST_SKIP() << "neither giftext nor ImageMagick is installed";
    // animated-red-blue: 64 x 48, 4 frames of 0.1 to 0.4 s, loop count 2.
    Bytes file;
    resizedAnimation("animated-red-blue.gif", 2, file);
    const std::string path = s::file::win::tempFile();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    if (giftext) {
        const std::string text = runForText("giftext '" + path + "' 2>&1");
        EXPECT_NE(text.find("GIF file terminated normally"), std::string::npos) << text;
        EXPECT_NE(text.find("Screen Size - Width = 32, Height = 24."), std::string::npos);
        EXPECT_EQ(occurrences(text, "Image Size - Left = 0, Top = 0, Width = 32, Height = 24."),
                  4u);
        for (const char* delay :
             {"DelayTime: 10\n", "DelayTime: 20\n", "DelayTime: 30\n", "DelayTime: 40\n"}) {
            EXPECT_EQ(occurrences(text, delay), 1u) << delay;
        }
        EXPECT_EQ(occurrences(text, "Disposal Mode: 1\n"), 4u);
    }
    if (identify) {
        EXPECT_EQ(runForText("identify -format '%W %H %w %h %T;' '" + path + "' 2>&1"),
                  "32 24 32 24 10;32 24 32 24 20;32 24 32 24 30;32 24 32 24 40;");
        // ImageMagick counts the first showing too: loop count 2 plays 3 times.
        EXPECT_EQ(
            occurrences(runForText("identify -verbose '" + path + "' 2>&1"), "Iterations: 3\n"),
            4u);
    }
    std::remove(path.c_str());
}

}  // namespace
