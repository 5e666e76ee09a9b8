// Shows a running job's progress on a terminal: one line, redrawn in place,
// with the current file, the sample's number of the job's total, the
// percentage done and the elapsed and remaining time. The line is cleared
// when the job ends, so the list of written files follows on a clean screen.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "job/JobEvent.h"

namespace s::cli {

class TerminalProgress final : public s::job::IJobEventSink {
public:
    explicit TerminalProgress(std::FILE* out) : out_(out) {}

    void onJobEvent(const s::job::JobEvent& event) override;

    // "1:05" for 65 seconds, "1:01:05" from an hour on.
    static std::string formatDuration(std::chrono::seconds seconds);

private:
    using Clock = std::chrono::steady_clock;

    std::FILE* out_;
    Clock::time_point started_;
};

}  // namespace s::cli
