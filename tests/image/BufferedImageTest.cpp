#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ImageFixtures.h"
#include "image/BufferedImage.h"
#include "image/ImageLimits.h"

namespace {

using s::image::ImageLimits;
using s::image::win::BufferedImage;
using s::thread::Pooled;
using tarvex::test::FakeFilter;
using tarvex::test::makeImage;
using tarvex::test::Pixels;
using tarvex::test::pixelsOf;
using tarvex::test::solidImage;

// ---- memory ----------------------------------------------------------------

TEST(BufferedImageMemory, RowsLieBottomUpInsideTheCapacity) {
    Pooled<BufferedImage> image = BufferedImage::take();
    ASSERT_TRUE(image->allocate(3, 2));
    ASSERT_TRUE(image->reserve(5, 4));
    image->setSize(3, 2);
    const std::int32_t stride = image->getCapacityBytesPerLine();
    EXPECT_EQ(stride, 20);
    EXPECT_EQ(image->getBytesPerLine(), 12);
    // Logical row y starts (capacityHeight - 1 - y) rows above the lowest address.
    EXPECT_EQ(image->getRow(0), image->getBits() + 3 * stride);
    EXPECT_EQ(image->getRow(1), image->getBits() + 2 * stride);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(image->getBits()) % 64, 0u);
}

TEST(BufferedImageMemory, AllocateZeroesThePixelsAndKeepsTheAlphaFlag) {
    Pooled<BufferedImage> image = solidImage(2, 2, 0xFFABCDEF, true);
    ASSERT_TRUE(image->allocate(3, 2));
    EXPECT_EQ(image->getWidth(), 3);
    EXPECT_EQ(image->getCapacityHeight(), 2);
    EXPECT_EQ(pixelsOf(*image), Pixels(6, 0));
    EXPECT_TRUE(image->hasAlpha());

    ASSERT_TRUE(image->allocate(0, 0));
    EXPECT_EQ(image->getBits(), nullptr);
    EXPECT_EQ(image->getCapacityWidth(), 0);
}

TEST(BufferedImageMemory, SizesBeyondTheLimitsFailWithoutTouchingMemory) {
    struct Case {
        std::int32_t w, h;
    };
    const Case cases[] = {{ImageLimits::kMaxSide + 1, 1},
                          {1, ImageLimits::kMaxSide + 1},
                          {20000, 20000},  // sides fit, pixel count does not
                          {-1, 4},
                          {0x7FFFFFFF, 0x7FFFFFFF}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h));
        // allocate leaves the image empty.
        Pooled<BufferedImage> image = solidImage(2, 2, 0xFF112233);
        EXPECT_FALSE(image->allocate(c.w, c.h));
        EXPECT_EQ(image->getBits(), nullptr);
        EXPECT_EQ(image->getWidth(), 0);
        EXPECT_EQ(image->getCapacityWidth(), 0);
        EXPECT_EQ(image->getCapacityHeight(), 0);
        EXPECT_FALSE(BufferedImage::createImage(c.w, c.h));

        // reserve and reserveGrowing leave it unchanged.
        Pooled<BufferedImage> kept = solidImage(2, 2, 0xFF112233);
        const std::uint8_t* bits = kept->getBits();
        EXPECT_FALSE(kept->reserve(c.w, c.h));
        EXPECT_FALSE(kept->reserveGrowing(c.w, c.h));
        EXPECT_EQ(kept->getBits(), bits);
        EXPECT_EQ(kept->getCapacityWidth(), 2);
        EXPECT_EQ(pixelsOf(*kept), Pixels(4, 0xFF112233));
    }
}

