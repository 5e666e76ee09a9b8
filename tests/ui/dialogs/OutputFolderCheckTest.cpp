// The pre-job test of the output folder, on real folders: writable ones
// pass, a read-only mount and missing parents fail, and the message names
// the folder in quotes.
#include <gtest/gtest.h>

#include <fstream>

#include "DialogTestSupport.h"
#include "ui/dialogs/OutputFolderCheck.h"

namespace {

using s::gui::dialogs::dragndrop::OutputFolderCheck;
using Verdict = OutputFolderCheck::Verdict;
using tarvex::dialogtest::ReadOnlyFolder;
using tarvex::dialogtest::ScratchFolder;

TEST(OutputFolderCheckTest, FolderOfAPath) {
    struct Case {
        const char* path;
        const char* folder;
    } cases[] = {
        {"/a/b/c.png", "/a/b"}, {"/a//b.png", "/a"}, {"/c.png", "/"},
        {"/a/b/", "/a"},        {"c.png", ""},       {"", ""},
        {"rel/c.png", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(OutputFolderCheck::folderOf(c.path), c.folder) << c.path;
}

TEST(OutputFolderCheckTest, VerdictsOnRealFolders) {
    ScratchFolder scratch;
    std::ofstream(scratch / "file.png") << "x";
    struct Case {
        std::string folder;
        Verdict verdict;
    } cases[] = {
        {scratch.path(), Verdict::Writable},
        {scratch / "missing", Verdict::Writable},  // its parent can take it
        {scratch / "missing/deeper", Verdict::NotWritable},
        {scratch / "file.png", Verdict::NotWritable},
        {"relative/folder", Verdict::InvalidPath},
        {"", Verdict::InvalidPath},
    };
    for (const Case& c : cases) EXPECT_EQ(OutputFolderCheck::judge(c.folder), c.verdict) << c.folder;
}

TEST(OutputFolderCheckTest, ReadOnlyMountIsRefusedWithTheFolderInQuotes) {
    ReadOnlyFolder readOnly;
    std::ofstream(readOnly / "photo.png") << "x";
    readOnly.seal();
    if (!readOnly.ready()) GTEST_SKIP() << readOnly.why();
    auto localizer = s::lang::LocalizerFactory::create();
    const std::string message =
        OutputFolderCheck::failureMessage(readOnly / "photo.png", *localizer);
    EXPECT_EQ(message, std::string(OutputFolderCheck::kMessageFallback) + "\n\"" +
                           readOnly.path() + "\"");
    EXPECT_EQ(OutputFolderCheck::judge(readOnly / "sub"), Verdict::NotWritable);
}

TEST(OutputFolderCheckTest, InvalidPathMessageHasNoFolderLine) {
    auto localizer = s::lang::LocalizerFactory::create();
    EXPECT_EQ(OutputFolderCheck::failureMessage("photo.png", *localizer),
              OutputFolderCheck::kMessageFallback);
    ScratchFolder scratch;
    EXPECT_EQ(OutputFolderCheck::failureMessage(scratch / "photo.png", *localizer), "");
}

}  // namespace
