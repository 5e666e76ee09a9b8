#include "TerminalProgress.h"

#include <string>

namespace s::cli {

using s::job::JobEvent;

std::string TerminalProgress::formatDuration(std::chrono::seconds seconds) {
    const long long total = seconds.count() < 0 ? 0 : seconds.count();
    const long long hours = total / 3600, minutes = total / 60 % 60, secs = total % 60;
    char text[32];
    if (hours > 0)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", hours, minutes, secs);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", minutes, secs);
    return text;
}

void TerminalProgress::onJobEvent(const JobEvent& event) {
    if (event.name == JobEvent::kStart) {
        started_ = Clock::now();
        return;
    }
    if (event.name == JobEvent::kEnd) {
        std::fputs("\r\x1b[K", out_);  // clear the progress line
        std::fflush(out_);
        return;
    }
    const long long total = event.argument1 > 0 ? event.argument1 : 1;
    const long long index = event.argument2;
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - started_);
    std::string remaining = "?";
    if (index > 0)
        remaining = formatDuration(std::chrono::seconds(elapsed.count() * (total - index) / index));
    std::fprintf(out_, "\r\x1b[K%s  sample %lld of %lld  %lld%%  elapsed %s  remaining %s",
                 event.text ? event.text->c_str() : "", index + 1, total, index * 100 / total,
                 formatDuration(elapsed).c_str(), remaining.c_str());
    std::fflush(out_);
}

}  // namespace s::cli
