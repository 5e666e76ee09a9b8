// Components with a fake native seam: they count how often their "native
// widget" is moved, so tests can see what the layouts do to the platform.
#pragma once

#include "ui/toolkit/Container.h"

namespace s::gui::testing {

// The fake native seam over a component or container class: a "widget"
// that exists once created and counts its moves.
template <class Base>
class FakeNative : public Base {
public:
    void reset() override {
        Base::reset();
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

class FakeLeaf final : public FakeNative<Component> {
    TARVEX_POOLED(FakeLeaf, "s_gui_testing_FakeLeaf")
public:
    static s::thread::Pooled<FakeLeaf> sized(std::int32_t minW, std::int32_t minH,
                                             std::int32_t natW = -1, std::int32_t natH = -1) {
        auto leaf = take();
        leaf->setContentMin(minW, minH);
        leaf->setNatural(natW < 0 ? minW : natW, natH < 0 ? minH : natH);
        return leaf;
    }
};

class FakeBox final : public FakeNative<Container> {
    TARVEX_POOLED(FakeBox, "s_gui_testing_FakeBox")
};

}  // namespace s::gui::testing
