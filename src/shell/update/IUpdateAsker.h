// s::app::update::IUpdateAsker -- asks the user whether to look at a newer
// version. The window that runs the update check implements it (a modal
// yes/no question); tests answer with a scripted reply.
#pragma once

#include <string>

namespace s::app::update {

class IUpdateAsker {
public:
    virtual ~IUpdateAsker() = default;
    // Shows the question and returns once the user has answered; true for
    // yes. Called on the user-interface thread.
    virtual bool askToVisit(const std::string& title, const std::string& message,
                            const std::string& yesLabel, const std::string& noLabel) = 0;
};

}  // namespace s::app::update
