// Ctrl-C (SIGINT) and SIGTERM raise the job's cancel flag instead of ending
// the program: the sample being written is finished and published whole,
// nothing later is touched, and the job ends normally. Further signals only
// raise the flag again, so a second Ctrl-C cannot leave a partial or
// temporary file behind either.
#pragma once

#include <atomic>

namespace s::cli {

class CancelSignals {
public:
    // Routes both signals to `flag` until the object is destroyed.
    explicit CancelSignals(std::atomic<bool>& flag);
    ~CancelSignals();
    CancelSignals(const CancelSignals&) = delete;
    CancelSignals& operator=(const CancelSignals&) = delete;
};

}  // namespace s::cli
