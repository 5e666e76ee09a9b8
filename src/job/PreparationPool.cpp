#include "job/PreparationPool.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace s::job {

PreparationPool::PreparationPool(std::int32_t threads, const FilePreparer& preparer)
    : preparer_(preparer) {
    threads_.reserve(static_cast<std::size_t>(std::max(threads, 0)));
    for (std::int32_t i = 0; i < threads; ++i) {
        try {
            threads_.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            break;  // the system has no more threads to give; run with those there are
        }
    }
}

PreparationPool::~PreparationPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        for (const auto& file : queue_) file->abandon();
        for (const auto& file : running_) file->abandon();
        queue_.clear();
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void PreparationPool::submit(std::shared_ptr<PreparedFile> file) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(file));
    }
    wake_.notify_one();
}

// The next queued file, now counted as running; null when the pool stops.
std::shared_ptr<PreparedFile> PreparationPool::next() {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (stopping_) return nullptr;
    std::shared_ptr<PreparedFile> file = std::move(queue_.front());
    queue_.pop_front();
    running_.push_back(file);
    return file;
}

void PreparationPool::work() {
    while (std::shared_ptr<PreparedFile> file = next()) {
        preparer_.prepare(*file);
        std::lock_guard lock(mutex_);
        running_.erase(std::find(running_.begin(), running_.end(), file));
    }
}

}  // namespace s::job
