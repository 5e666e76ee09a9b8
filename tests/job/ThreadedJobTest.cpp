// The job run with several threads against the same job run with one: the
// progress reports, the report, the names and the bytes on disk must be the
// same, also when the run is cancelled, when the list grows during the run
// and when an input is an output of an earlier file of the same run.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "job/JobFixtures.h"
#include "job/RecordingSink.h"
#include "job/Sizer.h"

namespace {

namespace fs = std::filesystem;
using s::image::util::JobReport;
using s::image::util::Sizer;
using namespace tarvex::jobtest;

// Everything under the folder: relative path -> bytes ("<dir>" for folders).
using Tree = std::map<std::string, std::string>;

Tree treeOf(const std::string& root) {
    Tree tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).string();
        if (entry.is_directory()) {
            tree[name] = "<dir>";
        } else {
            const std::vector<std::uint8_t> bytes = readBytes(entry.path().string());
            tree[name] = std::string(bytes.begin(), bytes.end());
        }
    }
    return tree;
}

// What one run shows, with the scratch folder's path taken out of the names.
struct Outcome {
    std::vector<Progress> seen;
    std::vector<std::string> written;
    std::vector<std::string> skipped;  // "path: reason"
    std::vector<std::string> failed;   // "path: reason"
    std::int32_t failedWrites = 0;
    bool cancelled = false;
    Tree tree;
};

std::string relative(const std::string& text, const std::string& root) {
    std::string out = text;
    for (std::size_t at; (at = out.find(root)) != std::string::npos;)
        out.replace(at, root.size(), "<root>");
    return out;
}

void expectSame(const Outcome& actual, const Outcome& expected) {
    EXPECT_EQ(actual.seen, expected.seen);
    EXPECT_EQ(actual.written, expected.written);
    EXPECT_EQ(actual.skipped, expected.skipped);
    EXPECT_EQ(actual.failed, expected.failed);
    EXPECT_EQ(actual.failedWrites, expected.failedWrites);
    EXPECT_EQ(actual.cancelled, expected.cancelled);
    EXPECT_EQ(actual.tree.size(), expected.tree.size());
    for (const auto& [name, bytes] : expected.tree) {
        const auto found = actual.tree.find(name);
        if (found == actual.tree.end()) {
            ADD_FAILURE() << name << " is missing";
        } else {
            EXPECT_TRUE(found->second == bytes) << name << " differs";
        }
    }
}

// The inputs of every run, written afresh into each run's own folder: two
// pictures, one recognised but not decodable, one not recognised, one too
// wide to be enlarged 100 times.
void writeInputs(const ScratchFolder& folder) {
    BmpPicture a = solidPicture(16, 12);
    for (std::int32_t x = 0; x < 16; ++x) a.values[x] = 0xFF0000;  // a red top row
    writeBmp(folder / "a.bmp", a);
    writeBmp(folder / "b.bmp", solidPicture(12, 16, 0x00FF00));
    std::vector<std::uint8_t> corrupt = encodeBmp(solidPicture(16, 12));
    corrupt[14] = 0x7F;  // no such info header size
    writeBytes(folder / "corrupt.bmp", corrupt);
    writeBytes(folder / "text.bmp", std::vector<std::uint8_t>(200, 'x'));
    writeBmp(folder / "wide.bmp", solidPicture(700, 1));
}

struct Batch {
    const char* name;
    void (*configure)(Sizer& sizer);
    // Inputs, relative to the run's folder. Some are outputs of earlier files.
    std::vector<std::string> inputs;
    std::size_t skipped;        // in the one-thread run
    std::int32_t failedWrites;  // in the one-thread run
};

// Each run gets the same list in a fresh folder; `tweak` arms the sink.
class ThreadedJobTest : public ::testing::Test {
protected:
    template <class Tweak>
    Outcome run(const Batch& batch, std::int32_t threads, Tweak tweak) {
        const ScratchFolder folder;
        writeInputs(folder);
        Sizer sizer;
        batch.configure(sizer);
        sizer.buildSamples();
        std::vector<std::string> jobList;
        for (const std::string& input : batch.inputs) jobList.push_back(folder / input);
        std::mutex lock;
        RecordingSink sink;
        sink.list = &jobList;
        sink.listLock = &lock;
        tweak(sink, folder);
        const JobReport report = sizer.resizeFiles(jobList, lock, sink.cancel, &sink, threads);

        Outcome outcome;
        outcome.seen = sink.seen;
        for (const std::string& path : report.written)
            outcome.written.push_back(relative(path, folder.path()));
        for (const auto& entry : report.skipped)
            outcome.skipped.push_back(relative(entry.path + ": " + entry.reason, folder.path()));
        for (const auto& entry : report.failed)
            outcome.failed.push_back(relative(entry.path + ": " + entry.reason, folder.path()));
        outcome.failedWrites = report.failedWrites;
        outcome.cancelled = report.cancelled;
        outcome.tree = treeOf(folder.path());
        return outcome;
    }
    Outcome run(const Batch& batch, std::int32_t threads) {
        return run(batch, threads, [](RecordingSink&, const ScratchFolder&) {});
    }
};

