// s::platform::qt::DesktopOpener -- opens a web page (or any URL) with the
// desktop's default handler. Returns false when no handler took it.
//
//     DesktopOpener::openUrl("https://zorq.org/tarvex/");
#pragma once

#include <string>

namespace s::platform::qt {

class DesktopOpener {
public:
    static bool openUrl(const std::string& url);
};

}  // namespace s::platform::qt
