// s::job::ResizeTask -- one resize job as a task for the worker thread.
//
// run() sends "ProcessStatusStart", runs the job driver over the job list
// (when it is not empty), then always sends "ProcessStatusEnd", so whoever
// shows progress returns to idle even after a cancel. Before each sample the
// driver reports progress, which becomes a "ProcessStatusUpdate" event with
// the job's total samples, the sample's index and the input's file name.
//
// The job list, its lock and the cancel flag belong to the owner (the main
// window or the command-line program); the owner appends to the list only
// while no job runs, and sets the cancel flag from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "job/IProgressSink.h"
#include "job/ITask.h"
#include "job/JobEvent.h"
#include "job/Sizer.h"

namespace s::job {

class ResizeTask final : public s::thread::ITask, public IProgressSink {
public:
    ResizeTask(std::vector<std::string>& jobList, std::mutex& jobLock, std::atomic<bool>& cancel,
               const s::image::util::Sizer& sizer)
        : jobList_(jobList), jobLock_(jobLock), cancel_(cancel), sizer_(sizer) {}

    void setEventSink(IJobEventSink* sink) { events_ = sink; }
    void setTaskbar(ITaskbarProgress* taskbar) { taskbar_ = taskbar; }
    // Threads the job may use (1 .. ResizeJob::kMaxThreads); 0, the default,
    // is one per available core. The events and outputs do not depend on it.
    void setThreads(std::int32_t threads) { threads_ = threads; }

    void run() override;
    void reportProgress(std::uint32_t total, std::uint32_t index,
                        const std::string& fileName) override;

    // What the last run did (outputs written, inputs skipped, failed writes).
    const s::image::util::JobReport& lastReport() const { return report_; }

private:
    void send(const char* name, std::int32_t argument1, std::int32_t argument2,
              const std::string* text);

    std::vector<std::string>& jobList_;
    std::mutex& jobLock_;
    std::atomic<bool>& cancel_;
    const s::image::util::Sizer& sizer_;
    IJobEventSink* events_ = nullptr;
    ITaskbarProgress* taskbar_ = nullptr;
    std::int32_t threads_ = 0;
    s::image::util::JobReport report_;
};

}  // namespace s::job
