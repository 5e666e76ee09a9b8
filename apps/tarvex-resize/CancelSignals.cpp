#include "CancelSignals.h"

#include <signal.h>
#include <unistd.h>

namespace s::cli {

namespace {

// A lock-free atomic is safe to store from a signal handler.
std::atomic<std::atomic<bool>*> gFlag{nullptr};
static_assert(std::atomic<std::atomic<bool>*>::is_always_lock_free);
static_assert(std::atomic<bool>::is_always_lock_free);

void raiseCancel(int) {
    if (std::atomic<bool>* flag = gFlag.load()) {
        if (!flag->exchange(true)) {
            static const char kNote[] = "\ntarvex-resize: cancelling after the current image\n";
            [[maybe_unused]] ssize_t ignored = write(STDERR_FILENO, kNote, sizeof kNote - 1);
        }
    }
}

void route(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

}  // namespace

CancelSignals::CancelSignals(std::atomic<bool>& flag) {
    gFlag = &flag;
    route(SIGINT, raiseCancel);
    route(SIGTERM, raiseCancel);
}

CancelSignals::~CancelSignals() {
    route(SIGINT, SIG_DFL);
    route(SIGTERM, SIG_DFL);
    gFlag = nullptr;
}

}  // namespace s::cli
