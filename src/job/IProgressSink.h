// Where a running job's progress goes: the main window, the terminal, or a
// test. Calls arrive on the worker thread, one at a time, and the worker
// waits until each call returns.
#pragma once

#include <cstdint>
#include <string>

namespace s::job {

class IProgressSink {
public:
    virtual ~IProgressSink() = default;
    // Before sample `index` of `total` (all samples of all files) is made,
    // for the input file `fileName` (name with extension).
    virtual void reportProgress(std::uint32_t total, std::uint32_t index,
                                const std::string& fileName) = 0;
};

}  // namespace s::job
