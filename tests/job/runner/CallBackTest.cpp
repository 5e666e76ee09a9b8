#include "job/CallBack.h"

#include <gtest/gtest.h>

using s::archive::CallBack;
using s::archive::ProcessStatusProgress;

namespace {

struct RecordingBar : s::archive::IProgressBar, s::archive::IStatusLabel {
    std::int64_t low = -1, high = -1, position = -1;
    std::string text;
    void setRange(std::int64_t l, std::int64_t h) override {
        low = l;
        high = h;
    }
    void setPosition(std::int64_t p) override { position = p; }
    void setText(const std::string& t) override { text = t; }
};

}  // namespace

TEST(CallBackTest, UpdatesAreScaledToSixteenBits) {
    struct Case {
        std::int32_t total, index;
        std::int64_t high, position;
    };
    const Case cases[] = {
        {20, 0, 21, 1},
        {32767, 32766, 32768, 32767},
        {32768, 32767, 16385, 16384},
        {70000, 40000, 17501, 10001},
        {2147483647, 2147483646, 32768, 32768},
    };
    for (const Case& c : cases) {
        RecordingBar bar;
        CallBack model;
        model.attach(&bar, &bar);
        ProcessStatusProgress progress(model);
        progress.onUpdate(c.total, c.index, "cat.jpg", false);
        EXPECT_EQ(bar.low, 0) << c.total;
        EXPECT_EQ(bar.high, c.high) << c.total;
        EXPECT_EQ(bar.position, c.position) << c.total;
        EXPECT_EQ(bar.text, "cat.jpg");
    }
}

TEST(CallBackTest, UpdatesWhileCancellingAreIgnoredAndEndReturnsToIdle) {
    RecordingBar bar;
    CallBack model;
    model.attach(&bar, &bar);
    ProcessStatusProgress progress(model);
    progress.onStart();
    EXPECT_EQ(bar.high, 1000);
    EXPECT_EQ(bar.position, 0);
    bar.text = "Canceling..";
    progress.onUpdate(10, 5, "dog.png", true);
    EXPECT_EQ(bar.text, "Canceling..");
    EXPECT_EQ(bar.position, 0);
    progress.onEnd("Ready");
    EXPECT_EQ(bar.high, 1);
    EXPECT_EQ(bar.position, 1);
    EXPECT_EQ(bar.text, "Ready");
}

TEST(CallBackTest, TotalsBeyondTwentyFourBitsLeaveTheBarUntouched) {
    RecordingBar bar;
    CallBack model;
    model.attach(&bar, &bar);
    model.setTotal(16777215);
    model.setCompleted(5);
    EXPECT_EQ(bar.high, 16777215);
    EXPECT_EQ(bar.position, 5);
    model.setTotal(16777216);
    model.setCompleted(6);
    EXPECT_EQ(bar.high, 16777215);
    EXPECT_EQ(bar.position, 5);
    EXPECT_EQ(model.getTotal(), 16777216);
    EXPECT_EQ(model.getCompleted(), 6);
}

TEST(CallBackTest, TextsGoToTheLogWhenThereIsOne) {
    std::vector<std::string> log;
    CallBack model;
    model.setLog(&log);
    model.setText("a");
    model.setText("b");
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
    model.reset();
    model.setText("c");
    EXPECT_EQ(log.size(), 2u);
}
