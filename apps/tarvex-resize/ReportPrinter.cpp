#include "ReportPrinter.h"

namespace s::cli {

void ReportPrinter::print(const s::image::util::JobReport& report, std::ostream& out,
                          std::ostream& err) {
    for (const std::string& path : report.written) out << path << '\n';
    out.flush();
    for (const auto& skipped : report.skipped) {
        err << "tarvex-resize: skipped " << skipped.path << ": " << skipped.reason << '\n';
    }
    for (const auto& failed : report.failed) {
        err << "tarvex-resize: " << failed.path << ": " << failed.reason << '\n';
    }
    if (report.failedWrites > 0) {
        err << "tarvex-resize: " << report.failedWrites
            << (report.failedWrites == 1 ? " output" : " outputs") << " could not be written\n";
    }
}

}  // namespace s::cli
