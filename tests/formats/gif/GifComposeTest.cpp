// Frames shown on the logical screen: offsets, clipping, transparency and
// the disposal methods, in decodeAll and in the image set's coalesced().
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GifBuilder.h"
#include "GifPixels.h"
#include "formats/gif/Gif.h"
#include "foundation/PathWin.h"

namespace {

using gif_test::Bytes;
using gif_test::GifBuilder;
using gif_test::kClear;
using gif_test::opaque;
using gif_test::readGif;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;
using Pixels = std::vector<std::uint32_t>;

constexpr std::uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF;
const gif_test::Palette kPalette = {R, G, B, W};

Pooled<BufferedImageSet> decodeAll(const Bytes& file) {
    const auto [gif, read] = readGif(file);
    EXPECT_TRUE(read);
    return gif->decodeAll();
}

TEST(GifCompose, DisposalPreparesTheScreenForTheNextFrame) {
    // Red screen; then green over the left pixel (index 3 see-through at the
    // second), disposed as given; then blue at the right.
    struct Case {
        int disposal;
        Pixels last;
    };
    const Case cases[] = {
        {0, {opaque(G), opaque(R), opaque(R), opaque(B)}},
        {1, {opaque(G), opaque(R), opaque(R), opaque(B)}},
        {2, {kClear, kClear, opaque(R), opaque(B)}},
        {3, {opaque(R), opaque(R), opaque(R), opaque(B)}},
        {5, {opaque(G), opaque(R), opaque(R), opaque(B)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.disposal);
        Pooled<BufferedImageSet> set = decodeAll(GifBuilder(4, 1, kPalette)
                                                     .control(1, 10)
                                                     .image(0, 0, 4, 1, {0, 0, 0, 0})
                                                     .control(c.disposal, 20, 3)
                                                     .image(0, 0, 2, 1, {1, 3})
                                                     .control(1, 30)
                                                     .image(3, 0, 1, 1, {2})
                                                     .trailer()
                                                     .bytes());
        ASSERT_EQ(set->getCount(), 3);
        EXPECT_EQ(gif_test::visiblePixels(*set->getImage(1)),
                  (Pixels{opaque(G), opaque(R), opaque(R), opaque(R)}));
        EXPECT_EQ(gif_test::visiblePixels(*set->getImage(2)), c.last);
        EXPECT_EQ(set->getValue3(1), c.disposal);
        EXPECT_EQ(set->getValue2(2), 300);
    }
}

TEST(GifCompose, RestoringThePreviousPictureOfTheFirstFrameLeavesNothing) {
    Pooled<BufferedImageSet> set = decodeAll(GifBuilder(2, 1, kPalette)
                                                 .control(3, 10)
                                                 .image(0, 0, 1, 1, {0})
                                                 .image(1, 0, 1, 1, {2})
                                                 .trailer()
                                                 .bytes());
    ASSERT_EQ(set->getCount(), 2);
    EXPECT_EQ(gif_test::visiblePixels(*set->getImage(1)), (Pixels{kClear, opaque(B)}));
}

TEST(GifCompose, FramesSitAtTheirOffsetsClippedToTheScreen) {
    Bytes small(10 * 10, 1), large(20 * 20, 2);
    Pooled<BufferedImageSet> set = decodeAll(GifBuilder(20, 20, kPalette)
                                                 .loop(3)
                                                 .image(5, 5, 10, 10, small)
                                                 .image(0, 0, 20, 20, large)
                                                 .image(15, 18, 10, 10, Bytes(100, 0))
                                                 .image(65535, 65535, 4, 4, Bytes(16, 3))
                                                 .trailer()
                                                 .bytes());
    ASSERT_EQ(set->getCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(set->getImage(i)->getWidth(), 20);
        EXPECT_EQ(set->getImage(i)->getHeight(), 20);
        EXPECT_EQ(set->getDepth(i), 8);
    }
    EXPECT_TRUE(set->isAnimated());
    EXPECT_EQ(set->getLoopCount(), 3);

    const Pixels first = gif_test::visiblePixels(*set->getImage(0));
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 5 && x < 15 && y >= 5 && y < 15;
            ASSERT_EQ(first[y * 20 + x], inside ? opaque(G) : kClear) << x << "," << y;
        }
    }
    EXPECT_TRUE(set->getImage(0)->hasAlpha());
    EXPECT_FALSE(set->getImage(1)->hasAlpha());
    // The third frame reaches past the corner: only its on-screen part shows.
    const Pixels third = gif_test::visiblePixels(*set->getImage(2));
    EXPECT_EQ(third[18 * 20 + 15], opaque(R));
    EXPECT_EQ(third[19 * 20 + 19], opaque(R));
    EXPECT_EQ(third[17 * 20 + 19], opaque(B));
    EXPECT_EQ(gif_test::visiblePixels(*set->getImage(3)), third) << "entirely off screen";

