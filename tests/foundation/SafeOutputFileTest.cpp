#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "foundation/SafeOutputFile.h"

namespace {

using s::file::win::SafeOutputFile;
using tarvex::test::readText;
using tarvex::test::TempFolder;
using tarvex::test::writeText;
using Names = std::vector<std::string>;

// Writes `text` through a SafeOutputFile in `folder` and publishes it as `wanted`.
std::string publish(const std::string& folder, const std::string& wanted, const std::string& text) {
    SafeOutputFile file;
    if (!file.open(folder)) return "open failed";
    if (!file.stream().writeAll(text.data(), text.size())) return "write failed";
    return file.commit(wanted);
}

TEST(SafeOutputFile, PublishesUnderTheFirstFreeNameAndLeavesNoTemporaryFile) {
    TempFolder dir;
    EXPECT_EQ(publish(dir.path(), dir / "cat.png", "one"), dir / "cat.png");
    EXPECT_EQ(publish(dir.path(), dir / "cat.png", "two"), dir / "cat (1).png");
    EXPECT_EQ(publish(dir.path(), dir / "cat.png", "three"), dir / "cat (2).png");

    EXPECT_EQ(dir.entries(), (Names{"cat (1).png", "cat (2).png", "cat.png"}));
    EXPECT_EQ(readText(dir / "cat.png"), "one");
    EXPECT_EQ(readText(dir / "cat (1).png"), "two");
    EXPECT_EQ(readText(dir / "cat (2).png"), "three");
}

TEST(SafeOutputFile, GivesThePermissionsOfANormallyCreatedFile) {
    TempFolder dir;
    const mode_t previous = ::umask(027);
    const std::string written = publish(dir.path(), dir / "out.bmp", "x");
    ::umask(previous);
    struct stat st {};
    ASSERT_EQ(::stat(written.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(SafeOutputFile, NeverReplacesAnExistingFileOrFolder) {
    TempFolder dir;
    writeText(dir / "cat.jpg", "original");
    ASSERT_TRUE(std::filesystem::create_directory(dir / "dog.jpg"));

    EXPECT_EQ(publish(dir.path(), dir / "cat.jpg", "new"), dir / "cat (1).jpg");
    EXPECT_EQ(readText(dir / "cat.jpg"), "original");
    EXPECT_EQ(readText(dir / "cat (1).jpg"), "new");

    // The counter goes before the extension even when a folder holds the
    // name, so the output keeps the extension of its format.
    EXPECT_EQ(publish(dir.path(), dir / "dog.jpg", "new"), dir / "dog (1).jpg");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "dog.jpg"));
}

TEST(SafeOutputFile, LeavesASymbolicLinkAtTheWantedNameAndItsTargetAlone) {
    struct LinkCase {
        const char* name;
        bool targetExists;
    };
    for (const LinkCase& c : {LinkCase{"to existing file", true}, LinkCase{"dangling", false}}) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        TempFolder elsewhere;
        const std::string target = elsewhere / "victim.png";
        if (c.targetExists) writeText(target, "precious");
        ASSERT_EQ(::symlink(target.c_str(), (dir / "cat.png").c_str()), 0);

        EXPECT_EQ(publish(dir.path(), dir / "cat.png", "output"), dir / "cat (1).png");
        EXPECT_TRUE(std::filesystem::is_symlink(dir / "cat.png"));
        EXPECT_EQ(std::filesystem::read_symlink(dir / "cat.png"), target);
        if (c.targetExists) {
            EXPECT_EQ(readText(target), "precious");
        } else {
            EXPECT_FALSE(std::filesystem::exists(target));
        }
        EXPECT_EQ(readText(dir / "cat (1).png"), "output");
    }
}

TEST(SafeOutputFile, ConcurrentWritersOfOneNameEachGetTheirOwnFile) {
    TempFolder dir;
    constexpr int kThreads = 4, kFilesEach = 5;
    std::vector<std::vector<std::string>> results(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kFilesEach; ++i) {
                const std::string text = std::to_string(t) + ":" + std::to_string(i);
                results[t].push_back(publish(dir.path(), dir / "same.gif", text));
            }
        });
    }
    for (auto& thread : threads) thread.join();

    std::set<std::string> names;
    for (int t = 0; t < kThreads; ++t) {
        for (int i = 0; i < kFilesEach; ++i) {
            const std::string& written = results[t][i];
            EXPECT_EQ(readText(written), std::to_string(t) + ":" + std::to_string(i)) << written;
            names.insert(written);
        }
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kThreads * kFilesEach));
    EXPECT_EQ(dir.entries().size(), names.size());
}

TEST(SafeOutputFile, LeavesNothingBehindWithoutACommit) {
    TempFolder dir;
    {
        SafeOutputFile file;
        ASSERT_TRUE(file.open(dir.path()));
        EXPECT_TRUE(file.stream().writeAll("partial", 7));
        EXPECT_EQ(dir.entries().size(), 1u);  // the hidden temporary file
        EXPECT_EQ(dir.entries()[0].rfind(".tarvex-", 0), 0u);
    }
    EXPECT_TRUE(dir.entries().empty());

    SafeOutputFile file;
    ASSERT_TRUE(file.open(dir.path()));
    file.abandon();
    EXPECT_TRUE(dir.entries().empty());
    EXPECT_EQ(file.commit(dir / "late.png"), "");
    EXPECT_TRUE(dir.entries().empty());

    EXPECT_FALSE(file.open(dir / "missing"));
}

// Runs `body` in a child process whose files may grow to at most `limit`
// bytes; writing past it fails with EFBIG instead of killing the process.
// Returns the child's exit status.
template <class Body>
int withFileSizeLimit(rlim_t limit, Body body) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        if (::setrlimit(RLIMIT_FSIZE, &small) != 0) ::_exit(90);
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SafeOutputFile, LeavesNothingBehindWhenTheDataCannotBeStored) {
    TempFolder dir;
    const std::string big(200000, 'z');
    struct FailCase {
        const char* name;
        std::size_t size;  // larger than the buffer: the write itself fails
    };
    for (const FailCase& c :
         {FailCase{"fails at write", big.size()}, FailCase{"fails at commit", 5000}}) {
        SCOPED_TRACE(c.name);
        const int status = withFileSizeLimit(1000, [&] {
            SafeOutputFile file;
            if (!file.open(dir.path())) return 1;
            std::size_t count = 0;
            const bool wrote = file.stream().write(big.data(), c.size, count);
            if (wrote != (c.size <= 65536)) return 2;
            return file.commit(dir / "out.png").empty() ? 0 : 3;
        });
        EXPECT_EQ(status, 0);
        EXPECT_TRUE(dir.entries().empty());
    }
}

}  // namespace
