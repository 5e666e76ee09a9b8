#include "ui/dialogs/JobSummary.h"

#include <array>

namespace s::image::gui::dialogs::tarvex {

namespace util = s::image::util;

namespace {

// Entries of one input follow each other in the report, in job order.
std::int32_t countInputs(const std::vector<util::JobReport::Skipped>& entries) {
    std::int32_t count = 0;
    const std::string* previous = nullptr;
    for (const auto& entry : entries) {
        if (!previous || *previous != entry.path) ++count;
        previous = &entry.path;
    }
    return count;
}

void appendSection(std::string& out, const std::string& heading,
                   const std::vector<util::JobReport::Skipped>& entries) {
    if (entries.empty()) return;
    if (!out.empty()) out += "\n\n";
    out += heading;
    for (const auto& entry : entries) out += "\n" + entry.path + ": " + entry.reason;
}

}  // namespace

JobSummary::Counts JobSummary::count(const util::JobReport& report) {
    return Counts{report.resizedInputs, countInputs(report.skipped), countInputs(report.failed)};
}

std::string JobSummary::fill(std::string text, const Counts& counts) {
    const std::array<std::int32_t, 3> values{counts.resized, counts.skipped, counts.failed};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string marker = "%" + std::to_string(i + 1);
        const std::string value = std::to_string(values[i]);
        for (std::size_t at = text.find(marker); at != std::string::npos;
             at = text.find(marker, at + value.size())) {
            text.replace(at, marker.size(), value);
        }
    }
    return text;
}

std::string JobSummary::line(const util::JobReport& report, s::lang::Localizer& localizer) {
    return fill(localizer.text(kLineText), count(report));
}

bool JobSummary::hasDetails(const util::JobReport& report) {
    return !report.skipped.empty() || !report.failed.empty();
}

std::string JobSummary::details(const util::JobReport& report, s::lang::Localizer& localizer) {
    std::string out;
    appendSection(out, localizer.text(kSkippedHeading), report.skipped);
    appendSection(out, localizer.text(kFailedHeading), report.failed);
    return out;
}

}  // namespace s::image::gui::dialogs::tarvex
