// s::job::PreparationPool -- the helper threads of one job run: each takes
// the next input handed in (in the order given) and prepares it with the
// FilePreparer, then takes the next.
//
// The threads live as long as the pool. The destructor abandons whatever is
// still queued or being prepared, and returns once every thread has ended,
// so nothing outlives the job that started it. A thread that cannot be
// started is done without; size() says how many run.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "job/FilePreparer.h"
#include "job/PreparedFile.h"

namespace s::job {

class PreparationPool {
public:
    PreparationPool(std::int32_t threads, const FilePreparer& preparer);
    ~PreparationPool();
    PreparationPool(const PreparationPool&) = delete;
    PreparationPool& operator=(const PreparationPool&) = delete;

    std::int32_t size() const { return static_cast<std::int32_t>(threads_.size()); }
    void submit(std::shared_ptr<PreparedFile> file);

private:
    void work();
    std::shared_ptr<PreparedFile> next();

    const FilePreparer& preparer_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<PreparedFile>> queue_;
    std::vector<std::shared_ptr<PreparedFile>> running_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace s::job
