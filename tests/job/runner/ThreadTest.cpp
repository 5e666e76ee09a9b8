#include "job/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

using s::thread::ITask;
using s::thread::win::Thread;
using namespace std::chrono_literals;

namespace {

struct CountingTask : ITask {
    std::atomic<int> runs{0};
    void run() override { ++runs; }
};

// Blocks inside run() until released, to hold the worker busy.
struct BlockingTask : ITask {
    std::mutex mutex;
    std::condition_variable cv;
    bool released = false;
    std::atomic<bool> entered{false};
    void run() override {
        entered = true;
        std::unique_lock lock(mutex);
        cv.wait(lock, [&] { return released; });
    }
    void release() {
        {
            std::lock_guard lock(mutex);
            released = true;
        }
        cv.notify_all();
    }
};

}  // namespace

TEST(ThreadTest, EveryStartRunsExactlyOnceAcrossRapidCycles) {
    Thread thread;
    CountingTask task;
    for (int i = 1; i <= 3000; ++i) {
        thread.start(task);
        thread.wait();
        ASSERT_EQ(task.runs.load(), i) << "cycle " << i;
    }
}

TEST(ThreadTest, StartsFromAnotherThreadWhileTheWorkerGoesIdleAreNotLost) {
    Thread thread;
    CountingTask task;
    for (int i = 1; i <= 500; ++i) {
        std::thread starter([&] { thread.start(task); });
        starter.join();
        thread.wait();
        ASSERT_EQ(task.runs.load(), i);
    }
}

TEST(ThreadTest, RepeatModesRunTheAskedNumberOfTimes) {
    struct Case {
        const char* name;
        void (*start)(Thread&, ITask&);
        int expectedRuns;
        std::chrono::milliseconds atLeast;
    };
    const Case cases[] = {
        {"times", [](Thread& t, ITask& k) { t.startTimes(k, 7); }, 7, 0ms},
        {"every", [](Thread& t, ITask& k) { t.startEvery(k, 4, 10); }, 4, 30ms},
        {"at rate", [](Thread& t, ITask& k) { t.startAtRate(k, 3, 15); }, 3, 30ms},
    };
    for (const Case& c : cases) {
        Thread thread;
        CountingTask task;
        const auto started = std::chrono::steady_clock::now();
        c.start(thread, task);
        thread.wait();
        EXPECT_EQ(task.runs.load(), c.expectedRuns) << c.name;
        EXPECT_GE(std::chrono::steady_clock::now() - started, c.atLeast) << c.name;
    }
}

TEST(ThreadTest, ForeverRunsUntilStopRepeating) {
    Thread thread;
    CountingTask task;
    thread.startForeverEvery(task, 1);
    while (task.runs.load() < 5) std::this_thread::sleep_for(1ms);
    thread.stopRepeatingAndWait();
    const int runs = task.runs.load();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(task.runs.load(), runs);
    EXPECT_TRUE(thread.isIdle());
}

TEST(ThreadTest, DelayPostponesTheNextRun) {
    Thread thread;
    CountingTask task;
    thread.setDelay(40);
    const auto started = std::chrono::steady_clock::now();
    thread.start(task);
    thread.wait();
    EXPECT_EQ(task.runs.load(), 1);
    EXPECT_GE(std::chrono::steady_clock::now() - started, 35ms);
}

TEST(ThreadTest, StopAndWaitEndsTheWorkerAfterItsCurrentRun) {
    BlockingTask task;
    Thread thread;
    thread.start(task);
    while (!task.entered) std::this_thread::sleep_for(1ms);
    std::thread releaser([&] {
        std::this_thread::sleep_for(20ms);
        task.release();
    });
    thread.stopAndWait();  // returns only once the run has finished
    EXPECT_TRUE(task.released);
    releaser.join();
    thread.wait();  // an exited worker counts as idle: no hang
}

TEST(ThreadTest, WaitOrKillReplacesAStuckWorkerWithAWorkingOne) {
    BlockingTask stuck;
    CountingTask next;
    Thread thread;
    thread.setPriority(-1);
    thread.start(stuck);
    while (!stuck.entered) std::this_thread::sleep_for(1ms);

    EXPECT_FALSE(thread.waitOrKill(30));
    EXPECT_EQ(thread.getPriority(), -1);
    thread.start(next);
    thread.wait();
    EXPECT_EQ(next.runs.load(), 1);

    stuck.release();  // the abandoned worker finishes and exits on its own
    CountingTask quick;
    thread.start(quick);
    EXPECT_TRUE(thread.waitOrKill(5000));
    EXPECT_EQ(quick.runs.load(), 1);
}
