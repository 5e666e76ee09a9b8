#include "BenchLog.h"

#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

constexpr int kTickMs = 5;

// Milliseconds since this process started, from the kernel's start time.
double millisecondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string content((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t close = content.rfind(')');
    if (close == std::string::npos) return -1;
    // Field 22 (starttime) counted after the command name's closing parenthesis.
    std::size_t at = close + 2;
    for (int field = 3; field < 22 && at < content.size(); ++field) {
        at = content.find(' ', at);
        if (at == std::string::npos) return -1;
        ++at;
    }
    const double startTicks = std::strtod(content.c_str() + at, nullptr);
    timespec now {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace

BenchLog* BenchLog::fromEnvironment(QObject* parent) {
    const char* path = std::getenv("TARVEX_BENCH_LOG");
    if (!path || !*path) return nullptr;
    return new BenchLog(parent, path);
}

BenchLog::BenchLog(QObject* parent, std::string path) : QObject(parent), path_(std::move(path)) {
    timer_.setInterval(kTickMs);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
}

void BenchLog::windowShown() {
    append("shown_ms " + std::to_string(millisecondsSinceProcessStart()));
    sinceTick_.start();
    timer_.start();
}

void BenchLog::tick() {
    const qint64 late = sinceTick_.restart() - kTickMs;
    if (late > longestStallMs_) {
        longestStallMs_ = late;
        // Written as it grows, so a reader need not wait for the exit.
        append("stall_ms " + std::to_string(longestStallMs_));
    }
}

BenchLog::~BenchLog() { append("longest_stall_ms " + std::to_string(longestStallMs_)); }

void BenchLog::append(const std::string& line) {
    if (FILE* file = std::fopen(path_.c_str(), "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}
