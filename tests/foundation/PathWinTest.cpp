#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "foundation/PathWin.h"

namespace {

using s::file::win::PathWin;
using tarvex::test::readText;
using tarvex::test::TempFolder;
using tarvex::test::writeText;

struct PartsCase {
    const char* text;
    const char* full;
    const char* folder;
    const char* fileName;
    const char* stem;
    const char* extension;
};

TEST(PathWin, SplitsTheTextIntoItsParts) {
    const PartsCase cases[] = {
        {"/pics/cat.jpg/", "/pics/cat.jpg", "/pics/", "cat.jpg", "cat", ".jpg"},
        {"/pics//", "/pics", "/", "pics", "pics", ""},
        {"/pics/README", "/pics/README", "/pics/", "README", "README", ""},
        {"/pics/.hidden", "/pics/.hidden", "/pics/", ".hidden", ".hidden", ""},
        {"/pics/.hidden.png", "/pics/.hidden.png", "/pics/", ".hidden.png", ".hidden", ".png"},
        {"/pics/a.tar.gz", "/pics/a.tar.gz", "/pics/", "a.tar.gz", "a.tar", ".gz"},
        {"/pics/CAT.JPG", "/pics/CAT.JPG", "/pics/", "CAT.JPG", "CAT", ".JPG"},
        {"/v1.2/notes", "/v1.2/notes", "/v1.2/", "notes", "notes", ""},
        {"cat.jpg", "cat.jpg", "", "cat.jpg", "cat", ".jpg"},
        {"/pics/..", "/pics/..", "/pics/", "..", "..", ""},
        {"/", "/", "/", "", "", ""},
    };
    for (const PartsCase& c : cases) {
        SCOPED_TRACE(c.text);
        const PathWin path(c.text);
        EXPECT_TRUE(path.isValid());
        EXPECT_EQ(path.fullPath(), c.full);
        EXPECT_EQ(path.folder(), c.folder);
        EXPECT_EQ(path.fileName(), c.fileName);
        EXPECT_EQ(path.stem(), c.stem);
        EXPECT_EQ(path.extension(), c.extension);
    }
    EXPECT_FALSE(PathWin("").isValid());
}

TEST(PathWin, ParentIsTheContainingFolder) {
    EXPECT_EQ(PathWin("/pics/cat.jpg").parent()->fullPath(), "/pics");
    EXPECT_EQ(PathWin("/cat.jpg").parent()->fullPath(), "/");
    EXPECT_EQ(PathWin("cat.jpg").parent()->fullPath(), ".");
}

TEST(PathWin, AnswersAboutFilesFoldersAndMissingPaths) {
    TempFolder dir;
    writeText(dir / "a.bin", std::string(10, 'x'));
    ASSERT_TRUE(std::filesystem::create_directory(dir / "sub"));
    writeText(dir / "sub/b.bin", std::string(5, 'y'));

    const PathWin file(dir / "a.bin");
    EXPECT_TRUE(file.exists());
    EXPECT_TRUE(file.isFile());
    EXPECT_FALSE(file.isDirectory());
    EXPECT_EQ(file.size(), 10u);

    const PathWin folder(dir.path());
    EXPECT_TRUE(folder.isDirectory());
    EXPECT_FALSE(folder.isFile());
    EXPECT_EQ(folder.size(true, false), 10u);
    EXPECT_EQ(folder.size(true, true), 15u);

    const PathWin missing(dir / "nothing.png");
    EXPECT_FALSE(missing.exists());
    EXPECT_FALSE(missing.isFile());
    EXPECT_EQ(missing.size(), 0u);
}

TEST(PathWin, AttributesAreCachedUntilTheTextIsSetAgain) {
    TempFolder dir;
    PathWin path(dir / "late.txt");
    EXPECT_FALSE(path.exists());
    writeText(dir / "late.txt", "abc");
    EXPECT_FALSE(path.exists());
    path.set(path);
    EXPECT_TRUE(path.exists());
    EXPECT_EQ(path.size(), 3u);
}

TEST(PathWin, MakeUniqueCountsBetweenStemAndExtensionForFiles) {
    TempFolder dir;
    EXPECT_EQ(PathWin(dir / "cat.jpg").makeUnique(), dir / "cat.jpg");

    writeText(dir / "cat.jpg", "1");
    EXPECT_EQ(PathWin(dir / "cat.jpg").makeUnique(), dir / "cat (1).jpg");
    writeText(dir / "cat (1).jpg", "2");
    EXPECT_EQ(PathWin(dir / "cat.jpg").makeUnique(), dir / "cat (2).jpg");

    writeText(dir / "README", "");
    EXPECT_EQ(PathWin(dir / "README").makeUnique(), dir / "README (1)");
}

TEST(PathWin, MakeUniqueAppendsTheCounterToTheWholeNameOfAFolder) {
    TempFolder dir;
    ASSERT_TRUE(std::filesystem::create_directory(dir / "cat.jpg (Sizes)"));
    EXPECT_EQ(PathWin(dir / "cat.jpg (Sizes)").makeUnique(), dir / "cat.jpg (Sizes) (1)");
    ASSERT_TRUE(std::filesystem::create_directory(dir / "cat.jpg (Sizes) (1)"));
    EXPECT_EQ(PathWin(dir / "cat.jpg (Sizes)").makeUnique(), dir / "cat.jpg (Sizes) (2)");
}

TEST(PathWin, MakeUniqueTreatsADanglingSymbolicLinkAsTaken) {
    TempFolder dir;
    writeText(dir / "cat.jpg", "");
    ASSERT_EQ(::symlink((dir / "gone").c_str(), (dir / "cat (1).jpg").c_str()), 0);
    EXPECT_EQ(PathWin(dir / "cat.jpg").makeUnique(), dir / "cat (2).jpg");
}

TEST(PathWin, CreateFolderMakesMissingParents) {
    TempFolder dir;
    PathWin nested(dir / "a/b/c");
    EXPECT_TRUE(nested.createFolder());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "a/b/c"));
    EXPECT_TRUE(nested.isDirectory());

    EXPECT_FALSE(PathWin("/").createFolder());
    writeText(dir / "file", "");
    EXPECT_FALSE(PathWin(dir / "file/sub").createFolder());
}