TEST(BufferedImageMemory, ReserveKeepsTheLogicalRowsAndCopiesOnlyWhatFits) {
    Pooled<BufferedImage> image = makeImage(3, 2, {1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(image->reserve(4, 3));
    EXPECT_EQ(image->getCapacityWidth(), 4);
    EXPECT_EQ(image->getCapacityHeight(), 3);
    EXPECT_EQ(image->getWidth(), 3);
    EXPECT_EQ(pixelsOf(*image), (Pixels{1, 2, 3, 4, 5, 6}));

    // Covered: nothing moves.
    const std::uint8_t* bits = image->getBits();
    ASSERT_TRUE(image->reserve(2, 2));
    EXPECT_EQ(image->getBits(), bits);

    // Exactly w x h is allocated, so the width shrinks: only the bytes that
    // fit the new rows are copied and the logical size follows the capacity.
    ASSERT_TRUE(image->reserve(2, 5));
    EXPECT_EQ(image->getCapacityWidth(), 2);
    EXPECT_EQ(image->getWidth(), 2);
    EXPECT_EQ(image->getHeight(), 2);
    EXPECT_EQ(pixelsOf(*image), (Pixels{1, 2, 4, 5}));
}

TEST(BufferedImageMemory, ReserveGrowingGrowsByFactorsOfOnePointTwo) {
    struct Case {
        std::int32_t capW, capH, wantW, wantH, expectW, expectH;
    };
    const Case cases[] = {
        {10, 10, 11, 10, 12, 10},  // one step, the covered side stays
        {10, 10, 25, 11, 29, 12},  // 10 -> 12 -> 14.4 -> ... -> 29.86
        {3, 3, 4, 2, 4, 3},        // never shrinks a side
        {0, 0, 5, 7, 5, 7},        // an empty capacity starts at the wanted size
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.wantW) + " x " + std::to_string(c.wantH));
        Pooled<BufferedImage> image = BufferedImage::take();
        ASSERT_TRUE(image->allocate(c.capW, c.capH));
        for (std::int32_t y = 0; y < c.capH; ++y) {
            for (std::int32_t x = 0; x < c.capW; ++x) image->getPixelRow(y)[x] = y * 100 + x;
        }
        const Pixels before = pixelsOf(*image);
        ASSERT_TRUE(image->reserveGrowing(c.wantW, c.wantH));
        EXPECT_EQ(image->getCapacityWidth(), c.expectW);
        EXPECT_EQ(image->getCapacityHeight(), c.expectH);
        EXPECT_EQ(pixelsOf(*image), before);
    }
}

TEST(BufferedImageMemory, ReserveGrowingNearTheSideLimitStillGivesTheWantedSize) {
    Pooled<BufferedImage> image = BufferedImage::take();
    ASSERT_TRUE(image->allocate(60000, 1));
    // 60000 x 1.2 is beyond the side limit; the growth stops at the limit.
    ASSERT_TRUE(image->reserveGrowing(ImageLimits::kMaxSide, 1));
    EXPECT_EQ(image->getCapacityWidth(), ImageLimits::kMaxSide);
}

// ---- copies and rearrangements ---------------------------------------------

TEST(BufferedImageRearrange, MovesEveryPixelWhereItBelongs) {
    // 3 x 2 source, top row first:  1 2 3
    //                               4 5 6
    struct Case {
        const char* name;
        std::function<Pooled<BufferedImage>(const BufferedImage&)> make;
        std::function<bool(const BufferedImage&, BufferedImage&)> into;
        std::int32_t w, h;
        Pixels expected;
    };
    // clang-format off
    const Case cases[] = {
        {"copy", &BufferedImage::copy, &BufferedImage::copyInto, 3, 2, {1, 2, 3, 4, 5, 6}},
        // The former bottom-left pixel ends up top-left.
        {"rotateClockwise", &BufferedImage::rotateClockwise, &BufferedImage::rotateClockwiseInto,
         2, 3, {4, 1, 5, 2, 6, 3}},
        {"rotate180", &BufferedImage::rotate180, &BufferedImage::rotate180Into, 3, 2,
         {6, 5, 4, 3, 2, 1}},
        {"rotateCounterClockwise", &BufferedImage::rotateCounterClockwise,
         &BufferedImage::rotateCounterClockwiseInto, 2, 3, {3, 6, 2, 5, 1, 4}},
        {"mirror", &BufferedImage::mirror, &BufferedImage::mirrorInto, 3, 2, {3, 2, 1, 6, 5, 4}},
        {"flip", &BufferedImage::flip, &BufferedImage::flipInto, 3, 2, {4, 5, 6, 1, 2, 3}},
    };
    // clang-format on
    Pooled<BufferedImage> source = makeImage(3, 2, {1, 2, 3, 4, 5, 6}, true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pooled<BufferedImage> made = c.make(*source);
        ASSERT_TRUE(made);
        EXPECT_EQ(made->getWidth(), c.w);
        EXPECT_EQ(made->getHeight(), c.h);
        EXPECT_EQ(pixelsOf(*made), c.expected);
        EXPECT_TRUE(made->hasAlpha());

        // A used target with a larger capacity and other pixels is resized.
        Pooled<BufferedImage> target = solidImage(5, 4, 0xFFFFFFFF);
        ASSERT_TRUE(c.into(*source, *target));
        EXPECT_EQ(target->getWidth(), c.w);
        EXPECT_EQ(target->getHeight(), c.h);
        EXPECT_EQ(pixelsOf(*target), c.expected);
        EXPECT_TRUE(target->hasAlpha());
    }
    EXPECT_EQ(pixelsOf(*source), (Pixels{1, 2, 3, 4, 5, 6}));
}

