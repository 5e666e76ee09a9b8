#include "job/ResizeTask.h"

#include <limits>

#include "job/ResizeJob.h"

namespace s::job {

namespace {

// Event arguments are 32-bit; a job of more samples than that reports the
// largest value rather than a wrapped one.
std::int32_t clampToInt32(std::uint32_t value) {
    constexpr auto kMax = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(value > kMax ? kMax : value);
}

}  // namespace

void ResizeTask::run() {
    report_ = {};
    if (taskbar_) taskbar_->taskbarBusy();
    send(JobEvent::kStart, 0, 0, nullptr);

    bool hasWork = false;
    {
        std::lock_guard lock(jobLock_);
        hasWork = !jobList_.empty();
    }
    const std::int32_t threads = threads_ > 0 ? threads_ : ResizeJob::defaultThreadCount();
    if (hasWork) report_ = sizer_.resizeFiles(jobList_, jobLock_, cancel_, this, threads);
    report_.cancelled = report_.cancelled || cancel_.load();

    if (taskbar_) taskbar_->taskbarClear();
    send(JobEvent::kEnd, 0, 0, nullptr);
}

void ResizeTask::reportProgress(std::uint32_t total, std::uint32_t index,
                                const std::string& fileName) {
    if (taskbar_) taskbar_->taskbarProgress(index, total);
    send(JobEvent::kUpdate, clampToInt32(total), clampToInt32(index), &fileName);
}

void ResizeTask::send(const char* name, std::int32_t argument1, std::int32_t argument2,
                      const std::string* text) {
    if (events_) events_->onJobEvent(JobEvent{name, argument1, argument2, text});
}

}  // namespace s::job
