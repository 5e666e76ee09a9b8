#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "image/BufferedImage.h"
#include "image/BufferedImageSet.h"
#include "job/Sizer.h"

namespace {

using s::image::filters::scale::ScaleFilter;
using s::image::util::Sizer;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;
using List = std::vector<std::int32_t>;

constexpr std::int32_t kMultiple = s::image::util::MultipleAtOnce;
constexpr std::int32_t kSpecific = s::image::util::OneSpecific;
constexpr std::int32_t kAll = s::image::util::All;
constexpr std::int32_t kShrink = s::image::util::OnlyShrink;
constexpr std::int32_t kEnlarge = s::image::util::OnlyEnlarge;

// A set whose one member is w x h.
Pooled<BufferedImageSet> setOfSize(std::int32_t w, std::int32_t h) {
    Pooled<BufferedImageSet> set = BufferedImageSet::take();
    set->add(BufferedImage::createImage(w, h), 24);
    EXPECT_EQ(set->getWidth(), w);
    EXPECT_EQ(set->getHeight(), h);
    return set;
}

Sizer severalSizes(bool maximumRange, std::int32_t stretch, std::int32_t samples,
                   std::int32_t percent = 100) {
    Sizer sizer;
    sizer.mode = kMultiple;
    sizer.inMaximumRange = maximumRange;
    sizer.stretchMode = stretch;
    sizer.numOfSamples = samples;
    sizer.limitedPercent = percent;
    sizer.buildSamples();
    return sizer;
}

Sizer specific(bool byPixel, std::int32_t w, std::int32_t h, std::int32_t stretch = kAll,
               bool keepRatio = true) {
    Sizer sizer;
    sizer.mode = kSpecific;
    sizer.byPixel = byPixel;
    (byPixel ? sizer.pixelWidth : sizer.percentWidth) = w;
    (byPixel ? sizer.pixelHeight : sizer.percentHeight) = h;
    sizer.stretchMode = stretch;
    sizer.keepRatio = keepRatio;
    sizer.buildSamples();
    return sizer;
}

// --- Sample lists -----------------------------------------------------------

struct ListCase {
    const char* name;
    bool maximumRange;
    std::int32_t stretch;
    std::int32_t samples;
    std::int32_t percent;
    List expected;  // both lists of the range in use
};

TEST(SizerSamples, SeveralSizesFollowTheRangeAndStretchMode) {
    const std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const ListCase cases[] = {
        {"max 10", true, kAll, 10, 100, {32, 1200, 161, 291, 421, 551, 680, 810, 940, 1070}},
        {"max 1", true, kAll, 1, 100, {32, 1200}},
        {"max 2", true, kAll, 2, 100, {32, 1200}},
        {"max 3", true, kAll, 3, 100, {32, 1200, 616}},
        {"max ignores stretch", true, kShrink, 3, 100, {32, 1200, 616}},
        {"limited all", false, kAll, 10, 100, {-100, 100, -78, -56, -34, -12, 11, 33, 55, 77}},
        {"limited all 2", false, kAll, 2, 100, {-100, 100}},
        {"limited all 1", false, kAll, 1, 40, {-40, 40}},
        {"limited shrink",
         false,
         kShrink,
         10,
         100,
         {-100, -10, -20, -30, -40, -50, -60, -70, -80, -90}},
        {"limited enlarge", false, kEnlarge, 10, 100, {100, 10, 20, 30, 40, 50, 60, 70, 80, 90}},
        {"repeats stay", false, kAll, 5, 1, {-1, 1, -1, 0, 0}},
        {"unknown stretch", false, 9, 10, 100, {}},
        // numOfSamples is clamped to 1..1000 before the lists are built.
        {"zero samples", true, kAll, 0, 100, {32, 1200}},
        {"zero samples shrink", false, kShrink, 0, 100, {-100}},
        {"negative samples", false, kEnlarge, -5, 100, {100}},
        {"most negative samples", false, kAll, kMin, 100, {-100, 100}},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Sizer sizer = severalSizes(c.maximumRange, c.stretch, c.samples, c.percent);
        const List& widths = c.maximumRange ? sizer.pixelWidths : sizer.percentWidths;
        const List& heights = c.maximumRange ? sizer.pixelHeights : sizer.percentHeights;
        EXPECT_EQ(widths, c.expected);
        EXPECT_EQ(heights, c.expected);
        EXPECT_TRUE((c.maximumRange ? sizer.percentWidths : sizer.pixelWidths).empty());
        EXPECT_EQ(sizer.sampleCount(), static_cast<std::int32_t>(c.expected.size()));
    }
}

TEST(SizerSamples, HugeSampleCountIsBoundedTo1000) {
    const Sizer boxes = severalSizes(true, kAll, std::numeric_limits<std::int32_t>::max());
    ASSERT_EQ(boxes.sampleCount(), 1000);
    EXPECT_EQ(boxes.pixelWidths[2], 33);      // 32 + trunc(1168 / 999)
    EXPECT_EQ(boxes.pixelWidths[999], 1198);  // 32 + trunc(998 * 1168 / 999)
    EXPECT_EQ(severalSizes(false, kShrink, 5000).sampleCount(), 1000);
}

TEST(SizerSamples, OneSpecificSizeAndRebuilding) {
    Sizer sizer = specific(true, 640, 480);
    EXPECT_EQ(sizer.pixelWidths, List{640});
    EXPECT_EQ(sizer.pixelHeights, List{480});
    EXPECT_TRUE(sizer.percentWidths.empty());
    EXPECT_EQ(sizer.sampleCount(), 1);

    // A second build replaces the lists of the first.
    sizer.byPixel = false;
    sizer.buildSamples();
    EXPECT_TRUE(sizer.pixelWidths.empty());
    EXPECT_EQ(sizer.percentWidths, List{200});
    EXPECT_EQ(sizer.percentHeights, List{200});

    sizer.mode = 7;  // neither sizing mode
    sizer.buildSamples();
    EXPECT_TRUE(sizer.percentWidths.empty());
    EXPECT_EQ(sizer.sampleCount(), 0);

    sizer.reset();
    EXPECT_EQ(sizer.mode, kSpecific);
    EXPECT_EQ(sizer.pixelWidth, 800);
    EXPECT_EQ(sizer.percentHeight, 200);
    EXPECT_TRUE(sizer.byPixel);
}

// --- Usability --------------------------------------------------------------

TEST(SizerUsability, MaximumRangeBoxesAgainstAn800x600Image) {
    const Pooled<BufferedImageSet> set = setOfSize(800, 600);
    const struct {
        std::int32_t stretch;
        List usable;
    } cases[] = {
        {kShrink, {32, 161, 291, 421, 551}},
        {kEnlarge, {1200, 810, 940, 1070}},
        {kAll, {32, 1200, 161, 291, 421, 551, 680, 810, 940, 1070}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stretch);
        const Sizer sizer = severalSizes(true, c.stretch, 10);
        List usable;
        for (std::int32_t j = 0; j < sizer.sampleCount(); ++j) {
            if (sizer.isSampleUsable(j, *set)) usable.push_back(sizer.pixelWidths[j]);
        }
        EXPECT_EQ(usable, c.usable);
    }
}

TEST(SizerUsability, SingleSamples) {
    struct Case {
        const char* name;
        Sizer sizer;
        std::int32_t w, h, j;
        bool usable;
    };
    const Case cases[] = {
        {"pixels", specific(true, 800, 600), 10, 10, 0, true},
        {"pixel width 0", specific(true, 0, 600), 800, 600, 0, false},
        {"negative pixel height", specific(true, 800, -1), 800, 600, 0, false},
        {"1 % of 50 px", specific(false, 1, 100), 50, 50, 0, false},
        {"2 % of 50 px", specific(false, 2, 100), 50, 50, 0, true},
        {"0 %", specific(false, 0, 100), 800, 600, 0, false},
        {"limited 0 %", severalSizes(false, kAll, 10), 800, 600, 0, false},
        {"limited 22 %", severalSizes(false, kAll, 10), 800, 600, 2, true},
        {"limited 90 %", severalSizes(false, kShrink, 10), 800, 600, 1, true},
        {"limited 1 %", severalSizes(false, kShrink, 10, 99), 800, 600, 0, false},
        {"limited 2 % of 50 px", severalSizes(false, kShrink, 10, 98), 50, 50, 0, true},
        {"limited 2 % of 49 px", severalSizes(false, kShrink, 10, 98), 49, 50, 0, false},
        {"index past the list", specific(true, 800, 600), 800, 600, 1, false},
        {"negative index", severalSizes(true, kAll, 10), 800, 600, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.sizer.isSampleUsable(c.j, *setOfSize(c.w, c.h)), c.usable);
    }
    Sizer unknownMode = specific(true, 800, 600);
    unknownMode.mode = 0;
    EXPECT_FALSE(unknownMode.isSampleUsable(0, *setOfSize(800, 600)));
}

// --- Scale filters ----------------------------------------------------------

TEST(SizerFilter, TargetsAndClampsFollowTheSetSize) {
    struct Case {
        const char* name;
        Sizer sizer;
        std::int32_t w, h, j;
        std::int32_t width, height;
        bool inPixels, keepRatio;
    };
    const Case cases[] = {
        {"box", severalSizes(true, kAll, 10), 800, 600, 2, 161, 161, true, true},
        {"box shrink clamp", severalSizes(true, kShrink, 10), 800, 600, 1, 800, 600, true, true},
        {"box enlarge clamp", severalSizes(true, kEnlarge, 10), 800, 600, 0, 800, 600, true, true},
        {"limited 0 %", severalSizes(false, kAll, 10), 800, 600, 0, 0, 0, false, true},
        {"limited 200 %", severalSizes(false, kAll, 10), 800, 600, 1, 200, 200, false, true},
        {"limited shrink", severalSizes(false, kShrink, 10), 800, 600, 1, 90, 90, false, true},
        {"limited enlarge", severalSizes(false, kEnlarge, 10), 800, 600, 1, 110, 110, false, true},
        {"limited shrink past 100", severalSizes(false, kShrink, 2, -50), 8, 6, 0, 100, 100, false,
         true},
        {"pixels no ratio", specific(true, 640, 480, kAll, false), 10, 10, 0, 640, 480, true,
         false},
        {"pixels shrink", specific(true, 800, 600, kShrink), 400, 300, 0, 400, 300, true, true},
        {"pixels enlarge", specific(true, 800, 600, kEnlarge), 1600, 500, 0, 1600, 600, true, true},
        {"percent shrink", specific(false, 200, 50, kShrink), 10, 10, 0, 100, 50, false, true},
        {"percent enlarge", specific(false, 200, 50, kEnlarge), 10, 10, 0, 200, 100, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            // A recycled filter keeps some fields of its previous user; every
            // one of them must be set again.
            Pooled<ScaleFilter> used = ScaleFilter::take();
            used->kernel = 4;
            used->keepRatio = !c.keepRatio;
            used->widthInPixels = !c.inPixels;
            used->heightInPixels = !c.inPixels;
            used->width = used->height = 12345;
        }
        const Pooled<ScaleFilter> filter = c.sizer.makeScaleFilter(c.j, *setOfSize(c.w, c.h));
        ASSERT_TRUE(filter);
        EXPECT_EQ(filter->width, c.width);
        EXPECT_EQ(filter->height, c.height);
        EXPECT_EQ(filter->widthInPixels, c.inPixels);
        EXPECT_EQ(filter->heightInPixels, c.inPixels);
        EXPECT_EQ(filter->keepRatio, c.keepRatio);
        EXPECT_EQ(filter->kernel, 1);
        EXPECT_EQ(filter->limit, 0);
    }
}

TEST(SizerFilter, NoFilterOutsideTheLists) {
    const Pooled<BufferedImageSet> set = setOfSize(8, 6);
    EXPECT_FALSE(severalSizes(true, kAll, 3).makeScaleFilter(3, *set));
    EXPECT_FALSE(specific(true, 8, 6).makeScaleFilter(-1, *set));
    Sizer unknownMode = specific(true, 8, 6);
    unknownMode.mode = 3;
    EXPECT_FALSE(unknownMode.makeScaleFilter(0, *set));
}

TEST(SizerFilter, BoxesKeepTheRatioOfThe800x600Image) {
    const Sizer sizer = severalSizes(true, kAll, 10);
    const struct {
        std::int32_t j, width, height;
    } cases[] = {{2, 161, 120}, {1, 1200, 900}, {0, 32, 24}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        Pooled<BufferedImageSet> set = setOfSize(800, 600);
        BufferedImage& image = *set->getImage(0);
        image.addFilter(sizer.makeScaleFilter(c.j, *set));
        const BufferedImage* resized = image.getFiltered();
        ASSERT_NE(resized, nullptr);
        EXPECT_EQ(resized->getWidth(), c.width);
        EXPECT_EQ(resized->getHeight(), c.height);
        set->updateLargest();
        EXPECT_EQ(set->getWidth(), c.width);
        EXPECT_EQ(set->getHeight(), c.height);
    }
}

// --- Output names -----------------------------------------------------------

TEST(SizerOutputName, StemSizeAndExtensionAsSpelled) {
    const Pooled<BufferedImageSet> set = setOfSize(161, 120);
    EXPECT_EQ(Sizer::outputFileName(*set, "/pics/cat.JPG (Sizes)/", "cat", ".JPG"),
              "/pics/cat.JPG (Sizes)/cat (161x120).JPG");
    EXPECT_EQ(Sizer::outputFileName(*set, "", "a b", ".bmp"), "a b (161x120).bmp");
}

}  // namespace
