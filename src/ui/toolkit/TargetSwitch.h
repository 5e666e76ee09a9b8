// s::gui::events::TargetSwitch -- the common part of Enabler, Disabler,
// Editabler and UnEditabler: one source and a list of target components.
// Created with a source it registers itself as the source's listener for the
// given event kinds; on any event from that source it switches every target
// (apply), events from other sources are ignored. Targets and source are not
// owned; the switch must outlive its registration (windows keep them as
// members or in their pools).
//
//     auto on = s::gui::events::Enabler::take();
//     on->watch(checkBox, {1});           // ticked
//     on->addTarget(textField);
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "foundation/IObject.h"
#include "ui/toolkit/Component.h"
#include "ui/toolkit/IEventListener.h"

namespace s::gui::events {

class TargetSwitch : public IEventListener {
public:
    // Registers this switch with source for each kind.
    void watch(s::gui::Component& source, std::initializer_list<std::int32_t> kinds);
    void addTarget(s::gui::Component& target) { targets_.push_back(&target); }
    const s::base::IObject* source() const { return source_; }
    void onEvent(s::base::IObject& source, std::int32_t kind) override;

protected:
    virtual void apply(s::gui::Component& target) = 0;
    void clearSwitch();

private:
    s::gui::Component* source_ = nullptr;
    std::vector<std::int32_t> kinds_;
    std::vector<s::gui::Component*> targets_;
};

}  // namespace s::gui::events
