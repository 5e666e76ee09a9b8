// End-to-end runs of the tarvex-resize program on small BMP files written by
// the test: names, sizes and pixels of the outputs, what is skipped, exit
// statuses, and that nothing partial is left when writes fail.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "job/JobFixtures.h"

namespace {

using namespace tarvex::jobtest;
using Names = std::vector<std::string>;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
    Names outLines() const {
        Names lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
};

std::string shellQuoted(const std::string& text) {
    std::string q = "'";
    for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs the program through sh, with a file-size limit (in the shell's
// ulimit blocks) when one is given.
Result runResize(const Names& args, const std::string& fileSizeLimit = "") {
    const ScratchFolder logs;
    std::string script = "exec \"$0\" \"$@\"";
    if (!fileSizeLimit.empty()) script = "ulimit -f " + fileSizeLimit + "; " + script;
    std::string command = "sh -c " + shellQuoted(script) + " " + shellQuoted(TARVEX_RESIZE_BIN);
    for (const std::string& arg : args) command += " " + shellQuoted(arg);
    command += " >" + shellQuoted(logs / "out") + " 2>" + shellQuoted(logs / "err");
    const int raw = std::system(command.c_str());
    Result result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const auto out = readBytes(logs / "out");
    const auto err = readBytes(logs / "err");
    result.out.assign(out.begin(), out.end());
    result.err.assign(err.begin(), err.end());
    return result;
}

// Four symbolic colours: top half, bottom half, and two marker pixels in
// opposite corners, so orientation and palette mistakes show.
int symbol(std::int32_t x, std::int32_t y) {
    if (x == 0 && y == 0) return 2;
    if (x == 15 && y == 11) return 3;
    return y < 6 ? 0 : 1;
}

struct Fixture {
    const char* name;
    BmpPicture picture;
};

BmpPicture pattern(std::int32_t bitCount, const std::vector<std::uint32_t>& byColour,
                   const std::vector<std::uint32_t>& palette = {}, bool topDown = false) {
    BmpPicture p;
    p.width = 16;
    p.height = 12;
    p.bitCount = bitCount;
    p.topDown = topDown;
    p.palette = palette;
    for (std::int32_t y = 0; y < p.height; ++y) {
        for (std::int32_t x = 0; x < p.width; ++x) p.values.push_back(byColour[symbol(x, y)]);
    }
    return p;
}

std::vector<Fixture> everyDepth() {
    const std::vector<std::uint32_t> rgb = {0xFF0000, 0x0000FF, 0x00FF00, 0xFFFF00};
    return {
        {"rgb24", pattern(24, rgb)},
        {"argb32", pattern(32, {0xFFFF0000, 0x800000FF, 0x4000FF00, 0xFFFFFF00})},
        {"pal8", pattern(8, {3, 0, 2, 1}, {0x0000FF, 0xFFFF00, 0x00FF00, 0xFF0000})},
        {"pal4", pattern(4, {0, 1, 2, 3}, rgb)},
        {"pal1", pattern(1, {1, 0, 0, 1}, {0x0000FF, 0xFF0000})},
        {"rgb16", pattern(16, {0x7C00, 0x001F, 0x03E0, 0x7FE0})},
        {"topdown", pattern(24, rgb, {}, true)},
    };
}

class TarvexResize : public ::testing::Test {
protected:
    // Writes the fixtures and returns their paths.
    Names writeFixtures(const std::vector<Fixture>& fixtures) {
        Names paths;
        for (const Fixture& f : fixtures) {
            paths.push_back(folder / (std::string(f.name) + ".bmp"));
            writeBmp(paths.back(), f.picture);
        }
        return paths;
    }

    ScratchFolder folder;
};

// Resized to its own size, every depth comes back pixel for pixel, at its
// own depth and upright.
TEST_F(TarvexResize, EveryDepthRoundTripsExactly) {
    const std::vector<Fixture> fixtures = everyDepth();
    Names args = writeFixtures(fixtures);
    args.insert(args.begin(), {"--pixels", "16x12"});
    const Result result = runResize(args);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    ASSERT_EQ(result.outLines().size(), fixtures.size());
    for (std::size_t i = 0; i < fixtures.size(); ++i) {
        SCOPED_TRACE(fixtures[i].name);
        const std::string expected = folder / (std::string(fixtures[i].name) + " (16x12).bmp");
        EXPECT_EQ(result.outLines()[i], expected);
        BmpPicture out;
        ASSERT_TRUE(readBmp(expected, out));
        const BmpPicture& in = fixtures[i].picture;
        EXPECT_EQ(out.width, 16);
        EXPECT_EQ(out.height, 12);
        EXPECT_EQ(out.bitCount, in.bitCount);
        for (std::int32_t y = 0; y < 12; ++y) {
            for (std::int32_t x = 0; x < 16; ++x) {
                ASSERT_EQ(out.colour(x, y), in.colour(x, y)) << x << "," << y;
            }
        }
    }
}

// The red channel of a resized 24-bit output at (x, y), and its blue one.
std::pair<int, int> redBlue(const BmpPicture& p, std::int32_t x, std::int32_t y) {
    const std::uint32_t c = p.colour(x, y);
    return {static_cast<int>(c >> 16 & 0xFF), static_cast<int>(c & 0xFF)};
}

TEST_F(TarvexResize, SpecificSizesNameAndSizeTheOutputs) {
    const Names inputs =
        writeFixtures({{"top", pattern(24, {0xFF0000, 0x0000FF, 0xFF0000, 0x0000FF}, {}, true)}});
    const struct {
        Names options;
        const char* name;
        std::int32_t width, height;
    } cases[] = {
        {{"--percent", "50x50"}, "top (8x6).bmp", 8, 6},
        {{"--pixels", "8x8"}, "top (8x6).bmp", 8, 6},
        {{"--pixels", "8x8", "--no-keep-ratio"}, "top (8x8).bmp", 8, 8},
        {{"--pixels", "64x64", "--stretch", "shrink"}, "top (16x12).bmp", 16, 12},
        {{}, "top (800x600).bmp", 800, 600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Names args = c.options;
        args.push_back(inputs[0]);
        const Result result = runResize(args);
        ASSERT_EQ(result.status, 0) << result.err;
        const std::string path = folder / c.name;
        ASSERT_EQ(result.outLines(), Names{path});
        BmpPicture out;
        ASSERT_TRUE(readBmp(path, out));
        EXPECT_EQ(out.width, c.width);
        EXPECT_EQ(out.height, c.height);
        EXPECT_EQ(out.bitCount, 24);
        // The top row stays red and the bottom row blue.
        const auto [topRed, topBlue] = redBlue(out, 0, 0);
        const auto [bottomRed, bottomBlue] = redBlue(out, 0, c.height - 1);
        EXPECT_GT(topRed, topBlue);
        EXPECT_GT(bottomBlue, bottomRed);
        std::filesystem::remove(path);
    }
}

TEST_F(TarvexResize, SeveralSizesGoToASizesFolder) {
    const Names inputs = writeFixtures({{"pal4", everyDepth()[3].picture}});
    Result result = runResize({"--various", "--limited-range", "50", "--samples", "3", inputs[0]});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string sizes = folder / "pal4.bmp (Sizes)/";
    EXPECT_EQ(result.outLines(), (Names{sizes + "pal4 (8x6).bmp", sizes + "pal4 (24x18).bmp",
                                        sizes + "pal4 (16x12).bmp"}));
    for (const std::string& path : result.outLines()) {
        BmpPicture out;
        ASSERT_TRUE(readBmp(path, out));
        EXPECT_EQ(out.bitCount, 4);
    }

    result = runResize({"--various", "--max-range", "--samples", "2", inputs[0]});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string second = folder / "pal4.bmp (Sizes) (1)/";
    EXPECT_EQ(result.outLines(),
              (Names{second + "pal4 (32x24).bmp", second + "pal4 (1200x900).bmp"}));

    // Nothing fits when only shrinking a 16 x 12 image into 32..1200 boxes:
    // no output and no empty folder.
    result = runResize({"--various", "--max-range", "--stretch", "shrink", inputs[0]});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(folder.entries(), (Names{"pal4.bmp", "pal4.bmp (Sizes)", "pal4.bmp (Sizes) (1)"}));
}

TEST_F(TarvexResize, SecondRunAddsACounterInsteadOfOverwriting) {
    const Names inputs = writeFixtures({{"a", everyDepth()[0].picture}});
    writeBytes(folder / "a (8x6).bmp", {'k', 'e', 'e', 'p'});
    for (const char* expected : {"a (8x6) (1).bmp", "a (8x6) (2).bmp"}) {
        const Result result = runResize({"--percent", "50x50", inputs[0]});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.outLines(), Names{folder / expected});
    }
    EXPECT_EQ(readBytes(folder / "a (8x6).bmp"), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
}

TEST_F(TarvexResize, UnusableInputsAreListedAndSkipped) {
    const Names inputs = writeFixtures({{"good", everyDepth()[0].picture}});
    std::filesystem::create_directory(folder / "album");
    writeBytes(folder / "notes.txt", std::vector<std::uint8_t>(300, 'n'));
    writeBytes(folder / "text.bmp", std::vector<std::uint8_t>(300, 't'));
    std::vector<std::uint8_t> corrupt = encodeBmp(everyDepth()[0].picture);
    corrupt[28] = 7;  // 7 bits per pixel
    writeBytes(folder / "corrupt.bmp", corrupt);

    const Result result =
        runResize({"--various", folder / "album", folder / "notes.txt", folder / "missing.bmp",
                   folder / "text.bmp", folder / "corrupt.bmp", inputs[0], "--samples", "2"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.outLines(), Names{folder / "good.bmp (Sizes)/good (32x24).bmp"});
    for (const auto& [name, reason] : std::vector<std::pair<std::string, std::string>>{
             {"album", "is a folder"},
             {"notes.txt", "not an image file"},
             {"missing.bmp", "no such file"},
             {"text.bmp", "unrecognised content"},
             {"corrupt.bmp", "could not be decoded"}}) {
        EXPECT_NE(result.err.find(folder / name + ": " + reason), std::string::npos) << name << "\n"
                                                                                     << result.err;
    }
    EXPECT_EQ(folder.entries(), (Names{"album", "corrupt.bmp", "good.bmp", "good.bmp (Sizes)",
                                       "notes.txt", "text.bmp"}));
}

// Root ignores permissions, but not a file-size limit: outputs above it
// fail, leave nothing behind, and make the exit status 1.
TEST_F(TarvexResize, FailedWritesLeaveNothingAndExitWithOne) {
    const Names inputs = writeFixtures({{"small", everyDepth()[0].picture}});
    BmpPicture big = everyDepth()[0].picture;
    big.width = 64;
    big.height = 48;
    big.values.assign(64 * 48, 0x123456);
    writeBmp(folder / "big.bmp", big);

    // 4 blocks are 2 KiB or 4 KiB depending on the shell: room for the 630
    // bytes of small (16x12).bmp, not for the 9270 bytes of big (64x48).bmp.
    const Result result = runResize({"--percent", "100x100", folder / "big.bmp", inputs[0]}, "4");
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.outLines(), Names{folder / "small (16x12).bmp"});
    EXPECT_NE(result.err.find(folder / "big.bmp"), std::string::npos) << result.err;
    EXPECT_EQ(folder.entries(), (Names{"big.bmp", "small (16x12).bmp", "small.bmp"}));

    const Result several = runResize(
        {"--various", "--limited-range", "50", "--samples", "2", folder / "big.bmp"}, "4");
    EXPECT_EQ(several.status, 1) << several.err;
    EXPECT_EQ(several.out, "");
    EXPECT_EQ(folder.entries("big.bmp (Sizes)"), Names{});
}

TEST_F(TarvexResize, UsageErrorsExitWithTwoAndWriteNothing) {
    const Names inputs = writeFixtures({{"a", everyDepth()[0].picture}});
    const Names bad[] = {
        {},
        {"--pixels", "800y600", inputs[0]},
        {inputs[0], "--samples", "0"},
        {"--stretch", "sideways", inputs[0]},
        {"--unknown", inputs[0]},
    };
    for (const Names& args : bad) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const Result result = runResize(args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("tarvex-resize: "), std::string::npos);
        EXPECT_NE(result.err.find("--help"), std::string::npos);
    }
    EXPECT_EQ(folder.entries(), Names{"a.bmp"});

    const Result help = runResize({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: tarvex-resize [options] PATH...\n", 0), 0u);
    const Result version = runResize({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("tarvex-resize ", 0), 0u);
    EXPECT_GT(version.out.size(), std::string("tarvex-resize \n").size());
}

}  // namespace

// The number of threads changes nothing the user sees: the events, the
// written and skipped lists, the exit status and every byte on disk are
// those of a one-thread run, also for a file that does not decode, an input
// given twice (its outputs get counters) and an input the run itself writes.
TEST(TarvexResizeThreads, TwoThreadsGiveTheOneThreadRun) {
    const auto runIn = [](const ScratchFolder& dir, const std::string& threads) {
        writeBmp(dir / "a.bmp", solidPicture(40, 30, 0x884422));
        writeBmp(dir / "b.bmp", solidPicture(30, 40, 0x224488));
        std::vector<std::uint8_t> corrupt = encodeBmp(solidPicture(16, 12));
        corrupt[28] = 7;  // 7 bits per pixel
        writeBytes(dir / "corrupt.bmp", corrupt);
        Result result = runResize({"--no-store", "--events", "--threads", threads, "--pixels",
                                   "20x20", dir / "a.bmp", dir / "corrupt.bmp",
                                   dir / "a (20x15).bmp", dir / "b.bmp", dir / "a.bmp"});
        // The folders differ; what is in them must not.
        for (std::string* text : {&result.out, &result.err}) {
            for (std::size_t at; (at = text->find(dir.path())) != std::string::npos;)
                text->replace(at, dir.path().size(), "<dir>");
        }
        return result;
    };
    const ScratchFolder one;
    const ScratchFolder two;
    const Result expected = runIn(one, "1");
    const Result actual = runIn(two, "2");
    EXPECT_EQ(expected.status, 0);
    EXPECT_NE(expected.err.find("corrupt.bmp: could not be decoded"), std::string::npos);
    EXPECT_EQ(actual.status, expected.status);
    EXPECT_EQ(actual.out, expected.out);
    EXPECT_EQ(actual.err, expected.err);
    const Names names = one.entries();
    EXPECT_EQ(names, (Names{"a (20x15) (1).bmp", "a (20x15) (20x15).bmp", "a (20x15).bmp", "a.bmp",
                            "b (15x20).bmp", "b.bmp", "corrupt.bmp"}));
    EXPECT_EQ(two.entries(), names);
    for (const std::string& name : names) EXPECT_EQ(readBytes(two / name), readBytes(one / name));
}
