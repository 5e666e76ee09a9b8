#include <gtest/gtest.h>

#include <vector>

#include "Fakes.h"
#include "ui/toolkit/Container.h"

namespace s::gui {
namespace {

using testing::FakeBox;
using testing::FakeLeaf;

struct Kid {
    std::int32_t minW, minH, maxW, maxH;
};

// A box of the given client size holding leaves with these minima and maxima.
s::thread::Pooled<FakeBox> boxWith(const std::vector<Kid>& kids, std::int32_t w, std::int32_t h,
                                   std::int32_t mode = Container::kColumn) {
    auto box = FakeBox::take();
    box->setLayoutMode(mode);
    for (const Kid& k : kids) box->add(FakeLeaf::sized(k.minW, k.minH, k.maxW, k.maxH));
    box->setSize(w, h);
    return box;
}

std::vector<std::int32_t> tops(const Container& c) {
    std::vector<std::int32_t> out;
    for (const Component* child : c.children()) out.push_back(child->y());
    return out;
}

std::vector<std::int32_t> heights(const Container& c) {
    std::vector<std::int32_t> out;
    for (const Component* child : c.children()) out.push_back(child->height());
    return out;
}

TEST(ColumnLayout, SpacingOnlyBetweenChildrenThatHaveHeight) {
    auto box = boxWith({{5, 10, 5, 10}, {5, 0, 5, 0}, {5, 5, 5, 5}}, 20, 0);
    box->setSpacingY(4);
    box->doLayout();
    EXPECT_EQ(box->contentMinHeight(), 19);
    EXPECT_EQ(tops(*box), (std::vector<std::int32_t>{0, 14, 14}));
}

TEST(ColumnLayout, TallerThanAllMaximaPlacesChildrenAtMaximumFromTheBottom) {
    auto box = boxWith({{5, 5, 5, 10}, {5, 5, 5, 20}}, 20, 100);
    box->alignBottom();
    box->doLayout();
    EXPECT_EQ(heights(*box), (std::vector<std::int32_t>{10, 20}));
    EXPECT_EQ(tops(*box), (std::vector<std::int32_t>{70, 80}));
    EXPECT_EQ(box->naturalHeight(), 30);
}

TEST(ColumnLayout, SharesExtraByRoomTruncatedAndLeftoverToFirstChildren) {
    // Rooms 10, 20 and 3 share 20 extra pixels at 20/33 each: 6, 12 and 1,
    // and the one pixel left over goes to the first child.
    auto box = boxWith({{5, 10, 5, 20}, {5, 10, 5, 30}, {5, 10, 5, 13}}, 20, 50);
    box->doLayout();
    EXPECT_EQ(heights(*box), (std::vector<std::int32_t>{17, 22, 11}));
    EXPECT_EQ(tops(*box), (std::vector<std::int32_t>{0, 17, 39}));
}

TEST(ColumnLayout, HiddenChildKeepsItsRoomButFixedZeroTakesNone) {
    auto box = boxWith({{5, 10, 5, 10}, {5, 10, 5, 10}, {5, 10, 5, 10}, {5, 10, 5, 10}}, 20, 0);
    box->setSpacingY(2);
    box->childAt(1)->setVisible(false);
    box->childAt(2)->setFixedSize(0, 0);
    box->doLayout();
    EXPECT_EQ(tops(*box), (std::vector<std::int32_t>{0, 12, 24, 24}));
    EXPECT_EQ(box->contentMinHeight(), 34);
    EXPECT_EQ(box->childAt(2)->height(), 0);
}

TEST(ColumnLayout, WidthFillsTheColumnUpToEachMaximumAndAligns) {
    auto box = boxWith({{10, 5, 100, 5}, {10, 5, 30, 5}}, 60, 10);
    box->alignRight();
    box->doLayout();
    EXPECT_EQ(box->childAt(0)->width(), 60);
    EXPECT_EQ(box->childAt(1)->width(), 30);
    EXPECT_EQ(box->childAt(1)->x(), 30);
}

TEST(ColumnLayout, MarginsShiftTheClientArea) {
    auto box = boxWith({{10, 5, 10, 5}}, 40, 40);
    box->setMargins(3, 4, 5, 6);
    EXPECT_EQ(box->childAt(0)->x(), 3);
    EXPECT_EQ(box->childAt(0)->y(), 5);
    EXPECT_EQ(box->minWidth(), 17);
    EXPECT_EQ(box->minHeight(), 16);
}

TEST(RowLayout, DistributesWidthsAndCentresVertically) {
    auto box = boxWith({{10, 4, 20, 4}, {10, 8, 10, 8}}, 100, 20, Container::kRow);
    box->setSpacingX(5);
    box->alignMiddle();
    box->doLayout();
    EXPECT_EQ(box->childAt(0)->width(), 20);
    EXPECT_EQ(box->childAt(1)->x(), 25);
    EXPECT_EQ(box->childAt(0)->y(), 8);
    EXPECT_EQ(box->childAt(1)->y(), 6);
    EXPECT_EQ(box->contentMinWidth(), 25);
}

TEST(PileLayout, BottomAlignmentKeepsHorizontalPositionFromHAlign) {
    auto box = boxWith({{20, 10, 20, 10}}, 100, 50, Container::kPile);
    box->alignCentre();
    box->alignBottom();
    box->doLayout();
    EXPECT_EQ(box->childAt(0)->x(), 40);
    EXPECT_EQ(box->childAt(0)->y(), 40);
}

TEST(FlowLayout, WrapsRowsAndKeepsAnExactFitOnItsRow) {
    struct Case {
        const char* name;
        std::vector<Kid> kids;
        std::vector<std::int32_t> xs, ys;
    };
    const std::vector<Case> cases = {
        {"exact fit stays", {{45, 10, 45, 10}, {45, 10, 45, 10}, {30, 10, 30, 10}},
         {0, 55, 0}, {0, 0, 13}},
        {"each too wide on its own row", {{60, 10, 60, 10}, {60, 10, 60, 10}}, {0, 0}, {0, 13}},
        {"one pixel over wraps", {{45, 10, 45, 10}, {46, 10, 46, 10}}, {0, 0}, {0, 13}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto box = boxWith(c.kids, 100, 0, Container::kFlow);
        box->setSpacingX(10);
        box->setSpacingY(3);
        box->doLayout();
        std::vector<std::int32_t> xs, ys;
        for (const Component* child : box->children()) {
            xs.push_back(child->x());
            ys.push_back(child->y());
        }
        EXPECT_EQ(xs, c.xs);
        EXPECT_EQ(ys, c.ys);
    }
}

TEST(SizeModel, PercentRoundsAndFixedOrPercentExcludeEachOther) {
    auto parent = FakeBox::take();
    auto& child = parent->add(FakeBox::take());
    parent->setSize(301, 100);
    child.setPercentWidth(50);
    EXPECT_EQ(child.maxWidth(), 151);
    child.setFixedWidth(40);
    EXPECT_EQ(child.percentWidth(), Component::kNone);
    EXPECT_EQ(child.maxWidth(), 40);
    child.setPercentWidth(10);
    EXPECT_EQ(child.fixedWidth(), Component::kNone);
}

TEST(SizeModel, MaximumBelowMinimumCountsAsMinimum) {
    auto leaf = FakeLeaf::sized(30, 10, 5, 5);
    leaf->setExplicitMinWidth(40);
    EXPECT_EQ(leaf->minWidth(), 40);
    EXPECT_EQ(leaf->effectiveMaxWidth(), 40);
    leaf->setSizeClamped(1000, 0);
    EXPECT_EQ(leaf->width(), 40);
    EXPECT_EQ(leaf->height(), 10);
    leaf->setShrinkWidth(true);
    EXPECT_EQ(leaf->minWidth(), 0);
}

TEST(Freeze, EachNativeWidgetMovesOncePerLayout) {
    auto box = FakeBox::take();
    for (int i = 0; i < 3; ++i) box->add(FakeLeaf::sized(10, 10, 20, 20));
    box->attachNative();
    for (Component* child : box->children()) static_cast<FakeLeaf*>(child)->moves = 0;
    box->setSize(50, 100);
    box->doLayout();
    for (Component* child : box->children()) EXPECT_EQ(static_cast<FakeLeaf*>(child)->moves, 1);

    auto& leaf = static_cast<FakeLeaf&>(*box->childAt(0));
    leaf.moves = 0;
    box->freeze();
    leaf.setBounds(1, 2, 3, 4);
    leaf.setPosition(5, 6);
    EXPECT_EQ(leaf.moves, 0);
    EXPECT_TRUE(leaf.isDirty());
    box->thaw();
    EXPECT_EQ(leaf.moves, 1);
    EXPECT_FALSE(leaf.isDirty());
}

TEST(Freeze, NestedBoxIsLaidOutAtItsNewSizeWithOneMovePerWidget) {
    auto outer = FakeBox::take();
    auto& inner = outer->add(FakeBox::take());
    inner.fill();
    auto& leaf = inner.add(FakeLeaf::sized(10, 10, 500, 500));
    outer->attachNative();
    leaf.moves = 0;
    outer->setSize(80, 60);
    outer->doLayout();
    EXPECT_EQ(inner.width(), 80);
    EXPECT_EQ(leaf.width(), 80);
    EXPECT_EQ(leaf.moves, 1);
}

struct CountingListener : s::gui::events::IEventListener {
    void onEvent(s::base::IObject&, std::int32_t kind) override { kinds.push_back(kind); }
    std::vector<std::int32_t> kinds;
};

TEST(Layout, AListenerThatRelayoutsNestsOnlyOnce) {
    struct Relayouter : s::gui::events::IEventListener {
        Container* box = nullptr;
        int calls = 0;
        void onEvent(s::base::IObject&, std::int32_t) override {
            ++calls;
            box->doLayout();
        }
    } relayouter;
    auto box = FakeBox::take();
    relayouter.box = box.get();
    box->addLayoutListener(&relayouter);
    box->doLayout();
    EXPECT_EQ(relayouter.calls, 2);
    EXPECT_EQ(box->layoutDepth(), 0);
}

TEST(Visibility, CollapsedBoxStaysHiddenWhenItsParentIsShown) {
    auto cards = FakeBox::take();
    auto& first = cards->add(FakeBox::take());
    auto& second = cards->add(FakeBox::take());
    cards->showOnlyChildAndCollapse(1);
    EXPECT_FALSE(first.isVisible());
    EXPECT_TRUE(first.isVisibilityLocked());
    EXPECT_EQ(first.offsetY(), 3000);
    cards->setVisible(false);
    cards->setVisible(true);
    EXPECT_FALSE(first.isVisible());
    EXPECT_TRUE(second.isVisible());
    cards->showOnlyChildAndCollapse(0);
    EXPECT_TRUE(first.isVisible());
    EXPECT_EQ(first.offsetY(), 0);
}

TEST(Drop, PathsKeptInOrderOnlyWhenFilesAreAccepted) {
    auto box = FakeBox::take();
    CountingListener listener;
    box->addDropListener(&listener);
    EXPECT_FALSE(box->deliverDroppedFiles({"/a.png"}));
    EXPECT_TRUE(listener.kinds.empty());
    box->setAcceptFiles(true);
    const std::string tooLong(Container::kMaxDroppedPathBytes + 1, 'x');
    EXPECT_TRUE(box->deliverDroppedFiles({"/b c.png", tooLong, "", "/ä.gif"}));
    EXPECT_EQ(listener.kinds, (std::vector<std::int32_t>{Component::kDropped}));
    EXPECT_EQ(box->droppedPaths(), (std::vector<std::string>{"/b c.png", "/ä.gif"}));
}

TEST(Listeners, CalledInRegistrationOrderPerKind) {
    struct Recorder : s::gui::events::IEventListener {
        Recorder(std::vector<int>* l, int i) : log(l), id(i) {}
        std::vector<int>* log;
        int id;
        void onEvent(s::base::IObject&, std::int32_t) override { log->push_back(id); }
    };
    std::vector<int> log;
    Recorder a(&log, 1), b(&log, 2), c(&log, 3);
    auto leaf = FakeLeaf::take();
    leaf->addListener(4, &b);
    leaf->addListener(4, &a);
    leaf->addListener(5, &c);
    leaf->setPosition(1, 1);
    EXPECT_EQ(log, (std::vector<int>{2, 1}));
}

}  // namespace
}  // namespace s::gui
