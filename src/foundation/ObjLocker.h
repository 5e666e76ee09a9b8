// A lock that protects one object or one process-wide buffer, held for the
// duration of one operation.
#pragma once

#include <mutex>

namespace s::thread {

class ObjLocker {
public:
    void lock() { mutex_.lock(); }
    void unlock() { mutex_.unlock(); }
    bool try_lock() { return mutex_.try_lock(); }

private:
    std::mutex mutex_;
};

}  // namespace s::thread