    BufferedImageSet::FrameRect rect;
    ASSERT_TRUE(set->getFrameRect(2, rect));
    EXPECT_EQ(rect.left, 15);
    EXPECT_EQ(rect.top, 18);
    EXPECT_EQ(rect.width, 10);
}

TEST(GifCompose, OneFullScreenFrameIsTheFrameItself) {
    const auto [gif, read] = readGif(GifBuilder(3, 2, kPalette)
                                         .control(0, 0, 2)
                                         .image(0, 0, 3, 2, {0, 1, 2, 3, 2, 1})
                                         .trailer()
                                         .bytes());
    ASSERT_TRUE(read);
    Pooled<BufferedImage> created;
    const BufferedImage* frame = gif->decode(0, nullptr, created);
    Pooled<BufferedImageSet> set = gif->decodeAll();
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(set->getCount(), 1);
    const BufferedImage& picture = *set->getImage(0);
    EXPECT_TRUE(picture.hasAlpha());
    EXPECT_EQ(frame->hasAlpha(), picture.hasAlpha());
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(picture.getPixelRow(y)[x], frame->getPixelRow(y)[x]);
    }
    EXPECT_EQ(picture.getPixelRow(0)[2], B) << "see-through, in the table's colour";
    EXPECT_TRUE(set->isAnimated()) << "a single frame is an animation of one";
    EXPECT_EQ(set->getLoopCount(), 1);
}

// Each frame on its own, at its offset on an empty screen, with its
// rectangle: what coalesced() composes.
Pooled<BufferedImageSet> placedFrames(s::image::gif::win::Gif& gif) {
    Pooled<BufferedImageSet> set = BufferedImageSet::take();
    for (int i = 0; i < gif.getImageCount(); ++i) {
        const s::image::gif::win::GifFrame& frame = *gif.getFrame(i);
        Pooled<BufferedImage> own;
        BufferedImage* image = gif.decode(i, nullptr, own);
        Pooled<BufferedImage> screen =
            BufferedImage::createImage(gif.getScreenWidth(), gif.getScreenHeight());
        screen->setAlpha(true);
        screen->drawImage(frame.getLeft(), frame.getTop(), 0, 0, *image, 0, 0, false);
        set->add(std::move(screen), 8, frame.getDelay(), frame.getDisposal());
        set->setFrameRect(i,
                          {frame.getLeft(), frame.getTop(), frame.getWidth(), frame.getHeight()});
    }
    set->setAnimation(true, static_cast<std::int16_t>(gif.getLoopCount()));
    return set;
}

TEST(GifCompose, CoalescedComposesPlacedFramesAsDecodeAllDoes) {
    for (const char* name : {"dispose_bgnd.gif", "dispose_prev.gif", "mixed-disposal.gif",
                             "transparent_dispose.gif", "animated-red-blue.gif",
                             "background-color.gif", "border_touching_layers.gif", "oob.gif"}) {
        SCOPED_TRACE(name);
        s::thread::Pooled<s::image::gif::win::Gif> gif = s::image::gif::win::Gif::take();
        ASSERT_TRUE(gif->loadFromFile(std::string(TARVEX_TEST_DATA) + "/gif/" + name));
        Pooled<BufferedImageSet> decoded = gif->decodeAll();
        ASSERT_GT(decoded->getCount(), 0);
        const auto expected = gif_test::visibleFrames(*decoded);

        Pooled<BufferedImageSet> composed = placedFrames(*gif)->coalesced();
        ASSERT_TRUE(composed);
        EXPECT_EQ(gif_test::visibleFrames(*composed), expected);
        EXPECT_TRUE(composed->isAnimated());
        EXPECT_EQ(composed->getValue3(0), decoded->getValue3(0));

        // The job coalesces what decodeAll gives: composing again changes nothing.
        Pooled<BufferedImageSet> again = decoded->coalesced();
        ASSERT_TRUE(again);
        EXPECT_EQ(gif_test::visibleFrames(*again), expected);
        EXPECT_EQ(gif_test::visibleFrames(*decoded->copyAll()->coalesced()), expected);
        // In place, as the job does it.
        Pooled<BufferedImageSet> placed = placedFrames(*gif);
        ASSERT_TRUE(placed->coalesce());
        EXPECT_EQ(gif_test::visibleFrames(*placed), expected);
        ASSERT_TRUE(decoded->coalesce());
        EXPECT_EQ(gif_test::visibleFrames(*decoded), expected);
    }
}

}  // namespace
