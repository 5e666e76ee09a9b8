// s::thread::ITask -- work that a worker thread runs.
#pragma once

namespace s::thread {

class ITask {
public:
    virtual ~ITask() = default;
    virtual void run() = 0;
};

}  // namespace s::thread
