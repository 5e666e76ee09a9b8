// Components with a fake native seam: they count how often their "native
// widget" is moved, so tests can see what the layouts do to the platform.
#pragma once

#include "ui/toolkit/Container.h"

namespace s::gui::testing {

class FakeLeaf final : public Component {
    TARVEX_POOLED(FakeLeaf, "s_gui_testing_FakeLeaf")
public:
    static s::thread::Pooled<FakeLeaf> sized(std::int32_t minW, std::int32_t minH, std::int32_t natW = -1,
                                  std::int32_t natH = -1) {
        auto leaf = take();
        leaf->setContentMin(minW, minH);
        leaf->setNatural(natW < 0 ? minW : natW, natH < 0 ? minH : natH);
        return leaf;
    }
    void reset() override {
        Component::reset();
        moves = 0;
        native = false;
    }
    int moves = 0;
    bool native = false;

protected:
    bool hasNative() const override { return native; }
    bool createNative() override { return native = true; }
    void destroyNative() override { native = false; }
    void nativeSetGeometry(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
        ++moves;
    }
};

class FakeBox final : public Container {
    TARVEX_POOLED(FakeBox, "s_gui_testing_FakeBox")
public:
    void reset() override {
        Container::reset();
        moves = 0;
        native = false;
    }
    int moves = 0;
    bool native = false;

protected:
    bool hasNative() const override { return native; }
    bool createNative() override { return native = true; }
    void destroyNative() override { native = false; }
    void nativeSetGeometry(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
        ++moves;
    }
};

}  // namespace s::gui::testing
