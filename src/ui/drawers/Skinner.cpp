#include "ui/drawers/Skinner.h"

#include <algorithm>

#include "ui/drawers/ThinWindowThemes.h"
#include "ui/drawers/skin/ThinWindow.h"

namespace s::gui::drawer {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

}  // namespace

s::thread::Pooled<Skinner> Skinner::newThinWindowSkinner() {
    auto skinner = Skinner::take();
    if (!skinner) return skinner;
    skinner->setFamily(std::string(kThinWindowFamily));
    for (const NamedTheme& theme : thinWindowThemes()) {
        skinner->addSkin(skin::ThinWindow::build(std::string(theme.name), theme.colours));
    }
    return skinner;
}

void Skinner::reset() {
    current_ = nullptr;
    skins_.clear();  // releases every skin to its pool
    names_.clear();
    listeners_.clear();
    family_ = std::string(kBasicFamily);
}

void Skinner::addSkin(s::thread::Pooled<ISkin> skin) {
    if (!skin) return;
    names_.push_back(skin->name());
    skins_.push_back(std::move(skin));
}

ISkin* Skinner::skinAt(std::int32_t index) const {
    if (index < 0 || index >= skinCount()) return nullptr;
    return skins_[static_cast<std::size_t>(index)].get();
}

std::int32_t Skinner::findSkin(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (equalsIgnoringCase(names_[i], name)) return static_cast<std::int32_t>(i);
    }
    return -1;
}

void Skinner::selectSkin(std::string_view name) {
    const std::int32_t found = findSkin(name);
    ISkin* chosen = skinAt(found >= 0 ? found : 0);
    if (chosen == nullptr || chosen == current_) return;
    current_ = chosen;
    notifyListeners();
}

void Skinner::addListener(s::gui::events::IEventListener* listener) {
    if (listener == nullptr) return;
    if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) return;
    listeners_.push_back(listener);
}

void Skinner::removeListener(s::gui::events::IEventListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void Skinner::notifyListeners() {
    // A listener may add or remove listeners while it is told: walk a copy
    // and skip those removed in the meantime.
    const std::vector<s::gui::events::IEventListener*> snapshot = listeners_;
    for (s::gui::events::IEventListener* listener : snapshot) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) continue;
        listener->onEvent(*this, kSkinChanged);
    }
}

}  // namespace s::gui::drawer
