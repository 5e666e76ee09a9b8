#include "shell/reg/StoreLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace s::reg {

namespace {

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && home[0] == '/') return home;
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? std::size_t(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/') {
        return found->pw_dir;
    }
    return {};
}

}  // namespace

std::string StoreLocation::databasePath() {
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') {
        config = xdg;
    } else if (const std::string home = homeFolder(); !home.empty()) {
        config = home + "/.config";
    } else {
        return {};
    }
    return config + "/zorq/registry.db";
}

}  // namespace s::reg
