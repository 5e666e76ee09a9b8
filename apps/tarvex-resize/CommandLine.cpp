#include "CommandLine.h"

#include <array>
#include <charconv>

namespace s::cli {

namespace {

using s::image::util::Sizer;

// Digits only (no sign, no spaces), within min..max.
bool parseNumber(std::string_view text, std::int32_t min, std::int32_t max, std::int32_t& out) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    if (value < min || value > max) return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

// "WxH", each side within min..max.
bool parseSize(std::string_view text, std::int32_t min, std::int32_t max, std::int32_t& w,
               std::int32_t& h) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return false;
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (!parseNumber(text.substr(0, x), min, max, width) ||
        !parseNumber(text.substr(x + 1), min, max, height)) {
        return false;
    }
    w = width;
    h = height;
    return true;
}

bool setStretch(Sizer& sizer, std::string_view value) {
    constexpr std::array<std::pair<std::string_view, std::int32_t>, 3> kModes = {
        {{"both", s::image::util::All},
         {"enlarge", s::image::util::OnlyEnlarge},
         {"shrink", s::image::util::OnlyShrink}}};
    for (const auto& [name, mode] : kModes) {
        if (value == name) {
            sizer.stretchMode = mode;
            return true;
        }
    }
    return false;
}

}  // namespace

struct CommandLine::Option {
    std::string_view name;
    Action action;                                        // Run for options that set something
    const char* expected;                                 // the value it takes, or null for a flag
    bool (*apply)(Sizer& sizer, std::string_view value);  // false: bad value
};

const CommandLine::Option* CommandLine::findOption(std::string_view name) {
    static const std::array<Option, 13> kOptions = {{
        {"--help", Action::Help, nullptr, nullptr},
        {"--version", Action::Version, nullptr, nullptr},
        {"--specific", Action::Run, nullptr,
         [](Sizer& s, std::string_view) {
             s.mode = s::image::util::OneSpecific;
             return true;
         }},
        {"--various", Action::Run, nullptr,
         [](Sizer& s, std::string_view) {
             s.mode = s::image::util::MultipleAtOnce;
             return true;
         }},
        {"--pixels", Action::Run, "WxH, each 1 to 65535",
         [](Sizer& s, std::string_view v) {
             s.byPixel = true;
             return parseSize(v, 1, kMaxPixels, s.pixelWidth, s.pixelHeight);
         }},
        {"--percent", Action::Run, "WxH, each 1 to 10000",
         [](Sizer& s, std::string_view v) {
             s.byPixel = false;
             return parseSize(v, 1, kMaxPercent, s.percentWidth, s.percentHeight);
         }},
        {"--keep-ratio", Action::Run, nullptr,
         [](Sizer& s, std::string_view) {
             s.keepRatio = true;
             return true;
         }},
        {"--no-keep-ratio", Action::Run, nullptr,
         [](Sizer& s, std::string_view) {
             s.keepRatio = false;
             return true;
         }},
        {"--stretch", Action::Run, "both, enlarge or shrink", setStretch},
        {"--samples", Action::Run, "a number from 1 to 1000",
         [](Sizer& s, std::string_view v) {
             return parseNumber(v, static_cast<std::int32_t>(Sizer::kMinSamples),
                                static_cast<std::int32_t>(Sizer::kMaxSamples), s.numOfSamples);
         }},
        {"--max-range", Action::Run, nullptr,
         [](Sizer& s, std::string_view) {
             s.inMaximumRange = true;
             return true;
         }},
        {"--limited-range", Action::Run, "a number from 0 to 1000",
         [](Sizer& s, std::string_view v) {
             s.inMaximumRange = false;
             return parseNumber(v, 0, kMaxLimitedPercent, s.limitedPercent);
         }},
        {"--strip-profile", Action::Run, nullptr,
         [](Sizer& s, std::string_view) {
             s.keepColourProfiles = false;
             return true;
         }},
    }};
    for (const Option& option : kOptions) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

bool CommandLine::Switches::*CommandLine::findSwitch(std::string_view name) {
    struct Entry {
        std::string_view name;
        bool Switches::*member;
    };
    static const Entry kSwitches[] = {
        {"--events", &Switches::events},
        {"--no-store", &Switches::noStore},
        {"--save", &Switches::save},
    };
    for (const Entry& entry : kSwitches) {
        if (entry.name == name) return entry.member;
    }
    return nullptr;
}

// Settings of the program itself that take a value.
struct CommandLine::Setting {
    std::string_view name;
    const char* expected;
    bool (*apply)(Switches& switches, std::string_view value);
};

const CommandLine::Setting* CommandLine::findSetting(std::string_view name) {
    static const Setting kSettings[] = {
        {"--threads", "a number from 1 to 64",
         [](Switches& s, std::string_view v) { return parseNumber(v, 1, kMaxThreads, s.threads); }},
    };
    for (const Setting& setting : kSettings) {
        if (setting.name == name) return &setting;
    }
    return nullptr;
}

std::int32_t CommandLine::threads() const {
    return switches_.threads > 0 ? switches_.threads : s::job::ResizeJob::defaultThreadCount();
}

// The value of the option at arguments[i]: after its "=", or the next
// argument (i then moves past it). False when there is none.
bool CommandLine::takeValue(const std::vector<std::string>& arguments, std::size_t& i,
                            std::size_t equals, std::string_view& value) {
    if (equals != std::string::npos) {
        value = std::string_view(arguments[i]).substr(equals + 1);
        return true;
    }
    if (i + 1 >= arguments.size()) return false;
    value = arguments[++i];
    return true;
}

CommandLine::Action CommandLine::fail(std::string message) {
    error_ = std::move(message);
    return Action::UsageError;
}

CommandLine::Action CommandLine::parse(const std::vector<std::string>& arguments, Sizer& sizer) {
    paths_.clear();
    switches_ = {};
    error_.clear();
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        // A lone "-" or "" is taken as a path, so the job reports it as missing.
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            paths_.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string_view name = std::string_view(argument).substr(0, equals);
        if (bool Switches::*flag = findSwitch(name)) {
            if (equals != std::string::npos) {
                return fail("option '" + std::string(name) + "' takes no value");
            }
            switches_.*flag = true;
            continue;
        }
        const Setting* setting = findSetting(name);
        const Option* option = setting ? nullptr : findOption(name);
        if (!setting && !option) return fail("unknown option '" + std::string(name) + "'");
        if (option && !option->expected) {
            if (equals != std::string::npos) {
                return fail("option '" + std::string(name) + "' takes no value");
            }
            if (option->action != Action::Run) return option->action;
            option->apply(sizer, {});
            continue;
        }
        const char* expected = setting ? setting->expected : option->expected;
        std::string_view value;
        if (!takeValue(arguments, i, equals, value)) {
            return fail("option '" + std::string(name) + "' needs a value (" + expected + ")");
        }
        if (setting ? !setting->apply(switches_, value) : !option->apply(sizer, value)) {
            return fail("invalid value '" + std::string(value) + "' for " + std::string(name) +
                        " (expected " + expected + ")");
        }
    }
    if (paths_.empty()) return fail("no input files given");
    return Action::Run;
}

