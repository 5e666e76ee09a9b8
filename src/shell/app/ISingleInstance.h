// s::app::ISingleInstance -- how a starting copy of the program finds the
// copy already running from the same executable and hands its work over.
//
// The frame logic only asks the question; the platform layer answers it
// (a local socket named after the executable's path and the user).
#pragma once

#include <string>
#include <vector>

namespace s::app {

class ISingleInstance {
public:
    virtual ~ISingleInstance() = default;
    // True when another instance of this executable runs for this user. With
    // wake, it is brought to the front and given paths (images to open, in
    // order); without, it is only detected.
    virtual bool notifyOther(bool wake, const std::vector<std::string>& paths) = 0;
};

}  // namespace s::app
