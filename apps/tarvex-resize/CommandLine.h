// s::cli::CommandLine -- the options of tarvex-resize, parsed strictly into a
// Sizer and a list of input paths.
//
// Options may be given as "--name value" or "--name=value"; "--" ends the
// options. Values are plain decimal numbers within documented bounds; a
// malformed or out-of-range value, an unknown option or a missing path is a
// usage error with a one-line message. Options override whatever the Sizer
// held before, in the order given (the last of two conflicting ones wins),
// so stored preferences can be filled in first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "job/ResizeJob.h"
#include "job/Sizer.h"

namespace s::cli {

class CommandLine {
public:
    enum class Action { Run, Help, Version, UsageError };

    // Bounds of the option values.
    static constexpr std::int32_t kMaxPixels = 65535;
    static constexpr std::int32_t kMaxPercent = 10000;
    static constexpr std::int32_t kMaxLimitedPercent = 1000;

    // Reads the arguments that follow the program name. On UsageError,
    // error() says why; the Sizer may then be partly filled.
    Action parse(const std::vector<std::string>& arguments, s::image::util::Sizer& sizer);

    // Switches of the program itself, as opposed to the resize settings.
    struct Switches {
        bool events = false;       // --events: one line per job event on stdout
        bool noStore = false;      // --no-store: ignore the stored preferences
        bool save = false;         // --save: store the options used, as a drop does
        std::int32_t threads = 0;  // --threads N, 1 .. kMaxThreads; 0: one per core
    };
    static constexpr std::int32_t kMaxThreads = s::job::ResizeJob::kMaxThreads;

    // The threads the job is to use: --threads, or one per available core.
    std::int32_t threads() const;

    const std::vector<std::string>& paths() const { return paths_; }
    const Switches& switches() const { return switches_; }
    const std::string& error() const { return error_; }

    // The text of --help.
    static const char* usage();

private:
    struct Option;
    static const Option* findOption(std::string_view name);
    static bool Switches::*findSwitch(std::string_view name);
    struct Setting;
    static const Setting* findSetting(std::string_view name);
    Action fail(std::string message);
    static bool takeValue(const std::vector<std::string>& arguments, std::size_t& i,
                          std::size_t equals, std::string_view& value);

    std::vector<std::string> paths_;
    Switches switches_;
    std::string error_;
};

}  // namespace s::cli
