// The road of a drop up to the worker: ignored while busy, refused by the
// output-folder check without leaving its paths behind, started otherwise.
#include <gtest/gtest.h>

#include "ui/dialogs/JobBook.h"

namespace {

using s::gui::dialogs::dragndrop::JobBook;
using Outcome = JobBook::Outcome;

struct FakeHooks : JobBook::IHooks {
    bool apply = true;
    std::string refusal;
    int applied = 0, checked = 0, started = 0;
    std::string checkedPath;
    bool applySettings() override {
        ++applied;
        return apply;
    }
    std::string checkOutputFolder(const std::string& firstPath) override {
        ++checked;
        checkedPath = firstPath;
        return refusal;
    }
    void startJob() override { ++started; }
};

TEST(JobBookTest, DropStartsAJobOverThePathsInOrder) {
    JobBook book;
    FakeHooks hooks;
    const auto result = book.acceptDrop({"/a/1.png", "/b/2.png"}, hooks);
    EXPECT_EQ(result.outcome, Outcome::Started);
    EXPECT_EQ(hooks.checkedPath, "/a/1.png");
    EXPECT_EQ(hooks.started, 1);
    EXPECT_TRUE(book.isBusy());
    EXPECT_EQ(book.snapshot(), (std::vector<std::string>{"/a/1.png", "/b/2.png"}));
}

TEST(JobBookTest, DropWhileBusyIsIgnoredUntilTheJobEnds) {
    JobBook book;
    FakeHooks hooks;
    book.acceptDrop({"/a/1.png"}, hooks);
    EXPECT_EQ(book.acceptDrop({"/a/2.png"}, hooks).outcome, Outcome::IgnoredWhileBusy);
    EXPECT_EQ(hooks.applied, 1);
    EXPECT_EQ(book.snapshot().size(), 1u);

    EXPECT_TRUE(book.requestCancel());
    EXPECT_TRUE(book.isCancelling());
    book.finish();
    EXPECT_FALSE(book.isBusy());
    EXPECT_FALSE(book.isCancelling());
    EXPECT_TRUE(book.snapshot().empty());
    EXPECT_EQ(book.acceptDrop({"/a/3.png"}, hooks).outcome, Outcome::Started);
    EXPECT_EQ(book.snapshot(), std::vector<std::string>{"/a/3.png"});
}

TEST(JobBookTest, RefusedFolderLeavesNothingForTheNextJob) {
    JobBook book;
    FakeHooks hooks;
    hooks.refusal = "cannot write";
    const auto result = book.acceptDrop({"/ro/1.png", "/ok/2.png"}, hooks);
    EXPECT_EQ(result.outcome, Outcome::FolderRefused);
    EXPECT_EQ(result.message, "cannot write");
    EXPECT_EQ(hooks.started, 0);
    EXPECT_FALSE(book.isBusy());
    EXPECT_TRUE(book.snapshot().empty());

    hooks.refusal.clear();
    book.acceptDrop({"/ok/3.png"}, hooks);
    EXPECT_EQ(book.snapshot(), std::vector<std::string>{"/ok/3.png"});
}

TEST(JobBookTest, EmptyOrUnappliedDropsDoNothing) {
    JobBook book;
    FakeHooks hooks;
    EXPECT_EQ(book.acceptDrop({}, hooks).outcome, Outcome::Empty);
    EXPECT_EQ(hooks.applied, 0);
    hooks.apply = false;
    EXPECT_EQ(book.acceptDrop({"/a/1.png"}, hooks).outcome, Outcome::NotApplied);
    EXPECT_EQ(hooks.checked, 0);
    EXPECT_TRUE(book.snapshot().empty());
    EXPECT_FALSE(book.requestCancel()) << "nothing was running";
}

}  // namespace
