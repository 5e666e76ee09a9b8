// s::cli::ReportPrinter -- what tarvex-resize tells its user after a job:
// every written output on standard output, one path per line (so the list
// can feed other programs), and skipped inputs and failed writes on standard
// error, each with its reason.
#pragma once

#include <ostream>

#include "job/Sizer.h"

namespace s::cli {

class ReportPrinter {
public:
    static void print(const s::image::util::JobReport& report, std::ostream& out,
                      std::ostream& err);
};

}  // namespace s::cli