// ---- compositing -------------------------------------------------------------

TEST(BufferedImageDrawImage, ClipsAgainstBothImages) {
    // 3 x 3 source, opaque, without meaningful alpha: copied as it is.
    const Pixels sourcePixels = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    constexpr std::uint32_t B = 0xFF000000;  // destination background
    struct Case {
        std::int32_t x, y, srcX, srcY;
        Pixels expected;  // 4 x 2 destination
    };
    const Case cases[] = {
        {0, 0, 0, 0, {1, 2, 3, B, 4, 5, 6, B}},
        {-1, -1, 0, 0, {5, 6, B, B, 8, 9, B, B}},  // negative x/y skip source pixels
        {2, 1, 0, 0, {B, B, B, B, B, B, 1, 2}},    // clipped at the right and bottom
        {0, 0, 2, 1, {6, B, B, B, 9, B, B, B}},    // clipped by the source
        {1, 0, -1, 0, {B, B, 1, 2, B, B, 4, 5}},   // a negative source offset shifts the target
        {4, 0, 0, 0, {B, B, B, B, B, B, B, B}},    // fully outside
        {-3, 0, 0, 0, {B, B, B, B, B, B, B, B}},
        {0, 0, 0, 3, {B, B, B, B, B, B, B, B}},
        {-0x7FFFFFFF - 1, 0, 0x7FFFFFFF, 0, {B, B, B, B, B, B, B, B}},
    };
    Pooled<BufferedImage> source = makeImage(3, 3, sourcePixels);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y) + " from " +
                     std::to_string(c.srcX) + "," + std::to_string(c.srcY));
        Pooled<BufferedImage> dest = solidImage(4, 2, B);
        dest->drawImage(c.x, c.y, 0, 0, *source, c.srcX, c.srcY, false);
        EXPECT_EQ(pixelsOf(*dest), c.expected);
    }
}

TEST(BufferedImageDrawImage, CompositesStraightAlphaSourceOver) {
    struct Case {
        const char* name;
        std::uint32_t source, dest;
        bool destHasAlpha;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"half red over opaque blue", 0x80FF0000, 0xFF0000FF, true, 0xFF7F007F},
        // Without meaningful alpha the destination counts as opaque.
        {"half red over unflagged blue", 0x80FF0000, 0x000000FF, false, 0xFF7F007F},
        {"half over half", 0x80FF0000, 0x800000FF, true, 0xC0A90055},
        {"onto a transparent pixel", 0x80FF0000, 0x000000FF, true, 0x80FF0000},
        {"opaque source", 0xFF00FF00, 0x800000FF, true, 0xFF00FF00},
        {"transparent source", 0x0000FF00, 0x800000FF, true, 0x800000FF},
        {"transparent source, unflagged", 0x0000FF00, 0x000000FF, false, 0xFF0000FF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pooled<BufferedImage> source = solidImage(1, 1, c.source, true);
        Pooled<BufferedImage> dest = solidImage(1, 1, c.dest, c.destHasAlpha);
        dest->drawImage(0, 0, 0, 0, *source, 0, 0, false);
        EXPECT_EQ(pixelsOf(*dest)[0], c.expected);
        EXPECT_EQ(dest->hasAlpha(), c.destHasAlpha);
    }
}

