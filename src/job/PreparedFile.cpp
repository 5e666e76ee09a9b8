#include "job/PreparedFile.h"

#include <utility>

namespace s::job {

PreparedFile::PreparedFile(std::string path, std::int32_t samples)
    : path_(std::move(path)), sampleCount_(samples) {}

bool PreparedFile::mayBegin(const std::atomic<bool>& cancel) {
    std::lock_guard lock(mutex_);
    return !abandoned_ && !cancel.load();
}

void PreparedFile::publishHeader(Header header, std::string reason, const FileIdentity& identity) {
    {
        std::lock_guard lock(mutex_);
        header_ = header;
        reason_ = std::move(reason);
        identity_ = identity;
    }
    changed_.notify_all();
}

bool PreparedFile::mayMake(std::int32_t j, const std::atomic<bool>& cancel) {
    std::lock_guard lock(mutex_);
    if (abandoned_) return false;
    return j < announced_ || !cancel.load();
}

void PreparedFile::publishSample(Sample sample) {
    {
        std::lock_guard lock(mutex_);
        // Nobody takes it after abandon(); dropping it frees the memory now.
        if (abandoned_) return;
        samples_.push_back(std::move(sample));
    }
    changed_.notify_all();
}

void PreparedFile::finish() {
    {
        std::lock_guard lock(mutex_);
        if (header_ == Header::Pending) header_ = Header::Stopped;
        finished_ = true;
    }
    changed_.notify_all();
}

PreparedFile::Header PreparedFile::waitHeader() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return header_ != Header::Pending; });
    return header_;
}

bool PreparedFile::announce(std::int32_t j, const std::atomic<bool>& cancel) {
    std::lock_guard lock(mutex_);
    if (cancel.load()) return false;
    if (j + 1 > announced_) announced_ = j + 1;
    return true;
}

PreparedFile::Sample PreparedFile::takeSample(std::int32_t j) {
    std::unique_lock lock(mutex_);
    const auto index = static_cast<std::size_t>(j);
    changed_.wait(lock, [&] { return samples_.size() > index || finished_ || abandoned_; });
    if (j < 0 || samples_.size() <= index) return {};
    return std::move(samples_[index]);
}

void PreparedFile::abandon() {
    {
        std::lock_guard lock(mutex_);
        abandoned_ = true;
        samples_.clear();
    }
    changed_.notify_all();
}

}  // namespace s::job
