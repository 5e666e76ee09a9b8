// The three events a running job sends to whoever shows its progress: the
// main window, the terminal, or a test. Delivery is synchronous: the worker
// waits until the sink has handled each event, so `text` needs no copy.
#pragma once

#include <cstdint>
#include <string>

namespace s::job {

struct JobEvent {
    static constexpr char kStart[] = "ProcessStatusStart";
    static constexpr char kUpdate[] = "ProcessStatusUpdate";
    static constexpr char kEnd[] = "ProcessStatusEnd";

    const char* name;         // one of the three names above; arrays, so one address each
    std::int32_t argument1;   // update: total samples of the job; else 0
    std::int32_t argument2;   // update: index of the sample about to be made; else 0
    const std::string* text;  // update: the current input's file name; else null
};

class IJobEventSink {
public:
    virtual ~IJobEventSink() = default;
    virtual void onJobEvent(const JobEvent& event) = 0;
};

// The desktop's taskbar progress; every operation does nothing where the
// desktop offers no such service.
class ITaskbarProgress {
public:
    virtual ~ITaskbarProgress() = default;
    virtual void taskbarBusy() = 0;
    virtual void taskbarProgress(std::uint32_t done, std::uint32_t total) = 0;
    virtual void taskbarClear() = 0;
};

}  // namespace s::job