TEST(BufferedImageDrawImage, ScalesTheSourceWhenAsked) {
    Pooled<BufferedImage> source = solidImage(2, 2, 0xFF204060);
    Pooled<BufferedImage> dest = solidImage(6, 6, 0xFF000000);
    dest->drawImage(1, 1, 4, 4, *source, 0, 0, true);
    const Pixels pixels = pixelsOf(*dest);
    for (std::int32_t y = 0; y < 6; ++y) {
        for (std::int32_t x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x < 5 && y >= 1 && y < 5;
            EXPECT_EQ(pixels[y * 6 + x], inside ? 0xFF204060u : 0xFF000000u) << x << "," << y;
        }
    }
}

// ---- scaling -------------------------------------------------------------------

TEST(BufferedImageScaled, ReturnsItselfOrItsCache) {
    Pooled<BufferedImage> image = solidImage(100, 50, 0xFF336699);
    EXPECT_EQ(image->scaled(100, 50, false), image.get());
    EXPECT_EQ(image->scaled(200, 50, true), image.get());  // ratio kept: its own size

    BufferedImage* fitted = image->scaled(80, 80, true);
    ASSERT_NE(fitted, nullptr);
    EXPECT_NE(fitted, image.get());
    EXPECT_EQ(fitted->getWidth(), 80);
    EXPECT_EQ(fitted->getHeight(), 40);
    EXPECT_EQ(pixelsOf(*fitted), Pixels(80 * 40, 0xFF336699));
    EXPECT_EQ(image->getScaledCache(), fitted);

    // The same size again is the cache; another size reuses the cache image.
    EXPECT_EQ(image->scaled(80, 40, false), fitted);
    BufferedImage* other = image->scaled(10, 30, false);
    EXPECT_EQ(other, fitted);
    EXPECT_EQ(other->getWidth(), 10);
    EXPECT_EQ(other->getHeight(), 30);
}

TEST(BufferedImageScaled, DegenerateSizes) {
    Pooled<BufferedImage> flat = solidImage(1000, 1, 0xFF000000);
    BufferedImage* fitted = flat->scaled(10, 10, true);
    ASSERT_NE(fitted, nullptr);
    EXPECT_EQ(fitted->getWidth(), 10);
    EXPECT_EQ(fitted->getHeight(), 1);  // 0.01 rows would be none

    Pooled<BufferedImage> empty = BufferedImage::take();
    EXPECT_EQ(empty->scaled(10, 10, true), nullptr);
    EXPECT_EQ(flat->scaled(0, 10, false), nullptr);
}

// ---- filter chain ----------------------------------------------------------------

TEST(BufferedImageFilters, OwnedFiltersGoBackWhenRemovedBorrowedOnesDoNot) {
    FakeFilter owned1, owned2, borrowed;
    {
        Pooled<BufferedImage> image = BufferedImage::take();
        image->addFilter(Pooled<s::image::filters::IFilter>(&owned1));
        image->addFilter(borrowed);
        image->insertFilter(0, Pooled<s::image::filters::IFilter>(&owned2));
        ASSERT_EQ(image->getFilterCount(), 3);
        EXPECT_EQ(image->getFilter(0), &owned2);
        EXPECT_EQ(image->getFilter(2), &borrowed);
        EXPECT_EQ(image->getFilter(3), nullptr);

        std::int32_t index = -1;
        EXPECT_TRUE(image->findFilter(FakeFilter::kName, index));
        EXPECT_EQ(index, 0);
        const std::string sameText = FakeFilter::kName;  // names compare by identity
        EXPECT_FALSE(image->findFilter(sameText.c_str(), index));

        image->removeFilter(0);
        EXPECT_EQ(owned2.released, 1);
        image->removeFilter(1);
        EXPECT_EQ(borrowed.released, 0);
        image->removeFilter(5);  // not a filter index: nothing happens
        EXPECT_EQ(image->getFilterCount(), 1);

        image->addFilter(borrowed);
        image->clearFilters();
        EXPECT_FALSE(image->hasFilters());
        EXPECT_EQ(owned1.released, 1);
        EXPECT_EQ(borrowed.released, 0);

        image->addFilter(Pooled<s::image::filters::IFilter>(&owned1));
        image->detachFilters();
        EXPECT_EQ(owned1.released, 1);

        image->addFilter(Pooled<s::image::filters::IFilter>(&owned2));
    }  // releasing the image releases its owned filters
    EXPECT_EQ(owned2.released, 2);
}

