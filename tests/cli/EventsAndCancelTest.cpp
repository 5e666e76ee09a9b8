// tarvex-resize following a job: --events lines on stdout, and Ctrl-C
// (SIGINT) or SIGTERM cancelling it without leaving anything partial.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "job/JobFixtures.h"

namespace {

namespace fs = std::filesystem;
using namespace tarvex::jobtest;

// The program running with stdout on a pipe, read line by line.
class RunningResize {
public:
    explicit RunningResize(const std::vector<std::string>& args) {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            close(fds[1]);
            std::vector<char*> argv{const_cast<char*>(TARVEX_RESIZE_BIN)};
            for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(TARVEX_RESIZE_BIN, argv.data());
            _exit(127);
        }
        close(fds[1]);
        out_ = fdopen(fds[0], "r");
    }
    ~RunningResize() {
        if (out_) std::fclose(out_);
        if (pid_ > 0 && status_ < 0) waitpid(pid_, nullptr, 0);
    }

    // The next line without its newline; false at end of output.
    bool nextLine(std::string& line) {
        line.clear();
        if (!out_) return false;
        for (int c; (c = std::fgetc(out_)) != EOF;) {
            if (c == '\n') return true;
            line += static_cast<char>(c);
        }
        return !line.empty();
    }
    void signal(int number) { kill(pid_, number); }
    int exitStatus() {
        int raw = 0;
        waitpid(pid_, &raw, 0);
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 1000 + WTERMSIG(raw);
        return status_;
    }

private:
    pid_t pid_ = -1;
    std::FILE* out_ = nullptr;
    int status_ = -1;
};

std::vector<std::string> allLines(RunningResize& run) {
    std::vector<std::string> lines;
    for (std::string line; run.nextLine(line);) lines.push_back(line);
    return lines;
}

}  // namespace

TEST(EventsTest, TwoFilesOfTenSamplesGiveOneLinePerEvent) {
    const ScratchFolder dir;
    writeBmp(dir / "a.bmp", solidPicture(40, 30));
    writeBmp(dir / "b.bmp", solidPicture(30, 40));
    RunningResize run({"--events", "--various", "--max-range", "--samples", "10", dir / "a.bmp",
                       dir / "b.bmp"});
    const std::vector<std::string> lines = allLines(run);
    ASSERT_EQ(run.exitStatus(), 0);

    ASSERT_GE(lines.size(), 22u);
    EXPECT_EQ(lines[0], "ProcessStatusStart");
    for (int i = 0; i < 20; ++i) {
        const std::string name = i < 10 ? "a.bmp" : "b.bmp";
        EXPECT_EQ(lines[1 + i], "ProcessStatusUpdate 20 " + std::to_string(i) + " " + name);
    }
    EXPECT_EQ(lines[21], "ProcessStatusEnd");
    EXPECT_EQ(lines.size(), 22u + 20u);  // then the twenty written paths
}

// Interrupts a job of three files once its third sample has been announced.
// The announced sample is finished, nothing later is written, and every file
// on disk is complete.
TEST(CancelTest, SignalsFinishTheCurrentSampleAndLeaveNothingPartial) {
    struct Case {
        const char* name;
        std::vector<int> signals;
    };
    const Case cases[] = {
        {"one Ctrl-C", {SIGINT}},
        {"two Ctrl-C", {SIGINT, SIGINT}},
        {"SIGTERM", {SIGTERM}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScratchFolder dir;
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
            writeBmp(dir / name, solidPicture(900, 700));
        RunningResize run({"--events", "--various", "--max-range", "--samples", "40",
                           dir / "a.bmp", dir / "b.bmp", dir / "c.bmp"});

        std::vector<std::string> lines;
        for (std::string line; run.nextLine(line);) {
            lines.push_back(line);
            if (line.rfind("ProcessStatusUpdate 120 2 ", 0) == 0) break;
        }
        for (int number : c.signals) run.signal(number);
        for (std::string line; run.nextLine(line);) lines.push_back(line);
        ASSERT_EQ(run.exitStatus(), 130);

        // Start, updates 0..k, end, then the written paths.
        std::size_t end = 0;
        while (end < lines.size() && lines[end] != "ProcessStatusEnd") ++end;
        ASSERT_LT(end, lines.size());
        const std::size_t updates = end - 1;
        const std::size_t written = lines.size() - end - 1;
        EXPECT_GE(updates, 3u);
        EXPECT_EQ(written, updates) << "the announced sample is finished, no later one begun";

        EXPECT_FALSE(fs::exists(dir / "b.bmp (Sizes)"));
        EXPECT_FALSE(fs::exists(dir / "c.bmp (Sizes)"));
        std::size_t files = 0;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
            if (!entry.is_regular_file()) continue;
            ++files;
            const std::string name = entry.path().filename().string();
            EXPECT_NE(name.rfind(".tarvex-", 0), 0u) << "temporary file left: " << name;
            BmpPicture picture;
            EXPECT_TRUE(readBmp(entry.path(), picture)) << name << " is incomplete";
        }
        EXPECT_EQ(files, 3u + written);
    }
}
