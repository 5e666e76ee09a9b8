// The end-of-job summary: counts of input files from a real job with a
// resized, a skipped and a failed file, and the list behind it.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "DialogTestSupport.h"
#include "ui/dialogs/JobSummary.h"

namespace {

using s::image::gui::dialogs::tarvex::JobSummary;
using tarvex::dialogtest::ScratchFolder;
namespace util = s::image::util;

TEST(JobSummaryTest, FillReplacesEveryMarker) {
    const JobSummary::Counts counts{3, 1, 12};
    EXPECT_EQ(JobSummary::fill("R %1 S %2 F %3 again %1", counts), "R 3 S 1 F 12 again 3");
    EXPECT_EQ(JobSummary::fill("%3%2%1", counts), "1213");
    EXPECT_EQ(JobSummary::fill("none", counts), "none");
}

TEST(JobSummaryTest, CountsInputFilesOfARealJob) {
    ScratchFolder folder;
    tarvex::jobtest::writeBmp(folder / "good.bmp", tarvex::jobtest::solidPicture(40, 30));
    tarvex::jobtest::writeBytes(folder / "broken.png", {1, 2, 3});
    // Every output of a file in a read-only folder fails to be written.
    tarvex::dialogtest::ReadOnlyFolder readOnly;
    tarvex::jobtest::writeBmp(readOnly / "also.bmp", tarvex::jobtest::solidPicture(20, 20));
    readOnly.seal();
    if (!readOnly.ready()) GTEST_SKIP() << readOnly.why();

    util::Sizer sizer;
    sizer.mode = util::MultipleAtOnce;
    sizer.numOfSamples = 2;
    sizer.buildSamples();
    std::vector<std::string> list{folder / "good.bmp", folder / "broken.png", readOnly / "also.bmp"};
    std::mutex lock;
    std::atomic<bool> cancel{false};
    const util::JobReport report = sizer.resizeFiles(list, lock, cancel, nullptr);

    const JobSummary::Counts counts = JobSummary::count(report);
    EXPECT_EQ(counts.resized, 1);
    EXPECT_EQ(counts.skipped, 1);
    EXPECT_EQ(counts.failed, 1) << "two failed writes of one input count once";

    auto localizer = s::lang::LocalizerFactory::create();
    ASSERT_TRUE(JobSummary::hasDetails(report));
    const std::string details = JobSummary::details(report, *localizer);
    const std::size_t skipped = details.find(folder / "broken.png");
    const std::size_t failed = details.find(readOnly / "also.bmp");
    EXPECT_NE(skipped, std::string::npos) << details;
    EXPECT_NE(failed, std::string::npos) << details;
    EXPECT_LT(skipped, failed) << "skipped files come first";
}

}  // namespace
