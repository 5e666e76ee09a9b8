#include <gtest/gtest.h>

#include <fstream>

#include "RecordingStore.h"
#include "shell/app/CommandLine.h"

namespace {

using s::process::commandline::win::CommandLine;

TEST(CommandLineTest, OptionsTakeALeadingDashAndPathsStayAsGiven) {
    s::app::test::TempFolder folder;
    const std::string existing = folder.file("a.jpg");
    std::ofstream(existing) << "x";

    struct Case {
        std::string argument;
        std::string stored;
    };
    const Case cases[] = {
        {"-Silent", "-Silent"},
        {"/Silent", "-Silent"},
        {"/s", "-s"},
        {"photo.jpg", "photo.jpg"},
        {"my pictures/photo 1.jpg", "my pictures/photo 1.jpg"},
        // Absolute paths begin with "/" here; they are paths, not options.
        {"/home/ann/photo.jpg", "/home/ann/photo.jpg"},
        {existing, existing},
        {"/", "/"},
        {"-", "-"},
    };
    for (const Case& c : cases) {
        CommandLine line;
        line.parse({c.argument});
        ASSERT_EQ(line.count(), 1u);
        EXPECT_EQ(line.arguments()[0], c.stored) << c.argument;
    }
}

TEST(CommandLineTest, PathsAndOptionsKeepTheirOrder) {
    CommandLine line;
    line.parse({"b.png", "/Silent", "a.jpg", "-x", "/tmp/c.gif"});
    EXPECT_EQ(line.paths(), (std::vector<std::string>{"b.png", "a.jpg", "/tmp/c.gif"}));
    EXPECT_TRUE(line.hasOption("silent"));
    EXPECT_TRUE(line.hasOption("X"));
    EXPECT_FALSE(line.hasOption("tmp/c.gif"));
    EXPECT_FALSE(line.empty());

    line.parse({});
    EXPECT_TRUE(line.empty());
    EXPECT_TRUE(line.paths().empty());
}

}  // namespace