void oneSize(Sizer& sizer) {
    sizer.mode = s::image::util::OneSpecific;
    sizer.pixelWidth = 8;
    sizer.pixelHeight = 8;
}

// 0 % (no output), 10000 % (too large for wide.bmp: a failed output), 100 %.
void severalSizes(Sizer& sizer) {
    sizer.mode = s::image::util::MultipleAtOnce;
    sizer.inMaximumRange = false;
    sizer.limitedPercent = 9900;
    sizer.numOfSamples = 3;
}

const Batch kBatches[] = {
    // "a (8x6).bmp" does not exist when the run starts: the first file writes it.
    {"one size",
     oneSize,
     {"a.bmp", "a (8x6).bmp", "corrupt.bmp", "missing.bmp", "text.bmp", "b.bmp", "a.bmp",
      "notes.txt", "wide.bmp", "b.bmp"},
     4,
     0},
    {"several sizes",
     severalSizes,
     {"a.bmp", "a.bmp (Sizes)/a (16x12).bmp", "corrupt.bmp", "wide.bmp", "a.bmp", "b.bmp",
      "text.bmp", "b.bmp"},
     2,
     1},
};

TEST_F(ThreadedJobTest, AnyThreadCountGivesTheOneThreadRun) {
    for (const Batch& batch : kBatches) {
        SCOPED_TRACE(batch.name);
        const auto pauseAtFirst = [](RecordingSink& sink, const ScratchFolder&) {
            sink.pauseAt = 0;
        };
        const Outcome expected = run(batch, 1, pauseAtFirst);
        // The runs do something worth comparing: outputs under counters, an
        // input made by the run itself, skipped inputs, failed outputs.
        EXPECT_GE(expected.written.size(), 6u);
        EXPECT_EQ(expected.skipped.size(), batch.skipped);
        EXPECT_EQ(expected.failedWrites, batch.failedWrites);
        for (std::int32_t threads : {2, 3, 8}) {
            SCOPED_TRACE("threads " + std::to_string(threads));
            expectSame(run(batch, threads, pauseAtFirst), expected);
        }
    }
}

// Whenever the cancel comes, the run ends as the one-thread run does: the
// announced sample is finished and nothing read ahead is written.
TEST_F(ThreadedJobTest, CancelWritesOnlyWhatTheOneThreadRunWrites) {
    const Batch& batch = kBatches[1];
    const std::uint32_t samples = 3 * static_cast<std::uint32_t>(batch.inputs.size());
    for (std::uint32_t at : {0u, 1u, 2u, 3u, 7u, 12u, samples - 1}) {
        SCOPED_TRACE("cancel at " + std::to_string(at));
        const auto cancelAt = [at](RecordingSink& sink, const ScratchFolder&) {
            sink.cancelAt = at;
        };
        const Outcome expected = run(batch, 1, cancelAt);
        EXPECT_EQ(expected.cancelled, at + 1 < samples);
        for (std::int32_t threads : {2, 4}) {
            SCOPED_TRACE("threads " + std::to_string(threads));
            expectSame(run(batch, threads, cancelAt), expected);
        }
    }
}

TEST_F(ThreadedJobTest, InputsAppendedDuringTheRunAreDone) {
    struct Case {
        const char* name;
        std::uint32_t appendAt;
        std::vector<std::string> toAppend;
    };
    const Case cases[] = {
        {"during the first file", 1, {"b.bmp", "corrupt.bmp"}},
        {"during the last sample", 3 * 8 - 1, {"a.bmp", "a.bmp (Sizes)/a (16x12).bmp"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto append = [&c](RecordingSink& sink, const ScratchFolder& folder) {
            sink.appendAt = c.appendAt;
            for (const std::string& input : c.toAppend) sink.toAppend.push_back(folder / input);
        };
        const Outcome expected = run(kBatches[1], 1, append);
        ASSERT_FALSE(expected.seen.empty());
        EXPECT_EQ(expected.seen.back().total, 3u * (8 + 2));
        expectSame(run(kBatches[1], 2, append), expected);
    }
}

}  // namespace