const char* CommandLine::usage() {
    return "Usage: tarvex-resize [options] PATH...\n"
           "Writes resized copies of BMP, GIF, JPEG, PNG and ICO files, each in its own\n"
           "format, named after the source and the output size; never overwrites a file.\n"
           "The defaults are the preferences the desktop program stores; options override\n"
           "them for this run (and replace them with --save).\n"
           "\n"
           "Sizing mode:\n"
           "  --specific            one output per file, beside the source (default)\n"
           "  --various             several sizes per file, in a new \"<name> (Sizes)\" folder\n"
           "\n"
           "One specific size:\n"
           "  --pixels WxH          target size in pixels, 1 to 65535 (default 800x600)\n"
           "  --percent WxH         target size in percent, 1 to 10000\n"
           "  --keep-ratio          fit inside the target, keeping the ratio (default)\n"
           "  --no-keep-ratio       stretch to the target exactly\n"
           "\n"
           "Several sizes at once (always keeping the ratio):\n"
           "  --samples N           up to N outputs per file, 1 to 1000 (default 10)\n"
           "  --max-range           square boxes spread over 32 to 1200 pixels\n"
           "  --limited-range P     percentages spread over 100 % +/- P, P from 0 to 1000\n"
           "                        (default 100)\n"
           "\n"
           "Both modes:\n"
           "  --stretch MODE        both, enlarge (only enlarge) or shrink (only shrink)\n"
           "                        (default both)\n"
           "  --threads N           decode and encode up to N files at once, 1 to 64\n"
           "                        (default: one per processor core); the outputs, their\n"
           "                        names, the events and the exit status do not depend on it\n"
           "  --strip-profile       write the outputs without the source's colour profile\n"
           "                        (by default a JPEG's ICC profile and a PNG's iCCP,\n"
           "                        sRGB, gAMA and cHRM chunks are carried to its outputs)\n"
           "  --events              print one line per job event on standard output:\n"
           "                        ProcessStatusStart, ProcessStatusUpdate TOTAL INDEX NAME,\n"
           "                        ProcessStatusEnd\n"
           "  --no-store            ignore the preferences stored by the desktop program\n"
           "  --save                store the options used as the new preferences\n"
           "  --help                show this text\n"
           "  --version             show the version\n"
           "\n"
           "Written files are listed on standard output; skipped inputs and failed writes\n"
           "on standard error. Exit status: 0 when every output was written, 1 when an\n"
           "output could not be written, 2 for a usage error (nothing is written then),\n"
           "130 when cancelled by Ctrl-C or SIGTERM (the image being written is finished\n"
           "first; nothing later is touched). A progress line is shown on standard error\n"
           "when it is a terminal.\n";
}

}  // namespace s::cli
