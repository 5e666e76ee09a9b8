// A benchmark aid, off by default: with TARVEX_BENCH_LOG=path the program
// appends to that file the time from process start to the main window
// shown, every new longest stall ("stall_ms"), and at exit the longest stall of the window's event loop, measured
// as the lateness of a 5 ms timer. bench/window/ reads these lines.
#pragma once

#include <QObject>
#include <QElapsedTimer>
#include <QTimer>
#include <string>

class BenchLog : public QObject {
public:
    // Null when TARVEX_BENCH_LOG is not set.
    static BenchLog* fromEnvironment(QObject* parent);
    void windowShown();
    ~BenchLog() override;

private:
    BenchLog(QObject* parent, std::string path);
    void tick();
    void append(const std::string& line);

    std::string path_;
    QTimer timer_;
    QElapsedTimer sinceTick_;
    qint64 longestStallMs_ = 0;
};
