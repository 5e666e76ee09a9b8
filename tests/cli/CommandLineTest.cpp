// The option parser is part of the program, not of an engine library; its
// source is compiled into this test directly.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CommandLine.h"

namespace {

using s::cli::CommandLine;
using s::image::util::Sizer;
using Args = std::vector<std::string>;

void expectSameSettings(const Sizer& actual, const Sizer& expected) {
    EXPECT_EQ(actual.mode, expected.mode);
    EXPECT_EQ(actual.stretchMode, expected.stretchMode);
    EXPECT_EQ(actual.numOfSamples, expected.numOfSamples);
    EXPECT_EQ(actual.inMaximumRange, expected.inMaximumRange);
    EXPECT_EQ(actual.limitedPercent, expected.limitedPercent);
    EXPECT_EQ(actual.byPixel, expected.byPixel);
    EXPECT_EQ(actual.pixelWidth, expected.pixelWidth);
    EXPECT_EQ(actual.pixelHeight, expected.pixelHeight);
    EXPECT_EQ(actual.percentWidth, expected.percentWidth);
    EXPECT_EQ(actual.percentHeight, expected.percentHeight);
    EXPECT_EQ(actual.keepRatio, expected.keepRatio);
    EXPECT_EQ(actual.keepColourProfiles, expected.keepColourProfiles);
}

TEST(CommandLine, GoodCommandLinesFillTheSizer) {
    struct Case {
        Args args;
        std::function<void(Sizer&)> expect;  // applied to a default Sizer
        Args paths;
    };
    const Case cases[] = {
        // Defaults: one specific size of 800 x 600 pixels, ratio kept, both ways.
        {{"a.bmp"}, [](Sizer&) {}, {"a.bmp"}},
        {{"--various", "--max-range", "--samples", "25", "x", "y"},
         [](Sizer& s) {
             s.mode = s::image::util::MultipleAtOnce;
             s.inMaximumRange = true;
             s.numOfSamples = 25;
         },
         {"x", "y"}},
        {{"--percent=50x25", "--no-keep-ratio", "--stretch", "shrink", "p"},
         [](Sizer& s) {
             s.byPixel = false;
             s.percentWidth = 50;
             s.percentHeight = 25;
             s.keepRatio = false;
             s.stretchMode = s::image::util::OnlyShrink;
         },
         {"p"}},
        {{"--pixels", "1X65535", "--no-keep-ratio", "--keep-ratio", "--stretch=enlarge", "p"},
         [](Sizer& s) {
             s.pixelWidth = 1;
             s.pixelHeight = 65535;
             s.stretchMode = s::image::util::OnlyEnlarge;
         },
         {"p"}},
        // The last of two conflicting options wins; options may follow paths.
        {{"p", "--max-range", "--limited-range", "0", "--various", "--specific", "--samples=1000",
          "--percent", "10000x1", "--pixels", "640x480", "--stretch", "both"},
         [](Sizer& s) {
             s.limitedPercent = 0;
             s.numOfSamples = 1000;
             s.percentWidth = 10000;
             s.percentHeight = 1;
             s.pixelWidth = 640;
             s.pixelHeight = 480;
         },
         {"p"}},
        {{"p", "--strip-profile"}, [](Sizer& s) { s.keepColourProfiles = false; }, {"p"}},
        // After "--" everything is a path; a lone "-" is a path too.
        {{"--limited-range", "1000", "--", "--help", "-"},
         [](Sizer& s) { s.limitedPercent = 1000; },
         {"--help", "-"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        Sizer actual;
        Sizer expected;
        c.expect(expected);
        CommandLine commandLine;
        ASSERT_EQ(commandLine.parse(c.args, actual), CommandLine::Action::Run)
            << commandLine.error();
        expectSameSettings(actual, expected);
        EXPECT_EQ(commandLine.paths(), c.paths);
    }
}

// --threads is the program's own setting: it leaves the Sizer alone, and
// without it the job uses one thread per core.
TEST(CommandLine, ThreadsOption) {
    const std::pair<Args, std::int32_t> cases[] = {
        {{"--threads", "1", "p"}, 1},
        {{"--threads=64", "p"}, 64},
        {{"--threads", "3", "--threads", "2", "p"}, 2},
        {{"p"}, s::job::ResizeJob::defaultThreadCount()},
    };
    for (const auto& [args, threads] : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        Sizer sizer;
        CommandLine commandLine;
        ASSERT_EQ(commandLine.parse(args, sizer), CommandLine::Action::Run) << commandLine.error();
        EXPECT_EQ(commandLine.threads(), threads);
        expectSameSettings(sizer, Sizer());
        EXPECT_EQ(commandLine.paths(), Args{"p"});
    }
    EXPECT_GE(s::job::ResizeJob::defaultThreadCount(), 1);
}

TEST(CommandLine, HelpAndVersionStopParsing) {
    const std::pair<Args, CommandLine::Action> cases[] = {
        {{"--help"}, CommandLine::Action::Help},
        {{"p", "--help", "--bogus"}, CommandLine::Action::Help},
        {{"--version"}, CommandLine::Action::Version},
    };
    for (const auto& [args, action] : cases) {
        Sizer sizer;
        CommandLine commandLine;
        EXPECT_EQ(commandLine.parse(args, sizer), action);
    }
}

TEST(CommandLine, BadCommandLinesAreUsageErrors) {
    const std::pair<Args, const char*> cases[] = {
        {{}, "no input"},
        {{"--specific"}, "no input"},
        {{"--bogus", "p"}, "--bogus"},
        {{"-x", "p"}, "-x"},
        {{"--various=yes", "p"}, "--various"},
        {{"--help=me"}, "--help"},
        {{"--strip-profile=yes", "p"}, "--strip-profile"},
        {{"p", "--pixels"}, "--pixels"},
        {{"--pixels", "800", "p"}, "--pixels"},
        {{"--pixels", "800x", "p"}, "--pixels"},
        {{"--pixels", "x600", "p"}, "--pixels"},
        {{"--pixels", "0x600", "p"}, "--pixels"},
        {{"--pixels", "800x65536", "p"}, "--pixels"},
        {{"--pixels", "-1x5", "p"}, "--pixels"},
        {{"--pixels", "+800x600", "p"}, "--pixels"},
        {{"--pixels", " 800x600", "p"}, "--pixels"},
        {{"--pixels", "800x600x1", "p"}, "--pixels"},
        {{"--pixels", "99999999999999999999x1", "p"}, "--pixels"},
        {{"--percent", "0x50", "p"}, "--percent"},
        {{"--percent", "10001x50", "p"}, "--percent"},
        {{"--samples", "0", "p"}, "--samples"},
        {{"--samples", "1001", "p"}, "--samples"},
        {{"--samples", "-3", "p"}, "--samples"},
        {{"--samples", "ten", "p"}, "--samples"},
        {{"--samples=", "p"}, "--samples"},
        {{"--limited-range", "1001", "p"}, "--limited-range"},
        {{"--limited-range", "5%", "p"}, "--limited-range"},
        {{"--stretch", "all", "p"}, "--stretch"},
        {{"--stretch", "Both", "p"}, "--stretch"},
        {{"--threads", "0", "p"}, "--threads"},
        {{"--threads", "65", "p"}, "--threads"},
        {{"--threads=", "p"}, "--threads"},
        {{"p", "--threads"}, "--threads"},
    };
    for (const auto& [args, mention] : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        Sizer sizer;
        CommandLine commandLine;
        EXPECT_EQ(commandLine.parse(args, sizer), CommandLine::Action::UsageError);
        EXPECT_NE(commandLine.error().find(mention), std::string::npos) << commandLine.error();
    }
}

}  // namespace
