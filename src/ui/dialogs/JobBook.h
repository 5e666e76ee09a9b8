// s::gui::dialogs::dragndrop::JobBook -- the drop-box window's job
// bookkeeping: the job list and its lock, the busy and cancel flags, and the
// steps that turn a drop into a running job.
//
// The user-interface thread appends to the list only while no job runs; the
// worker reads it under the same lock. The flags are written by the
// user-interface thread and polled by the worker without a lock.
//
// acceptDrop() ignores an empty drop and any drop while busy. Otherwise it
// lets the window apply its options, appends the paths and checks the first
// one's output folder. When the check fails the paths are taken off the list
// again, so a later job never processes files the user was told could not
// be written; the message is handed back for the window to show once the
// lock is released (a message box runs its own event loop).
//
//     JobBook::Result result = book.acceptDrop(paths, hooks);
//     if (result.outcome == JobBook::Outcome::FolderRefused) showMessage(result.message);
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace s::gui::dialogs::dragndrop {

class JobBook {
public:
    // What the window supplies to acceptDrop(), called under the job lock.
    class IHooks {
    public:
        virtual ~IHooks() = default;
        // Copies the options into the job's settings; false stops the drop.
        virtual bool applySettings() = 0;
        // The message to show when the output folder of firstPath cannot be
        // written, or "" when it can.
        virtual std::string checkOutputFolder(const std::string& firstPath) = 0;
        // Starts the worker on the job list (the book is already busy).
        virtual void startJob() = 0;
    };

    enum class Outcome { Empty, IgnoredWhileBusy, NotApplied, FolderRefused, Started };
    struct Result {
        Outcome outcome;
        std::string message;  // FolderRefused: what to tell the user
    };

    Result acceptDrop(const std::vector<std::string>& paths, IHooks& hooks);

    // Sets the cancel flag; true when a job was running to be cancelled.
    bool requestCancel();
    // The job has ended: list emptied, both flags cleared.
    void finish();

    bool isBusy() const { return busy_.load(); }
    bool isCancelling() const { return cancel_.load(); }

    // What the job task runs over.
    std::vector<std::string>& jobList() { return jobList_; }
    std::mutex& jobLock() { return jobLock_; }
    std::atomic<bool>& cancelFlag() { return cancel_; }
    // A copy of the list, taken under the lock.
    std::vector<std::string> snapshot() const;

private:
    std::vector<std::string> jobList_;
    mutable std::mutex jobLock_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> busy_{false};
};

}  // namespace s::gui::dialogs::dragndrop