TEST(BufferedImageFilters, AppliesTheChainInOrderAndCachesTheResult) {
    const FakeFilter::Mode modes[] = {FakeFilter::Mode::IntoOutput, FakeFilter::Mode::Created};
    for (FakeFilter::Mode mode : modes) {
        SCOPED_TRACE(static_cast<int>(mode));
        FakeFilter widen, brighten;
        widen.mode = mode;
        widen.resultWidth = 4;
        brighten.mode = mode;
        brighten.delta = 1;
        Pooled<BufferedImage> image = makeImage(2, 1, {0xFF000010, 0xFF000020}, true);
        image->addFilter(widen);
        image->addFilter(brighten);

        BufferedImage* filtered = image->getFiltered();
        ASSERT_NE(filtered, nullptr);
        EXPECT_EQ(pixelsOf(*filtered), (Pixels{0xFF000011, 0xFF000021, 0xFF000011, 0xFF000021}));
        // Every result pixel is opaque, so the result's alpha flag is cleared.
        EXPECT_FALSE(filtered->hasAlpha());
        EXPECT_TRUE(image->hasAlpha());

        EXPECT_EQ(image->getFiltered(), filtered);  // cached: not run again
        EXPECT_EQ(brighten.applied, 1);

        // A change of the chain drops the cache.
        FakeFilter again;
        again.delta = 1;
        image->addFilter(again);
        filtered = image->getFiltered();
        ASSERT_NE(filtered, nullptr);
        EXPECT_EQ(pixelsOf(*filtered)[0], 0xFF000012u);
        EXPECT_EQ(brighten.applied, 2);
    }
}

// A new chain writes into the memory of the last filtered result; nothing
// derived from that result's old pixels (a scaled copy) may survive.
TEST(BufferedImageFilters, ARerunChainGivesFreshResultsAndFreshScaledCopies) {
    Pooled<BufferedImage> image = solidImage(4, 4, 0xFF102030, false);
    FakeFilter first;
    image->addFilter(first);
    BufferedImage* filtered = image->getFiltered();
    ASSERT_TRUE(filtered);
    ASSERT_TRUE(filtered->scaled(2, 2, false));
    const Pixels before = pixelsOf(*filtered->scaled(2, 2, false));
    image->clearFilters();

    FakeFilter second;
    second.delta = 0x00010101;
    image->addFilter(second);
    filtered = image->getFiltered();
    ASSERT_TRUE(filtered);
    EXPECT_EQ(pixelsOf(*filtered), Pixels(16, 0xFF112131));
    BufferedImage* scaled = filtered->scaled(2, 2, false);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(pixelsOf(*scaled), Pixels(4, 0xFF112131));
    EXPECT_NE(pixelsOf(*scaled), before);
}

TEST(BufferedImageFilters, AFailingFilterGivesNoFilteredImage) {
    FakeFilter first, failing;
    failing.mode = FakeFilter::Mode::Fail;
    Pooled<BufferedImage> image = solidImage(2, 2, 0xFF000000);
    image->addFilter(first);
    image->addFilter(failing);
    EXPECT_EQ(image->applyFilters(), nullptr);
    EXPECT_EQ(image->getFiltered(), nullptr);
    EXPECT_EQ(image->getFilteredOrSelf(), nullptr);

    // A filter handing back its input leaves the cache with a copy of it.
    Pooled<BufferedImage> plain = solidImage(2, 2, 0xFF000005);
    FakeFilter identity;
    identity.mode = FakeFilter::Mode::ReturnInput;
    plain->addFilter(identity);
    BufferedImage* filtered = plain->getFiltered();
    ASSERT_NE(filtered, nullptr);
    EXPECT_NE(filtered, plain.get());
    EXPECT_EQ(pixelsOf(*filtered), Pixels(4, 0xFF000005));
    EXPECT_EQ(image->getFiltered(), nullptr);

    Pooled<BufferedImage> noChain = solidImage(1, 1, 0);
    EXPECT_EQ(noChain->applyFilters(), nullptr);
    EXPECT_EQ(noChain->getFilteredOrSelf(), noChain.get());
}

