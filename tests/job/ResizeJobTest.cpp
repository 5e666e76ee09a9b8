#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "job/JobFixtures.h"
#include "job/RecordingSink.h"
#include "job/Sizer.h"

namespace {

using s::image::util::JobReport;
using s::image::util::Sizer;
using Names = std::vector<std::string>;
using namespace tarvex::jobtest;

class ResizeJobTest : public ::testing::Test {
protected:
    JobReport run(std::vector<std::string> list, RecordingSink* sink = nullptr) {
        sizer.buildSamples();
        std::vector<std::string> jobList = std::move(list);
        std::mutex lock;
        RecordingSink fallback;
        RecordingSink& target = sink ? *sink : fallback;
        target.list = &jobList;
        target.listLock = &lock;
        return sizer.resizeFiles(jobList, lock, target.cancel, sink);
    }
    void severalBoxes(std::int32_t stretch) {
        sizer.mode = s::image::util::MultipleAtOnce;
        sizer.inMaximumRange = true;
        sizer.stretchMode = stretch;
    }

    ScratchFolder folder;
    Sizer sizer;
};

// Each sample is judged against the decoded image, not against the output
// of the sample before it (which would stop "only shrink" after 32 px).
TEST_F(ResizeJobTest, OnlyShrinkWritesEveryBoxWithinTheImage) {
    writeBmp(folder / "a.bmp", solidPicture(800, 600));
    severalBoxes(s::image::util::OnlyShrink);
    const JobReport report = run({folder / "a.bmp"});
    EXPECT_EQ(report.failedWrites, 0);
    EXPECT_TRUE(report.skipped.empty());
    EXPECT_EQ(folder.entries(), (Names{"a.bmp", "a.bmp (Sizes)"}));
    EXPECT_EQ(folder.entries("a.bmp (Sizes)"),
              (Names{"a (161x120).bmp", "a (291x218).bmp", "a (32x24).bmp", "a (421x315).bmp",
                     "a (551x413).bmp"}));
    ASSERT_EQ(report.written.size(), 5u);
    EXPECT_EQ(report.written[0], folder / "a.bmp (Sizes)/a (32x24).bmp");

    BmpPicture out;
    ASSERT_TRUE(readBmp(folder / "a.bmp (Sizes)/a (161x120).bmp", out));
    EXPECT_EQ(out.width, 161);
    EXPECT_EQ(out.height, 120);
    EXPECT_EQ(out.colour(80, 60), 0x336699u);
}

// Samples that give the same size are all written, under counters.
TEST_F(ResizeJobTest, RepeatedSizesGetCounters) {
    writeBmp(folder / "a.bmp", solidPicture(10, 10));
    sizer.mode = s::image::util::MultipleAtOnce;
    sizer.limitedPercent = 1;  // 99, 101, 99, 100, 100 %
    sizer.numOfSamples = 5;
    const JobReport report = run({folder / "a.bmp"});
    EXPECT_EQ(report.failedWrites, 0);
    const std::string sizes = folder / "a.bmp (Sizes)/";
    EXPECT_EQ(report.written,
              (Names{sizes + "a (9x9).bmp", sizes + "a (10x10).bmp", sizes + "a (9x9) (1).bmp",
                     sizes + "a (10x10) (1).bmp", sizes + "a (10x10) (2).bmp"}));
}

TEST_F(ResizeJobTest, SecondRunsNeverReuseNamesOrFolders) {
    writeBmp(folder / "a.bmp", solidPicture(16, 12));
    sizer.pixelWidth = 8;
    sizer.pixelHeight = 8;
    EXPECT_EQ(run({folder / "a.bmp"}).written, Names{folder / "a (8x6).bmp"});
    EXPECT_EQ(run({folder / "a.bmp"}).written, Names{folder / "a (8x6) (1).bmp"});

    sizer.mode = s::image::util::MultipleAtOnce;
    sizer.numOfSamples = 1;  // 0 % (unusable) and 200 %
    EXPECT_EQ(run({folder / "a.bmp"}).written, Names{folder / "a.bmp (Sizes)/a (32x24).bmp"});
    EXPECT_EQ(run({folder / "a.bmp"}).written, Names{folder / "a.bmp (Sizes) (1)/a (32x24).bmp"});
    // Only what the runs wrote, and no temporary files.
    EXPECT_EQ(folder.entries(), (Names{"a (8x6) (1).bmp", "a (8x6).bmp", "a.bmp", "a.bmp (Sizes)",
                                       "a.bmp (Sizes) (1)"}));
}

// Unusable inputs are listed with their reason; progress is reported for
// every sample of a recognised file, also when it does not decode.
TEST_F(ResizeJobTest, SkipsUnusableInputsWithReasons) {
    std::filesystem::create_directory(folder / "dir.bmp");
    writeBytes(folder / "notes.txt", std::vector<std::uint8_t>(200, 'x'));
    writeBytes(folder / "text.bmp", std::vector<std::uint8_t>(200, 'x'));
    std::vector<std::uint8_t> corrupt = encodeBmp(solidPicture(16, 12));
    corrupt[14] = 0x7F;  // no such info header size
    writeBytes(folder / "corrupt.bmp", corrupt);
    writeBmp(folder / "CAT.BMP", solidPicture(16, 12));

    sizer.mode = s::image::util::MultipleAtOnce;
    sizer.numOfSamples = 2;  // 0 % (unusable), 200 %
    RecordingSink sink;
    const JobReport report = run({folder / "dir.bmp", folder / "notes.txt", folder / "missing.bmp",
                                  folder / "text.bmp", folder / "corrupt.bmp", folder / "CAT.BMP"},
                                 &sink);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {folder / "dir.bmp", "is a folder"},
        {folder / "notes.txt", "not an image file"},
        {folder / "missing.bmp", "no such file"},
        {folder / "text.bmp", "unrecognised content"},
        {folder / "corrupt.bmp", "could not be decoded"},
    };
    ASSERT_EQ(report.skipped.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(report.skipped[i].path, expected[i].first);
        EXPECT_EQ(report.skipped[i].reason, expected[i].second);
    }
    EXPECT_EQ(report.written, Names{folder / "CAT.BMP (Sizes)/CAT (32x24).BMP"});
    EXPECT_EQ(report.failedWrites, 0);
    // No folder for inputs that gave no output.
    EXPECT_EQ(folder.entries(), (Names{"CAT.BMP", "CAT.BMP (Sizes)", "corrupt.bmp", "dir.bmp",
                                       "notes.txt", "text.bmp"}));
    EXPECT_EQ(sink.seen, (std::vector<Progress>{{12, 8, "corrupt.bmp"},
                                                {12, 9, "corrupt.bmp"},
                                                {12, 10, "CAT.BMP"},
                                                {12, 11, "CAT.BMP"}}));
}

