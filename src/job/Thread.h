// s::thread::win::Thread -- a reusable worker thread that runs ITask objects.
//
// The worker is created once and sleeps until a start call gives it a task;
// it runs the task the asked number of times (back to back, with a pause
// after each run, or at a fixed rate), then goes idle again. Every start
// wakes it: a start that races with the worker going idle is never lost,
// because the idle flag and the run count change together under one lock.
//
// wait() returns once the worker is idle. waitOrKill() gives up on a task
// that does not finish in time: a thread cannot be killed safely, so the
// stuck worker is told to quit after its current run and left to finish on
// its own, and a fresh worker takes its place.
//
// Priorities are the desktop scale (-2 lowest … 2 highest, -15 idle, 15 time
// critical); the value is remembered and applied to the worker as a nice
// value where the system allows it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "job/ITask.h"

namespace s::thread::win {

class Thread : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(Thread, "s_thread_win_Thread")
public:
    enum IntervalMode : std::int32_t { BackToBack = 0, PauseAfter = 1, FixedRate = 2 };

    Thread();
    ~Thread() override;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Waits for the current run, then forgets the task, delay and priority.
    void reset() override;

    void start(ITask& task) { startWith(task, 1, BackToBack, 0); }
    void startTimes(ITask& task, std::int32_t n) { startWith(task, n, BackToBack, 0); }
    void startEvery(ITask& task, std::int32_t n, std::int32_t ms) {
        startWith(task, n, PauseAfter, ms);
    }
    void startAtRate(ITask& task, std::int32_t n, std::int32_t ms) {
        startWith(task, n, FixedRate, ms);
    }
    void startForever(ITask& task) { startWith(task, -1, BackToBack, 0); }
    void startForeverEvery(ITask& task, std::int32_t ms) { startWith(task, -1, PauseAfter, ms); }
    void startForeverAtRate(ITask& task, std::int32_t ms) { startWith(task, -1, FixedRate, ms); }

    // No further runs after the current one.
    void stopRepeating();
    void stopRepeatingAndWait();
    // Ends the worker after its current pass; stopAndWait waits until it has exited.
    void stop();
    void stopAndWait();
    // A one-shot pause before the worker's next pass.
    void setDelay(std::int32_t ms);

    // Returns when the worker is idle.
    void wait();
    // Waits at most ms; true when the worker went idle in time. Otherwise the
    // worker is abandoned (it quits after its current run) and replaced by a
    // fresh one with the same priority, and the result is false.
    bool waitOrKill(std::int32_t ms);
    bool isIdle() const;

    void setPriority(std::int32_t priority);
    std::int32_t getPriority() const;

private:
    struct Control;

    void startWith(ITask& task, std::int32_t times, IntervalMode mode, std::int32_t ms);
    void launchWorker();
    static void workerLoop(std::shared_ptr<Control> control);
    static void applyPriority(Control& control);

    std::shared_ptr<Control> control_;
    std::thread worker_;
};

}  // namespace s::thread::win
