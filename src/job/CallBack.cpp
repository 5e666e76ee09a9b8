#include "job/CallBack.h"

namespace s::archive {

void CallBack::setTotal(std::int64_t n) {
    total_ = n;
    if (bar_ && n <= kLargestTotal) bar_->setRange(0, n);
}

void CallBack::setCompleted(std::int64_t n) {
    completed_ = n;
    if (bar_ && total_ <= kLargestTotal) bar_->setPosition(n);
}

void CallBack::setText(const std::string& text) {
    if (label_) label_->setText(text);
    if (log_) log_->push_back(text);
}

void CallBack::reset() {
    label_ = nullptr;
    bar_ = nullptr;
    log_ = nullptr;
    total_ = 0;
    completed_ = 0;
}

void ProcessStatusProgress::onStart() {
    model_.setTotal(1000);
    model_.setCompleted(0);
}

void ProcessStatusProgress::onUpdate(std::int32_t total, std::int32_t index,
                                     const std::string& fileName, bool cancelling) {
    if (cancelling) return;
    std::int32_t t = total;
    std::int32_t k = index;
    while (t > 32767) {
        t >>= 1;
        k >>= 1;
    }
    model_.setTotal(static_cast<std::int64_t>(t) + 1);
    model_.setCompleted(static_cast<std::int64_t>(k) + 1);
    model_.setText(fileName);
}

void ProcessStatusProgress::onEnd(const std::string& readyText) {
    model_.setTotal(1);
    model_.setCompleted(1);
    model_.setText(readyText);
}

}  // namespace s::archive
