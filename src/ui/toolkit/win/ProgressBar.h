// s::gui::win::ProgressBar -- the platform's progress bar (QProgressBar,
// role ProgressBar, its value readable by assistive tools). Range and
// position set before the widget exists are applied when it is created.
#pragma once

#include "ui/toolkit/win/NativeComponent.h"

namespace s::gui::win {

class ProgressBar : public NativeComponent<s::gui::Component> {
    TARVEX_POOLED(ProgressBar, "s_gui_win_ProgressBar")
public:
    void reset() override;

    void setRange(std::int32_t minimum, std::int32_t maximum);
    void setPosition(std::int32_t position);
    std::int32_t minimum() const { return min_; }
    std::int32_t maximum() const { return max_; }
    std::int32_t position() const { return pos_; }
    // Busy display without a known end (range 0..0), or back to the range.
    void setIndeterminate(bool on);

protected:
    QWidget* makeWidget(QWidget* parent) override;
    void applyProperties() override;

private:
    std::int32_t min_ = 0, max_ = 100, pos_ = 0;
    bool indeterminate_ = false;
};

}  // namespace s::gui::win
