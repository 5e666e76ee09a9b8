// Writes one line per job event, for scripts that follow a job:
//   ProcessStatusStart
//   ProcessStatusUpdate <total> <index> <file name>
//   ProcessStatusEnd
// Each line is flushed at once, so a reader sees it while the job runs.
#pragma once

#include <cstdio>

#include "job/JobEvent.h"

namespace s::cli {

class EventPrinter final : public s::job::IJobEventSink {
public:
    explicit EventPrinter(std::FILE* out) : out_(out) {}
    void onJobEvent(const s::job::JobEvent& event) override;

private:
    std::FILE* out_;
};

// Hands every event to two sinks in turn (either may be null).
class EventFanOut final : public s::job::IJobEventSink {
public:
    EventFanOut(s::job::IJobEventSink* first, s::job::IJobEventSink* second)
        : first_(first), second_(second) {}
    void onJobEvent(const s::job::JobEvent& event) override {
        if (first_) first_->onJobEvent(event);
        if (second_) second_->onJobEvent(event);
    }

private:
    s::job::IJobEventSink* first_;
    s::job::IJobEventSink* second_;
};

}  // namespace s::cli
