// A progress sink for the job tests: records every report and, at chosen
// indices, raises the cancel flag, grows the job list or pauses, as the
// window's thread could between two calls.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "job/IProgressSink.h"

namespace tarvex::jobtest {

struct Progress {
    std::uint32_t total, index;
    std::string name;
    bool operator==(const Progress&) const = default;
};

// Records every report; may raise the cancel flag, grow the job list or
// pause at one index, as the window's thread could between two calls.
class RecordingSink : public s::job::IProgressSink {
public:
    void reportProgress(std::uint32_t total, std::uint32_t index,
                        const std::string& fileName) override {
        seen.push_back({total, index, fileName});
        if (index == cancelAt) cancel.store(true);
        if (index == appendAt) {
            std::lock_guard lock(*listLock);
            for (const std::string& path : toAppend) list->push_back(path);
        }
        // Gives the helper threads time to read the next inputs ahead.
        if (index == pauseAt) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::vector<Progress> seen;
    std::atomic<bool> cancel{false};
    std::uint32_t cancelAt = ~0u;
    std::uint32_t appendAt = ~0u;
    std::uint32_t pauseAt = ~0u;
    std::vector<std::string> toAppend;
    std::vector<std::string>* list = nullptr;
    std::mutex* listLock = nullptr;
};

}  // namespace tarvex::jobtest
