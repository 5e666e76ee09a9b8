#include "ui/dialogs/JobBook.h"

namespace s::gui::dialogs::dragndrop {

JobBook::Result JobBook::acceptDrop(const std::vector<std::string>& paths, IHooks& hooks) {
    if (paths.empty()) return {Outcome::Empty, {}};
    std::lock_guard lock(jobLock_);
    if (busy_.load()) return {Outcome::IgnoredWhileBusy, {}};
    if (!hooks.applySettings()) return {Outcome::NotApplied, {}};

    const std::size_t firstAdded = jobList_.size();
    jobList_.insert(jobList_.end(), paths.begin(), paths.end());
    std::string message = hooks.checkOutputFolder(paths.front());
    if (!message.empty()) {
        jobList_.erase(jobList_.begin() + static_cast<std::ptrdiff_t>(firstAdded), jobList_.end());
        return {Outcome::FolderRefused, std::move(message)};
    }
    busy_.store(true);
    hooks.startJob();
    return {Outcome::Started, {}};
}

bool JobBook::requestCancel() {
    cancel_.store(true);
    return busy_.load();
}

void JobBook::finish() {
    {
        std::lock_guard lock(jobLock_);
        jobList_.clear();
    }
    busy_.store(false);
    cancel_.store(false);
}

std::vector<std::string> JobBook::snapshot() const {
    std::lock_guard lock(jobLock_);
    return jobList_;
}

}  // namespace s::gui::dialogs::dragndrop
