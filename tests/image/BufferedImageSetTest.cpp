#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ImageFixtures.h"
#include "image/BufferedImageSet.h"

namespace {

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;
using tarvex::test::FakeFilter;
using tarvex::test::makeImage;
using tarvex::test::Pixels;
using tarvex::test::pixelsOf;
using tarvex::test::solidImage;

struct Member {
    std::int32_t w, h, depth;
};

Pooled<BufferedImageSet> makeSet(const std::vector<Member>& members) {
    Pooled<BufferedImageSet> set = BufferedImageSet::take();
    for (const Member& m : members) set->add(solidImage(m.w, m.h, 0xFF000000), m.depth);
    return set;
}

TEST(BufferedImageSet, TheLargestMemberHasTheLargestAreaThenTheLargestDepth) {
    struct Case {
        const char* name;
        std::vector<Member> members;
        std::int32_t index, w, h, depth;
    };
    const std::vector<Case> cases = {
        {"equal area, lower depth later", {{32, 32, 32}, {32, 32, 8}}, 0, 32, 32, 32},
        {"equal area, higher depth later", {{32, 32, 8}, {32, 32, 32}}, 1, 32, 32, 32},
        {"larger area, lower depth", {{16, 16, 32}, {32, 32, 8}}, 1, 32, 32, 8},
        {"smaller area later", {{48, 48, 8}, {64, 16, 32}}, 0, 48, 48, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pooled<BufferedImageSet> set = makeSet(c.members);
        EXPECT_EQ(set->getLargestIndex(), c.index);
        EXPECT_EQ(set->getWidth(), c.w);
        EXPECT_EQ(set->getHeight(), c.h);
        EXPECT_EQ(set->getLargestDepth(), c.depth);
        EXPECT_EQ(set->getLargest(), set->getImage(c.index));
    }

    Pooled<BufferedImageSet> set = makeSet({{4, 4, 32}});
    set->add(Pooled<BufferedImage>());
    EXPECT_EQ(set->getCount(), 1);
}

TEST(BufferedImageSet, TagsOutsideTheSetReadAsDefaults) {
    Pooled<BufferedImageSet> set = BufferedImageSet::take();
    set->add(solidImage(1, 1, 0), 8, 10, 1);
    set->add(solidImage(1, 1, 0), 24, 20, 2);
    EXPECT_EQ(set->getValue2(1), 20);
    EXPECT_EQ(set->getValue3(0), 1);
    EXPECT_EQ(set->getDepth(1), 24);
    for (std::int32_t i : {-1, 2, 5}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(set->getValue2(i), 1000);
        EXPECT_EQ(set->getValue3(i), 1000);
        EXPECT_EQ(set->getDepth(i), 0);
        EXPECT_EQ(set->getImage(i), nullptr);
    }
}

TEST(BufferedImageSet, NearestSearchesWeighDepthAndAreaInTheirOrder) {
    // Areas 256, 1024, 2304, 4096.
    Pooled<BufferedImageSet> set = makeSet({{16, 16, 32}, {32, 32, 8}, {48, 48, 8}, {64, 64, 32}});
    struct Case {
        const char* name;
        std::int32_t w, h, depth;
        std::int32_t depthFirst, sizeFirst;
    };
    const Case cases[] = {
        {"exact", 48, 48, 8, 2, 2},
        {"same depth vs same size", 32, 32, 32, 0, 1},
        {"nothing exact", 40, 40, 24, 0, 1},
        {"larger than all", 100, 100, 32, 3, 3},
        // Area 1664 lies 640 from both 1024 and 2304: the first found stays.
        {"ties keep the first", 1664, 1, 8, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::int32_t index = -1;
        EXPECT_TRUE(set->findNearestDepthFirst(c.w, c.h, c.depth, index));
        EXPECT_EQ(index, c.depthFirst);
        index = -1;
        EXPECT_TRUE(set->findNearestSizeFirst(c.w, c.h, c.depth, index));
        EXPECT_EQ(index, c.sizeFirst);
    }

    std::int32_t index = -1;
    EXPECT_TRUE(set->findExact(32, 32, 8, index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(set->findExact(32, 32, 32, index));

    // The search starts from a candidate of area and depth -16777215: a
    // request for exactly that is never beaten, so nothing is found.
    index = -1;
    EXPECT_FALSE(set->findNearestDepthFirst(-16777215, 1, -16777215, index));
    EXPECT_EQ(index, 0);

    Pooled<BufferedImageSet> empty = BufferedImageSet::take();
    index = -1;
    EXPECT_FALSE(empty->findNearestSizeFirst(16, 16, 32, index));
    EXPECT_EQ(index, 0);
}

TEST(BufferedImageSet, UpdateLargestMeasuresFilteredMembers) {
    FakeFilter enlarge;
    enlarge.resultWidth = 30;
    enlarge.resultHeight = 30;
    Pooled<BufferedImageSet> set = makeSet({{20, 20, 8}, {10, 10, 32}});
    set->getImage(1)->addFilter(enlarge);
    set->updateLargest();
    EXPECT_EQ(set->getWidth(), 30);
    EXPECT_EQ(set->getHeight(), 30);
    // Index and depth keep naming the member chosen when it was added.
    EXPECT_EQ(set->getLargestIndex(), 0);
    EXPECT_EQ(set->getLargestDepth(), 8);
}

TEST(BufferedImageSet, CopiesAreIndependentAndKeepTagsAndAnimation) {
    Pooled<BufferedImageSet> set = BufferedImageSet::take();
    set->add(makeImage(2, 1, {1, 2}, true), 8, 10, 1);
    set->add(solidImage(3, 3, 7), 24, 20, 2);
    set->setAnimation(true, 3);

    Pooled<BufferedImageSet> copy = set->copyAll();
    ASSERT_TRUE(copy);
    ASSERT_EQ(copy->getCount(), 2);
    EXPECT_NE(copy->getImage(0), set->getImage(0));
    EXPECT_EQ(pixelsOf(*copy->getImage(0)), (Pixels{1, 2}));
    EXPECT_TRUE(copy->getImage(0)->hasAlpha());
    EXPECT_EQ(copy->getDepth(1), 24);
    EXPECT_EQ(copy->getValue2(0), 10);
    EXPECT_EQ(copy->getValue3(1), 2);
    EXPECT_TRUE(copy->isAnimated());
    EXPECT_EQ(copy->getLoopCount(), 3);
    EXPECT_EQ(copy->getLargestIndex(), 1);

    copy->getImage(0)->fill(255, 0, 0, 0);
    EXPECT_EQ(pixelsOf(*set->getImage(0)), (Pixels{1, 2}));
}

TEST(BufferedImageSet, CoalescedDrawsMarkedFramesOverThePreviousPicture) {
    constexpr std::uint32_t R = 0xFFFF0000, G = 0xFF00FF00, T = 0x000000FF;
    Pooled<BufferedImageSet> set = BufferedImageSet::take();
    set->add(solidImage(2, 2, R), 8, 10, 1);            // the first frame has nothing below it
    set->add(makeImage(1, 2, {G, T}, true), 8, 20, 1);  // smaller, partly transparent
    set->add(solidImage(2, 2, G), 8, 30, 0);            // not marked: kept as it is
    set->setAnimation(false, 5);

    Pooled<BufferedImageSet> whole = set->coalesced();
    ASSERT_TRUE(whole);
    ASSERT_EQ(whole->getCount(), 3);
    EXPECT_EQ(pixelsOf(*whole->getImage(0)), Pixels(4, R));
    EXPECT_EQ(whole->getValue3(0), 1);
    EXPECT_EQ(pixelsOf(*whole->getImage(1)), (Pixels{G, R, R, R}));
    EXPECT_EQ(whole->getValue3(1), 2);
    EXPECT_EQ(whole->getValue2(1), 20);
    EXPECT_EQ(pixelsOf(*whole->getImage(2)), Pixels(4, G));
    EXPECT_EQ(whole->getValue3(2), 0);
    EXPECT_TRUE(whole->isAnimated());
    EXPECT_EQ(whole->getLoopCount(), 5);
    // The source frames are unchanged.
    EXPECT_EQ(pixelsOf(*set->getImage(0)), Pixels(4, R));

    // In place: the members become the same pictures.
    ASSERT_TRUE(set->coalesce());
    ASSERT_EQ(set->getCount(), 3);
    for (std::int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(pixelsOf(*set->getImage(i)), pixelsOf(*whole->getImage(i)));
        EXPECT_EQ(set->getValue3(i), whole->getValue3(i));
    }
    EXPECT_EQ(set->getLargestIndex(), whole->getLargestIndex());
    EXPECT_TRUE(set->isAnimated());
}

TEST(BufferedImageSet, ScaledAndFilteredSetsHoldCopies) {
    Pooled<BufferedImageSet> set = makeSet({{8, 4, 32}, {16, 16, 8}});
    Pooled<BufferedImageSet> scaled = set->scaledAll(4, 4, true);
    ASSERT_TRUE(scaled);
    ASSERT_EQ(scaled->getCount(), 2);
    EXPECT_EQ(scaled->getImage(0)->getWidth(), 4);
    EXPECT_EQ(scaled->getImage(0)->getHeight(), 2);
    EXPECT_EQ(scaled->getImage(1)->getWidth(), 4);
    EXPECT_NE(scaled->getImage(1), set->getImage(1)->getScaledCache());
    EXPECT_EQ(scaled->getDepth(1), 8);

    FakeFilter brighten;
    brighten.delta = 1;
    set->getImage(1)->addFilter(brighten);
    Pooled<BufferedImageSet> filtered = set->filteredAll();
    ASSERT_TRUE(filtered);
    EXPECT_EQ(pixelsOf(*filtered->getImage(0)), Pixels(32, 0xFF000000));
    EXPECT_EQ(pixelsOf(*filtered->getImage(1)), Pixels(256, 0xFF000001));
    EXPECT_NE(filtered->getImage(1), set->getImage(1)->getFiltered());

    FakeFilter failing;
    failing.mode = FakeFilter::Mode::Fail;
    set->getImage(0)->addFilter(failing);
    EXPECT_FALSE(set->filteredAll());
}

TEST(BufferedImageSet, DetachAndClearEmptyTheSet) {
    Pooled<BufferedImageSet> set = makeSet({{4, 4, 32}, {8, 8, 8}});
    set->setAnimation(true, 7);
    BufferedImage* second = set->getImage(1);
    std::vector<Pooled<BufferedImage>> members = set->detachAll();
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[1].get(), second);
    EXPECT_EQ(set->getCount(), 0);
    EXPECT_EQ(set->getWidth(), 0);
    EXPECT_EQ(set->getLargestIndex(), 0);
    EXPECT_FALSE(set->isAnimated());
    EXPECT_EQ(set->getLoopCount(), 7);

    set->add(std::move(members[0]), 32);
    set->setAnimation(true, 7);
    const std::size_t before = BufferedImage::pool().freeCount();
    set->clear();
    EXPECT_EQ(BufferedImage::pool().freeCount(), before + 1);
    EXPECT_EQ(set->getCount(), 0);
    EXPECT_EQ(set->getLoopCount(), 1);
    EXPECT_FALSE(set->isAnimated());
}

}  // namespace
