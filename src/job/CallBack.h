// s::archive::CallBack -- the progress model behind a status bar: a status
// text and a progress bar with a range and a position.
//
// Progress controls keep their values in 16 bits; ProcessStatusProgress
// scales a job's totals down by halving until they fit. Totals above
// 16777215 are beyond what the model passes on: the bar is left untouched.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace s::archive {

// Where the model's values go (a progress-bar widget, a terminal line, a test).
class IProgressBar {
public:
    virtual ~IProgressBar() = default;
    virtual void setRange(std::int64_t low, std::int64_t high) = 0;
    virtual void setPosition(std::int64_t position) = 0;
};

class IStatusLabel {
public:
    virtual ~IStatusLabel() = default;
    virtual void setText(const std::string& text) = 0;
};

class CallBack {
public:
    static constexpr std::int64_t kLargestTotal = 0xFFFFFF;

    void attach(IStatusLabel* label, IProgressBar* bar) {
        label_ = label;
        bar_ = bar;
    }
    void setLog(std::vector<std::string>* log) { log_ = log; }

    void setTotal(std::int64_t n);
    void setCompleted(std::int64_t n);
    void setText(const std::string& text);
    std::int64_t getTotal() const { return total_; }
    std::int64_t getCompleted() const { return completed_; }

    // Back to the detached state (no label, no bar, no log).
    void reset();

private:
    IStatusLabel* label_ = nullptr;
    IProgressBar* bar_ = nullptr;
    std::int64_t total_ = 0;
    std::int64_t completed_ = 0;
    std::vector<std::string>* log_ = nullptr;
};

// What a status bar does with the job's three events.
class ProcessStatusProgress {
public:
    explicit ProcessStatusProgress(CallBack& model) : model_(model) {}

    // Busy layout: range 0 … 1000, position 0.
    void onStart();
    // Ignored while cancelling; otherwise halves total and index until the
    // total fits 15 bits, then range 0 … t + 1, position k + 1, and the text.
    void onUpdate(std::int32_t total, std::int32_t index, const std::string& fileName,
                  bool cancelling);
    // Range 0 … 1, position 1, the idle text.
    void onEnd(const std::string& readyText);

private:
    CallBack& model_;
};

}  // namespace s::archive
