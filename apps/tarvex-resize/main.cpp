// tarvex-resize: the command-line twin of a drop on the Drop Box. Parses the
// options into a Sizer, runs the job over the given paths on a worker thread
// (as the desktop window does), shows its progress and lists what it wrote.
// Exit status: 0 all outputs written, 1 some output not written, 2 usage
// error, 130 cancelled.
#include <atomic>
#include <csignal>
#include <iostream>
#include <mutex>
#include <string>
#include <vector>

#include <unistd.h>

#include <cstdio>

#include "CancelSignals.h"
#include "CommandLine.h"
#include "EventPrinter.h"
#include "ReportPrinter.h"
#include "TerminalProgress.h"
#include "job/ResizeTask.h"
#include "job/SizerStore.h"
#include "shell/lang/LocalizerFactory.h"
#include "shell/reg/MappedData.h"
#include "shell/reg/StoreLocation.h"
#include "job/Sizer.h"
#include "job/Thread.h"

namespace {

constexpr int kExitAllWritten = 0;
constexpr int kExitWriteFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitCancelled = 130;

// Runs the job through the same worker thread and task as the desktop
// window, with the events going to the terminal and/or stdout.
s::image::util::JobReport runJob(const s::image::util::Sizer& sizer,
                                 const s::cli::CommandLine& commandLine,
                                 std::atomic<bool>& cancel) {
    std::vector<std::string> jobList = commandLine.paths();
    std::mutex jobLock;
    s::cli::EventPrinter printer(stdout);
    s::cli::TerminalProgress progress(stderr);
    s::cli::EventFanOut events(commandLine.switches().events ? &printer : nullptr,
                               isatty(STDERR_FILENO) ? &progress : nullptr);

    s::job::ResizeTask task(jobList, jobLock, cancel, sizer);
    task.setEventSink(&events);
    task.setThreads(commandLine.threads());
    s::thread::win::Thread worker;
    worker.start(task);
    worker.wait();
    return task.lastReport();
}

// Fills sizer from the stored preferences (unless --no-store), then lets the
// command line override them. A stretch mode not given on the command line
// is the one the chosen sizing mode keeps.
void applyOptions(const std::vector<std::string>& arguments, s::cli::CommandLine& commandLine,
                  s::image::util::Sizer& sizer) {
    s::job::SizerStore::StretchModes stretch;
    const bool useStore = !commandLine.switches().noStore;
    const bool save = commandLine.switches().save;
    s::thread::Pooled<s::reg::MappedData> store;
    s::thread::Pooled<s::lang::Localizer> localizer;
    if (useStore || save) {
        store = s::reg::MappedData::open(s::reg::StoreLocation::kSaveDataKey);
        localizer = s::lang::LocalizerFactory::create();
    }
    if (useStore && store && localizer) stretch = s::job::SizerStore::load(*store, *localizer, sizer);

    constexpr std::int32_t kNotGiven = 0;
    sizer.stretchMode = kNotGiven;
    commandLine.parse(arguments, sizer);
    if (sizer.stretchMode == kNotGiven) sizer.stretchMode = stretch.forMode(sizer.mode);

    if (save && store && localizer) s::job::SizerStore::save(*store, *localizer, sizer);
}

}  // namespace

int main(int argc, char** argv) {
    // A file-size limit must make the write fail (and be reported), not kill
    // the program in the middle of an output.
    std::signal(SIGXFSZ, SIG_IGN);

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    s::image::util::Sizer sizer;
    s::cli::CommandLine commandLine;
    // A first pass finds usage errors, --help, --version and the switches
    // before anything is read from or written to the store.
    s::image::util::Sizer scratch;
    switch (commandLine.parse(arguments, scratch)) {
        case s::cli::CommandLine::Action::Help:
            std::cout << s::cli::CommandLine::usage();
            return kExitAllWritten;
        case s::cli::CommandLine::Action::Version:
            std::cout << "tarvex-resize " << TARVEX_VERSION << '\n';
            return kExitAllWritten;
        case s::cli::CommandLine::Action::UsageError:
            std::cerr << "tarvex-resize: " << commandLine.error() << '\n'
                      << "Try 'tarvex-resize --help' for more information.\n";
            return kExitUsage;
        case s::cli::CommandLine::Action::Run:
            break;
    }

    applyOptions(arguments, commandLine, sizer);
    sizer.buildSamples();
    std::atomic<bool> cancel{false};
    const s::cli::CancelSignals cancelOnSignal(cancel);
    const s::image::util::JobReport report = runJob(sizer, commandLine, cancel);
    s::cli::ReportPrinter::print(report, std::cout, std::cerr);
    if (report.cancelled) return kExitCancelled;
    return report.failedWrites > 0 ? kExitWriteFailed : kExitAllWritten;
}
