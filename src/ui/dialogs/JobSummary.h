// s::image::gui::dialogs::tarvex::JobSummary -- the status bar's account of
// the job that just ended: how many input files were resized, skipped and
// failed, and on request the list of the files not resized with the reasons.
//
// An input counts as resized when at least one of its outputs was written,
// as failed when at least one of its outputs could not be written (so an
// input can count in both), and as skipped when the job could not use it at
// all. Counts are of input files, not of outputs.
//
//     label.setText(JobSummary::line(task.lastReport(), localizer));
#pragma once

#include <cstdint>
#include <string>

#include "job/Sizer.h"
#include "shell/lang/Localizer.h"

namespace s::image::gui::dialogs::tarvex {

class JobSummary {
public:
    static constexpr std::uint32_t kLineText = 609500;      // "Resized: %1 · Skipped: %2 · Failed: %3"
    static constexpr std::uint32_t kListTitle = 609510;     // "Files Not Resized"
    static constexpr std::uint32_t kSkippedHeading = 609520;
    static constexpr std::uint32_t kFailedHeading = 609530;

    struct Counts {
        std::int32_t resized = 0;
        std::int32_t skipped = 0;
        std::int32_t failed = 0;
    };

    static Counts count(const s::image::util::JobReport& report);
    // The one-line summary for the status bar.
    static std::string line(const s::image::util::JobReport& report,
                            s::lang::Localizer& localizer);
    // Whether there is anything to list (a file skipped or a write failed).
    static bool hasDetails(const s::image::util::JobReport& report);
    // The skipped files and the failed writes, each under its heading, one
    // "path: reason" line per entry.
    static std::string details(const s::image::util::JobReport& report,
                               s::lang::Localizer& localizer);

    // text with "%1", "%2", "%3" replaced by the three counts.
    static std::string fill(std::string text, const Counts& counts);
};

}  // namespace s::image::gui::dialogs::tarvex
