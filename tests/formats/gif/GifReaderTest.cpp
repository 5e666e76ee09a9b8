// Reading GIF streams: block parsing, frame values, damaged and hostile input.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "GifBuilder.h"
#include "GifPixels.h"
#include "formats/gif/Gif.h"

namespace {

using gif_test::Bytes;
using gif_test::GifBuilder;
using gif_test::kClear;
using gif_test::opaque;
using gif_test::readGif;
using s::image::gif::win::GifFrame;

constexpr std::uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF;

TEST(GifReader, ReadsFramesWithTheirPlaceTablesAndControlValues) {
    const Bytes file = GifBuilder(4, 3, {R, G, B, W})
                           .loop(5)
                           .control(1, 7)
                           .image(0, 0, 4, 3, Bytes(12, 0))
                           .control(2, 250, 1)
                           .image(1, 2, 2, 1, {0, 1}, {W, B, G, R, R, R, R, R})
                           .trailer()
                           .bytes();
    const auto [gif, read] = readGif(file);
    ASSERT_TRUE(read);
    EXPECT_TRUE(gif->isComplete());
    ASSERT_EQ(gif->getImageCount(), 2);
    EXPECT_EQ(gif->getLoopCount(), 5);
    EXPECT_EQ(gif->getColourTableBits(), 3) << "the last table read";
    EXPECT_EQ(gif->getScreenWidth(), 4);
    EXPECT_EQ(gif->getScreenHeight(), 3);

    const GifFrame& first = *gif->getFrame(0);
    EXPECT_EQ(first.getDelay(), 70);
    EXPECT_EQ(first.getDisposal(), 1);
    EXPECT_EQ(first.getTransparentIndex(), -1);
    EXPECT_EQ(first.getColour(2), B);

    const GifFrame& second = *gif->getFrame(1);
    EXPECT_EQ(second.getLeft(), 1);
    EXPECT_EQ(second.getTop(), 2);
    EXPECT_EQ(second.getWidth(), 2);
    EXPECT_EQ(second.getDelay(), 2500);
    EXPECT_EQ(second.getDisposal(), 2);
    EXPECT_EQ(second.getTransparentIndex(), 1);
    EXPECT_EQ(second.getColour(1), B) << "its own table";
    EXPECT_EQ(second.getColour(8), 0u) << "entries beyond the table stay black";

    // findExact and friends look at the frames' own sizes.
    std::int32_t index = -1;
    EXPECT_TRUE(gif->findExact(2, 1, 8, index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(gif->findExact(2, 1, 4, index));
    EXPECT_TRUE(gif->findNearestSizeFirst(3, 1, 8, index));
    EXPECT_EQ(index, 1);
}

TEST(GifReader, WithoutAnyColourTableShowsGreyLevels) {
    const auto [gif, read] =
        readGif(GifBuilder(3, 1).image(0, 0, 3, 1, {0, 128, 255}).trailer().bytes());
    ASSERT_TRUE(read);
    EXPECT_EQ(gif->getColourTableBits(), 0);
    s::thread::Pooled<s::image::win::BufferedImage> created;
    const auto* image = gif->decode(0, nullptr, created);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(gif_test::visiblePixels(*image),
              (std::vector<std::uint32_t>{opaque(0), opaque(0x808080), opaque(0xFFFFFF)}));
}

TEST(GifReader, LastGraphicControlWinsAndOnlyForTheNextImage) {
    const auto [gif, read] = readGif(GifBuilder(1, 1, {R, G})
                                         .control(3, 10, 0)
                                         .control(1, 20)
                                         .image(0, 0, 1, 1, {0})
                                         .image(0, 0, 1, 1, {1})
                                         .trailer()
                                         .bytes());
    ASSERT_TRUE(read);
    ASSERT_EQ(gif->getImageCount(), 2);
    EXPECT_EQ(gif->getFrame(0)->getDelay(), 200);
    EXPECT_EQ(gif->getFrame(0)->getDisposal(), 1);
    EXPECT_EQ(gif->getFrame(0)->getTransparentIndex(), -1);
    EXPECT_EQ(gif->getFrame(1)->getDelay(), 0);
    EXPECT_EQ(gif->getFrame(1)->getDisposal(), 0);
}

TEST(GifReader, PassesOverExtensionsAndBytesItDoesNotUse) {
    const Bytes file =
        GifBuilder(2, 1, {R, G})
            .comment("made by hand")
            .raw({0x21, 0x01, 0x03, 'a', 'b', 'c', 0x02, 'd', 'e', 0x00})  // plain text
            .raw({0x21, 0x99, 0x00})                                       // unknown, empty
            .raw({0x00, 0x00, 0x17})                                       // stray bytes
            // Another application's extension whose first sub-block has 3 bytes.
            .raw({0x21, 0xFF, 0x0B, 'X', 'M', 'P', ' ', 'D', 'a', 't', 'a', 'X', 'M', 'P', 0x03,
                  0x01, 0x09, 0x00, 0x00})
            // A graphic control block one byte longer than usual.
            .raw({0x21, 0xF9, 0x05, 0x01, 0x05, 0x00, 0x01, 0x7F, 0x00})
            .image(0, 0, 2, 1, {0, 1})
            .trailer()
            .bytes();
    const auto [gif, read] = readGif(file);
    ASSERT_TRUE(read);
    EXPECT_TRUE(gif->isComplete());
    ASSERT_EQ(gif->getImageCount(), 1);
    EXPECT_EQ(gif->getLoopCount(), 1) << "only NETSCAPE2.0 carries a loop count";
    EXPECT_EQ(gif->getFrame(0)->getDelay(), 50);
    EXPECT_EQ(gif->getFrame(0)->getTransparentIndex(), 1);
}

TEST(GifReader, RefusesWhatIsNotAGifOrCannotBeHeld) {
    const Bytes frame = GifBuilder(1, 1).image(0, 0, 1, 1, {0}).trailer().bytes();
    Bytes notGif = frame;
    notGif[0] = 'J';
    struct Case {
        const char* name;
        Bytes file;
    };
    const Case cases[] = {
        {"not a GIF", notGif},
        {"screen without width", GifBuilder(0, 32).image(0, 0, 1, 1, {0}).trailer().bytes()},
        {"screen beyond the pixel limit",
         GifBuilder(65535, 65535).image(0, 0, 1, 1, {0}).trailer().bytes()},
        {"no frame", GifBuilder(1, 1, {R, G}).trailer().bytes()},
        {"only frames that cannot be used",
         GifBuilder(8, 8)
             .image(0, 0, 0, 0, {})                 // no area
             .image(0, 0, 1, 1, {0}, {}, false, 9)  // minimum code size 9
             .raw({0x2C, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0x08, 0x01, 0x00, 0x00})
             .trailer()
             .bytes()},
        {"header cut short", Bytes(frame.begin(), frame.begin() + 9)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [gif, read] = readGif(c.file);
        EXPECT_FALSE(read);
        EXPECT_FALSE(gif->isValid());
        EXPECT_EQ(gif->decodeAll()->getCount(), 0);
    }
}

TEST(GifReader, UsableFramesAfterUnusableOnesAreKept) {
    const auto [gif, read] = readGif(GifBuilder(2, 1, {R, G})
                                         .image(0, 0, 0, 0, {})
                                         .image(0, 0, 1, 1, {0}, {}, false, 12)
                                         .image(0, 0, 2, 1, {1, 0})
                                         .trailer()
                                         .bytes());
    ASSERT_TRUE(read);
    EXPECT_FALSE(gif->isComplete());
    ASSERT_EQ(gif->getImageCount(), 1);
    EXPECT_EQ(gif->getFrame(0)->getRow(0)[0], 1);
}

TEST(GifReader, AnimationTooLargeToComposeDecodesToNothing) {
    // Two 1 x 1 frames are cheap to hold, but two whole 8200 x 8192 pictures
    // exceed the pixel limit.
    const auto [gif, read] = readGif(
        GifBuilder(8200, 8192).image(0, 0, 1, 1, {0}).image(0, 0, 1, 1, {1}).trailer().bytes());
    ASSERT_TRUE(read);
    EXPECT_EQ(gif->getImageCount(), 2);
    EXPECT_EQ(gif->decodeAll()->getCount(), 0);
}

TEST(GifReader, EndOfDataAnywhereEndsReadingAndKeepsWhatWasDecoded) {
    Bytes second(16 * 8);
    for (std::size_t i = 0; i < second.size(); ++i) second[i] = (i / 16) % 2 ? 2 : 3;
    const Bytes whole = GifBuilder(16, 8, {R, G, B, W})
                            .loop(0)
                            .control(1, 10)
                            .image(0, 0, 16, 8, Bytes(16 * 8, 1))
                            .control(1, 10, 0)
                            .image(0, 0, 16, 8, second, {}, true)
                            .trailer()
                            .bytes();
    std::size_t withFirstFrame = 0;
    for (std::size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        const auto [gif, read] = readGif(Bytes(whole.begin(), whole.begin() + length));
        EXPECT_FALSE(gif->isComplete());
        if (!read) continue;
        ASSERT_LE(gif->getImageCount(), 2);
        s::thread::Pooled<s::image::win::BufferedImageSet> set = gif->decodeAll();
        ASSERT_EQ(set->getCount(), gif->getImageCount());
        const std::vector<std::uint32_t> last =
            gif_test::visiblePixels(*set->getImage(set->getCount() - 1));
        if (gif->getImageCount() == 1) {
            ++withFirstFrame;
            // The first frame shows green where it was decoded, nothing elsewhere.
            const auto green = std::count(last.begin(), last.end(), opaque(G));
            EXPECT_EQ(green + std::count(last.begin(), last.end(), kClear), 128);
            continue;
        }
        // The second frame's decoded rows cover the first; the rest shows it.
        for (int y = 0; y < 8; ++y) {
            const std::int32_t decoded = gif->getFrame(1)->decodedWidth(y);
            for (int x = 0; x < 16; ++x) {
                const std::uint32_t expected =
                    x < decoded ? opaque(second[y * 16 + x] == 2 ? B : W) : opaque(G);
                ASSERT_EQ(last[y * 16 + x], expected) << x << "," << y;
            }
        }
    }
    EXPECT_GT(withFirstFrame, 0u);
    const auto [gif, read] = readGif(whole);
    EXPECT_TRUE(read && gif->isComplete());
}

}  // namespace
