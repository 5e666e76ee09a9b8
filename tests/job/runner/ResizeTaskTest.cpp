#include "job/ResizeTask.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "job/Thread.h"

namespace fs = std::filesystem;
using s::image::util::Sizer;
using s::job::JobEvent;
using s::job::ResizeTask;

namespace {

// A w x h 24-bit BMP of one colour.
void writeBmp(const fs::path& path, int w, int h) {
    const int stride = (w * 3 + 3) & ~3;
    const std::uint32_t size = 54 + stride * h;
    std::vector<std::uint8_t> b(size, 0);
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    b[26] = 1;
    b[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            b[54 + y * stride + x * 3 + 0] = 200;
            b[54 + y * stride + x * 3 + 1] = 100;
            b[54 + y * stride + x * 3 + 2] = 50;
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<char*>(b.data()), b.size());
}

struct Event {
    std::string name;
    std::int32_t total, index;
    std::string text;
};

// Records every event; optionally raises the cancel flag at one index.
struct Recorder : s::job::IJobEventSink {
    std::vector<Event> events;
    std::atomic<bool>* cancel = nullptr;
    std::int32_t cancelAt = -1;
    void onJobEvent(const JobEvent& e) override {
        events.push_back({e.name, e.argument1, e.argument2, e.text ? *e.text : ""});
        if (cancel && e.name == JobEvent::kUpdate && e.argument2 == cancelAt) *cancel = true;
    }
};

class ResizeTaskTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tarvex-task-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        sizer.mode = s::image::util::MultipleAtOnce;
        sizer.inMaximumRange = true;
        sizer.numOfSamples = 10;
        sizer.buildSamples();
    }
    void TearDown() override { fs::remove_all(dir); }

    void runJob(Recorder& recorder) {
        ResizeTask task(jobList, jobLock, cancel, sizer);
        task.setEventSink(&recorder);
        s::thread::win::Thread worker;
        worker.start(task);
        worker.wait();
        report = task.lastReport();
    }

    fs::path dir;
    Sizer sizer;
    std::vector<std::string> jobList;
    std::mutex jobLock;
    std::atomic<bool> cancel{false};
    s::image::util::JobReport report;
};

}  // namespace

TEST_F(ResizeTaskTest, TwoFilesOfTenSamplesReportIndicesZeroToNineteen) {
    writeBmp(dir / "a.bmp", 40, 30);
    // Recognised as BMP by its first bytes but not decodable: progress is
    // still reported for each of its samples.
    std::vector<char> broken(200, 0);
    broken[0] = 'B';
    broken[1] = 'M';
    std::ofstream(dir / "b.bmp", std::ios::binary).write(broken.data(), broken.size());
    jobList = {(dir / "a.bmp").string(), (dir / "b.bmp").string()};

    Recorder recorder;
    runJob(recorder);

    ASSERT_EQ(recorder.events.size(), 22u);
    EXPECT_EQ(recorder.events.front().name, JobEvent::kStart);
    EXPECT_EQ(recorder.events.back().name, JobEvent::kEnd);
    for (int i = 0; i < 20; ++i) {
        const Event& e = recorder.events[1 + i];
        EXPECT_EQ(e.name, JobEvent::kUpdate);
        EXPECT_EQ(e.total, 20);
        EXPECT_EQ(e.index, i);
        EXPECT_EQ(e.text, i < 10 ? "a.bmp" : "b.bmp");
    }
    EXPECT_EQ(report.written.size(), 10u);
    EXPECT_FALSE(fs::exists(dir / "b.bmp (Sizes)" / "b (32x32).bmp"));
}

TEST_F(ResizeTaskTest, CancelFinishesTheCurrentSampleAndTouchesNothingLater) {
    writeBmp(dir / "a.bmp", 40, 30);
    writeBmp(dir / "b.bmp", 40, 30);
    jobList = {(dir / "a.bmp").string(), (dir / "b.bmp").string()};

    Recorder recorder;
    recorder.cancel = &cancel;
    recorder.cancelAt = 3;
    runJob(recorder);

    ASSERT_FALSE(recorder.events.empty());
    EXPECT_EQ(recorder.events.back().name, JobEvent::kEnd);
    EXPECT_EQ(recorder.events[recorder.events.size() - 2].index, 3);
    // Samples 0..3 of a.bmp were made (32, 1200, 161, 291 px boxes); nothing of b.bmp.
    EXPECT_EQ(report.written.size(), 4u);
    EXPECT_TRUE(fs::exists(dir / "a.bmp (Sizes)" / "a (291x218).bmp"));
    EXPECT_FALSE(fs::exists(dir / "b.bmp (Sizes)"));
    EXPECT_TRUE(report.cancelled);
}

TEST_F(ResizeTaskTest, AnEmptyListStillSendsStartAndEnd) {
    Recorder recorder;
    runJob(recorder);
    ASSERT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events[0].name, JobEvent::kStart);
    EXPECT_EQ(recorder.events[1].name, JobEvent::kEnd);
}
