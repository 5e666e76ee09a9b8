#include "ui/toolkit/TargetSwitch.h"

#include "ui/toolkit/Component.h"

namespace s::gui::events {

void TargetSwitch::watch(s::gui::Component& source, std::initializer_list<std::int32_t> kinds) {
    source_ = &source;
    for (std::int32_t kind : kinds) {
        kinds_.push_back(kind);
        source.addListener(kind, this);
    }
}

void TargetSwitch::onEvent(s::base::IObject& source, std::int32_t) {
    if (&source != static_cast<s::base::IObject*>(source_)) return;
    for (s::gui::Component* target : targets_) apply(*target);
}

void TargetSwitch::clearSwitch() {
    if (source_)
        for (std::int32_t kind : kinds_) source_->removeListener(kind, this);
    source_ = nullptr;
    kinds_.clear();
    targets_.clear();
}

}  // namespace s::gui::events