TEST(PathWin, OpenForWriteCreatesParentsAndOpenForReadSeesTheContent) {
    TempFolder dir;
    PathWin path(dir / "x/y/out.bin");
    {
        auto out = path.openForWrite();
        ASSERT_TRUE(out);
        EXPECT_TRUE(out->writeAll("hello", 5));
        EXPECT_TRUE(out->close());
    }
    {
        auto out = path.openForWrite(true);
        ASSERT_TRUE(out);
        EXPECT_EQ(out->position(), 5u);
        EXPECT_TRUE(out->writeAll("!", 1));
    }
    EXPECT_EQ(readText(dir / "x/y/out.bin"), "hello!");

    auto in = path.openForRead();
    ASSERT_TRUE(in);
    char text[6] = {};
    EXPECT_TRUE(in->readFully(text, sizeof text));
    EXPECT_EQ(std::string(text, 6), "hello!");

    // A parent that is a file cannot be created.
    writeText(dir / "plain", "");
    EXPECT_FALSE(PathWin(dir / "plain/out.bin").openForWrite());
    // A file that is not there gives a stream that fails every read.
    auto missing = PathWin(dir / "missing.bin").openForRead();
    ASSERT_TRUE(missing);
    std::size_t count = 1;
    EXPECT_FALSE(missing->read(text, 1, count));
    EXPECT_EQ(count, 0u);
}

TEST(PathWin, TempFileIsAFreshEmptyFileNamedNew) {
    const std::string first = s::file::win::tempFile();
    const std::string second = s::file::win::tempFile();
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    for (const std::string& name : {first, second}) {
        EXPECT_EQ(PathWin(name).fileName().rfind("NEW", 0), 0u) << name;
        EXPECT_TRUE(std::filesystem::is_regular_file(name));
        EXPECT_EQ(std::filesystem::file_size(name), 0u);
        ::unlink(name.c_str());
    }
}

}  // namespace
