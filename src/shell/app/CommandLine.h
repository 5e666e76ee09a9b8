// s::process::commandline::win::CommandLine -- the program's arguments as
// the frame keeps them.
//
// Options begin with "-" or "/" and are kept with a leading "-" ("/x" and
// "-x" are the same option); every other argument is kept unchanged. On
// this system absolute paths also begin with "/", so a "/" argument counts
// as an option only when it has no further "/" and names no existing file or
// folder: "/silent" is an option, "/home/ann/a.jpg" and "/a.jpg" (when it
// exists) are paths.
//
//     CommandLine line;
//     line.parse({"/Silent", "photo.jpg"});  // arguments(): "-Silent", "photo.jpg"
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace s::process::commandline::win {

class CommandLine {
public:
    // Replaces the arguments (argv without the program name).
    void parse(const std::vector<std::string>& arguments);

    // Every argument in order, options in their "-" form.
    const std::vector<std::string>& arguments() const { return arguments_; }
    bool empty() const { return arguments_.empty(); }
    std::size_t count() const { return arguments_.size(); }

    // True when the option was given ("-name" or "/name", ignoring case);
    // name is given without its leading character.
    bool hasOption(std::string_view name) const;
    // The arguments that are not options, in order.
    std::vector<std::string> paths() const;

    static bool isOption(std::string_view stored) { return !stored.empty() && stored[0] == '-'; }

private:
    // The stored form of one argument.
    static std::string normalise(const std::string& argument);

    std::vector<std::string> arguments_;
};

}  // namespace s::process::commandline::win