TEST(BufferedImagePool, ReleasingAnImageReturnsItsCachesToThePool) {
    FakeFilter filter;
    Pooled<BufferedImage> image = solidImage(4, 4, 0xFF102030, true);
    image->addFilter(filter);
    ASSERT_NE(image->getFiltered(), nullptr);
    ASSERT_NE(image->scaled(2, 2, false), nullptr);
    const std::size_t before = BufferedImage::pool().freeCount();
    image.reset();
    // The image and its two caches, each reset.
    EXPECT_EQ(BufferedImage::pool().freeCount(), before + 3);
    Pooled<BufferedImage> recycled = BufferedImage::take();
    EXPECT_EQ(recycled->getBits(), nullptr);
    EXPECT_EQ(recycled->getScaledCache(), nullptr);
    EXPECT_FALSE(recycled->hasFilters());
    EXPECT_FALSE(recycled->hasAlpha());
}

// ---- pixel utilities ---------------------------------------------------------------

TEST(BufferedImagePixels, DetectAlphaLooksAtLogicalPixelsOnly) {
    Pooled<BufferedImage> image = solidImage(2, 2, 0xFF000000, true);
    // The extra capacity is zeroed, alpha 0, but lies outside the image.
    ASSERT_TRUE(image->reserve(4, 4));
    image->detectAlpha();
    EXPECT_FALSE(image->hasAlpha());

    image->getPixelRow(1)[1] = 0xFE000000;
    image->detectAlpha();
    EXPECT_TRUE(image->hasAlpha());

    image->makeOpaque();
    EXPECT_FALSE(image->hasAlpha());
    EXPECT_EQ(pixelsOf(*image), Pixels(4, 0xFF000000));
}

TEST(BufferedImagePixels, FillSetsEveryPixelAndTheAlphaFlag) {
    Pooled<BufferedImage> image = solidImage(2, 1, 0);
    image->fill(0x80, 1, 2, 3);
    EXPECT_EQ(pixelsOf(*image), Pixels(2, 0x80010203));
    EXPECT_TRUE(image->hasAlpha());
    image->fill(0xFF, 1, 2, 3);
    EXPECT_FALSE(image->hasAlpha());
}

TEST(BufferedImagePixels, ColourKeyMakesMatchingPixelsTransparent) {
    Pooled<BufferedImage> image = makeImage(3, 1, {0x00FF00FF, 0x12FF00FE, 0x7F000000});
    image->applyColourKey(0xFF, 0x00, 0xFF);
    EXPECT_EQ(pixelsOf(*image), (Pixels{0x00FF00FF, 0xFFFF00FE, 0xFF000000}));
    EXPECT_TRUE(image->hasAlpha());

    Pooled<BufferedImage> unmatched = makeImage(1, 1, {0x00000001});
    unmatched->applyColourKey(0, 0, 0);
    EXPECT_EQ(pixelsOf(*unmatched)[0], 0xFF000001u);
    EXPECT_FALSE(unmatched->hasAlpha());
}

TEST(BufferedImagePixels, PaintTransparentColoursOnlyFullyTransparentPixels) {
    Pooled<BufferedImage> image = makeImage(3, 1, {0x00123456, 0x01123456, 0xFF123456}, true);
    image->paintTransparent(0xAA, 0xBB, 0xCC);
    EXPECT_EQ(pixelsOf(*image), (Pixels{0x00AABBCC, 0x01123456, 0xFF123456}));

    Pooled<BufferedImage> opaque = makeImage(1, 1, {0x00123456}, false);
    opaque->paintTransparent(0xAA, 0xBB, 0xCC);
    EXPECT_EQ(pixelsOf(*opaque)[0], 0x00123456u);
}

