#include "shell/app/CommandLine.h"

#include <sys/stat.h>

#include "shell/text/NoCase.h"

namespace s::process::commandline::win {

namespace {

bool pathExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// "/name" with no second slash that names nothing on disk.
bool isSlashOption(const std::string& argument) {
    if (argument.size() < 2 || argument[0] != '/') return false;
    if (argument.find('/', 1) != std::string::npos) return false;
    return !pathExists(argument);
}

}  // namespace

std::string CommandLine::normalise(const std::string& argument) {
    if (isSlashOption(argument)) return "-" + argument.substr(1);
    return argument;
}

void CommandLine::parse(const std::vector<std::string>& arguments) {
    arguments_.clear();
    arguments_.reserve(arguments.size());
    for (const std::string& argument : arguments) arguments_.push_back(normalise(argument));
}

bool CommandLine::hasOption(std::string_view name) const {
    for (const std::string& argument : arguments_) {
        if (isOption(argument) &&
            s::str::NoCase::equals(std::string_view(argument).substr(1), name))
            return true;
    }
    return false;
}

std::vector<std::string> CommandLine::paths() const {
    std::vector<std::string> result;
    for (const std::string& argument : arguments_) {
        if (!isOption(argument)) result.push_back(argument);
    }
    return result;
}

}  // namespace s::process::commandline::win
