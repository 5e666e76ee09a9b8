#include "job/Thread.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace s::thread::win {

using Clock = std::chrono::steady_clock;

// Everything the worker shares with its owner. A worker holds its own
// reference, so an abandoned worker (waitOrKill) keeps a valid block until it
// has finished.
struct Thread::Control {
    std::mutex mutex;
    std::condition_variable wake;     // worker waits here for work
    std::condition_variable changed;  // owners wait here for idle / exited
    std::int32_t delayMs = 0;
    ITask* task = nullptr;
    std::int32_t remaining = 0;
    std::int32_t intervalMode = BackToBack;
    std::int32_t intervalMs = 0;
    bool idle = true;
    bool quit = false;
    bool exited = false;
    std::int32_t priority = 0;
    pid_t tid = 0;
};

Thread::Thread() { launchWorker(); }

Thread::~Thread() { stopAndWait(); }

void Thread::launchWorker() {
    control_ = std::make_shared<Control>();
    worker_ = std::thread(&Thread::workerLoop, control_);
}

void Thread::reset() {
    wait();
    std::lock_guard lock(control_->mutex);
    control_->task = nullptr;
    control_->delayMs = 0;
    control_->priority = 0;
    applyPriority(*control_);
}

void Thread::startWith(ITask& task, std::int32_t times, IntervalMode mode, std::int32_t ms) {
    {
        std::lock_guard lock(control_->mutex);
        control_->task = &task;
        control_->remaining = times;
        control_->intervalMode = mode;
        control_->intervalMs = std::max(ms, 0);
        control_->idle = false;
        control_->exited = false;
    }
    control_->wake.notify_all();
}

void Thread::stopRepeating() {
    {
        std::lock_guard lock(control_->mutex);
        control_->remaining = 0;
    }
    control_->wake.notify_all();
}

void Thread::stopRepeatingAndWait() {
    stopRepeating();
    wait();
}

void Thread::stop() {
    {
        std::lock_guard lock(control_->mutex);
        control_->quit = true;
    }
    control_->wake.notify_all();
}

void Thread::stopAndWait() {
    stop();
    if (worker_.joinable()) worker_.join();
}

void Thread::setDelay(std::int32_t ms) {
    {
        std::lock_guard lock(control_->mutex);
        control_->delayMs = std::max(ms, 0);
    }
    control_->wake.notify_all();
}

void Thread::wait() {
    std::unique_lock lock(control_->mutex);
    control_->changed.wait(lock, [&] { return control_->idle || control_->exited; });
}

bool Thread::waitOrKill(std::int32_t ms) {
    {
        std::unique_lock lock(control_->mutex);
        if (control_->changed.wait_for(lock, std::chrono::milliseconds(std::max(ms, 0)),
                                       [&] { return control_->idle || control_->exited; }))
            return true;
        control_->quit = true;
        control_->remaining = 0;
    }
    control_->wake.notify_all();
    const std::int32_t priority = getPriority();
    worker_.detach();
    launchWorker();
    setPriority(priority);
    return false;
}

bool Thread::isIdle() const {
    std::lock_guard lock(control_->mutex);
    return control_->idle;
}

void Thread::setPriority(std::int32_t priority) {
    std::lock_guard lock(control_->mutex);
    control_->priority = priority;
    applyPriority(*control_);
}

std::int32_t Thread::getPriority() const {
    std::lock_guard lock(control_->mutex);
    return control_->priority;
}

// Maps the desktop priority scale onto nice values: each step below normal
// is 5 nice levels, the idle priority is the nicest. Raising a priority needs
// privileges; where it is refused the thread keeps running as it was.
void Thread::applyPriority(Control& control) {
    if (control.tid == 0) return;
    const int nice = std::clamp(-control.priority * 5, -20, 19);
    setpriority(PRIO_PROCESS, static_cast<id_t>(control.tid), nice);
}

void Thread::workerLoop(std::shared_ptr<Control> control) {
    std::unique_lock lock(control->mutex);
    control->tid = static_cast<pid_t>(syscall(SYS_gettid));
    applyPriority(*control);
    while (!control->quit) {
        if (control->delayMs > 0) {
            const auto delay = std::chrono::milliseconds(control->delayMs);
            control->delayMs = 0;
            control->wake.wait_for(lock, delay, [&] { return control->quit; });
            continue;
        }
        if (control->remaining != 0) {
            if (control->remaining > 0) --control->remaining;
            ITask* task = control->task;
            const auto started = Clock::now();
            lock.unlock();
            if (task) task->run();
            lock.lock();
            if (control->remaining == 0 || control->quit) continue;
            auto pause = std::chrono::milliseconds(control->intervalMs);
            if (control->intervalMode == FixedRate)
                pause -= std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() -
                                                                               started);
            if (control->intervalMode != BackToBack && pause.count() > 0)
                control->wake.wait_for(lock, pause, [&] { return control->quit; });
            continue;
        }
        control->idle = true;
        control->changed.notify_all();
        control->wake.wait(lock, [&] {
            return control->quit || control->remaining != 0 || control->delayMs > 0;
        });
    }
    control->exited = true;
    control->idle = true;
    control->changed.notify_all();
}

}  // namespace s::thread::win