TEST(BufferedImagePixels, KeyAgainstClearsPixelsOfTheSameColourAsTheOtherImage) {
    Pooled<BufferedImage> image = makeImage(2, 1, {0xFF010203, 0xFF010204});
    Pooled<BufferedImage> key = makeImage(2, 1, {0x00010203, 0xFF010203});
    image->keyAgainst(*key);
    EXPECT_EQ(pixelsOf(*image), (Pixels{0x00010203, 0xFF010204}));
    EXPECT_TRUE(image->hasAlpha());

    Pooled<BufferedImage> otherSize = makeImage(1, 1, {0x00010204});
    Pooled<BufferedImage> untouched = makeImage(2, 1, {0xFF010203, 0xFF010204});
    untouched->keyAgainst(*otherSize);
    EXPECT_EQ(pixelsOf(*untouched), (Pixels{0xFF010203, 0xFF010204}));
    EXPECT_FALSE(untouched->hasAlpha());
}

TEST(BufferedImagePixels, ThresholdAlphaMakesAlphaAllOrNothing) {
    Pooled<BufferedImage> image =
        makeImage(4, 1, {0x00000001, 0x5F000002, 0x60000003, 0xC8000004}, true);
    image->thresholdAlpha(96);
    EXPECT_EQ(pixelsOf(*image), (Pixels{0x00000001, 0x00000002, 0xFF000003, 0xFF000004}));
    EXPECT_TRUE(image->hasAlpha());

    Pooled<BufferedImage> high = makeImage(1, 1, {0x60000000}, true);
    high->thresholdAlpha(96);
    EXPECT_FALSE(high->hasAlpha());
}

TEST(BufferedImagePixels, FlattenOnWhiteBlendsEachChannelWithWhite) {
    // c' = (c * (a + 1) + 255 * (256 - a)) >> 8
    Pooled<BufferedImage> image =
        makeImage(5, 1, {0x00123456, 0x80000000, 0x01C80000, 0xFE000000, 0xFF123456}, true);
    image->flattenOnWhite();
    EXPECT_EQ(pixelsOf(*image),
              (Pixels{0xFFFFFFFF, 0xFF7F7F7F, 0xFFFFFEFE, 0xFF010101, 0xFF123456}));
    EXPECT_FALSE(image->hasAlpha());

    // Without meaningful alpha nothing changes.
    Pooled<BufferedImage> opaque = makeImage(1, 1, {0x00123456}, false);
    opaque->flattenOnWhite();
    EXPECT_EQ(pixelsOf(*opaque)[0], 0x00123456u);
}

TEST(BufferedImagePixels, ImagesWithoutMemoryAreNeverTouched) {
    // A failed allocation leaves no memory; a caller that still sets a size
    // must not lead any operation into reading or writing pixels.
    Pooled<BufferedImage> image = BufferedImage::take();
    ASSERT_FALSE(image->allocate(ImageLimits::kMaxSide + 1, 1));
    image->setSize(3, 3);
    image->setAlpha(true);
    image->fill(0, 0, 0, 0);
    image->applyColourKey(0, 0, 0);
    image->paintTransparent(0, 0, 0);
    image->thresholdAlpha(10);
    image->flattenOnWhite();
    image->detectAlpha();
    image->makeOpaque();
    Pooled<BufferedImage> other = solidImage(2, 2, 0x80000000, true);
    image->drawImage(0, 0, 0, 0, *other, 0, 0, false);
    other->drawImage(0, 0, 0, 0, *image, 0, 0, false);
    other->keyAgainst(*image);
    EXPECT_EQ(pixelsOf(*other), Pixels(4, 0x80000000));
    EXPECT_FALSE(image->copy());
    EXPECT_FALSE(image->rotateClockwise());
    EXPECT_FALSE(image->mirrorInto(*other));
}

}  // namespace