TEST_F(ResizeJobTest, ProgressCoversEverySampleOfEveryFileAndTheListMayGrow) {
    writeBmp(folder / "a.bmp", solidPicture(8, 6));
    writeBmp(folder / "b.bmp", solidPicture(8, 6));
    severalBoxes(s::image::util::OnlyShrink);  // nothing fits in 8 x 6
    sizer.numOfSamples = 3;
    RecordingSink sink;
    sink.appendAt = 2;  // during the last sample of the first file
    sink.toAppend = {folder / "b.bmp"};
    const JobReport report = run({folder / "a.bmp"}, &sink);
    EXPECT_TRUE(report.written.empty());
    EXPECT_EQ(sink.seen, (std::vector<Progress>{{3, 0, "a.bmp"},
                                                {3, 1, "a.bmp"},
                                                {3, 2, "a.bmp"},
                                                {6, 3, "b.bmp"},
                                                {6, 4, "b.bmp"},
                                                {6, 5, "b.bmp"}}));
    EXPECT_EQ(folder.entries(), (Names{"a.bmp", "b.bmp"}));
}

TEST_F(ResizeJobTest, CancelFinishesTheCurrentSampleAndTouchesNothingElse) {
    writeBmp(folder / "a.bmp", solidPicture(20, 10));
    writeBmp(folder / "b.bmp", solidPicture(20, 10));
    sizer.mode = s::image::util::MultipleAtOnce;
    sizer.stretchMode = s::image::util::OnlyEnlarge;  // 200, 110, 120 ... %
    RecordingSink sink;
    sink.cancelAt = 1;
    const JobReport report = run({folder / "a.bmp", folder / "b.bmp"}, &sink);
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(report.written, (Names{folder / "a.bmp (Sizes)/a (40x20).bmp",
                                     folder / "a.bmp (Sizes)/a (22x11).bmp"}));
    EXPECT_EQ(sink.seen.size(), 2u);
    EXPECT_EQ(folder.entries(), (Names{"a.bmp", "a.bmp (Sizes)", "b.bmp"}));
}

// A resized image beyond the pixel bound cannot be made: that output fails,
// nothing is written for it, and the next sample starts from intact pixels.
TEST_F(ResizeJobTest, AnOutputWhosePixelsCannotBeHadFailsAlone) {
    BmpPicture picture = solidPicture(700, 1);
    picture.values[0] = 0xFF0000;
    writeBmp(folder / "wide.bmp", picture);
    sizer.mode = s::image::util::MultipleAtOnce;
    sizer.limitedPercent = 9900;  // 0 % (unusable), 10000 % (70000 px wide: refused), 100 %
    sizer.numOfSamples = 3;
    const JobReport report = run({folder / "wide.bmp"});
    EXPECT_EQ(report.failedWrites, 1);
    ASSERT_EQ(report.failed.size(), 1u);
    EXPECT_EQ(report.failed[0].path, folder / "wide.bmp");
    EXPECT_EQ(report.written, Names{folder / "wide.bmp (Sizes)/wide (700x1).bmp"});
    EXPECT_EQ(folder.entries("wide.bmp (Sizes)"), Names{"wide (700x1).bmp"});
    BmpPicture out;
    ASSERT_TRUE(readBmp(report.written[0], out));
    EXPECT_EQ(out.colour(0, 0), 0xFF0000u);
    EXPECT_EQ(out.colour(1, 0), 0x336699u);
}

}  // namespace
