// s::gui::drawer::Skinner -- the skins of one drawer family, the current
// one, and the windows and controls to tell when the current skin changes.
//
//     s::thread::Pooled<Skinner> skinner = Skinner::newThinWindowSkinner();
//     skinner->addListener(&window);      // not owned; remove before it dies
//     skinner->selectSkin("classic lg");  // letter case does not matter
//     IButton* drawer = skinner->currentSkin()->buttonDrawer();
//
// Guarantees: skins are kept in the order added and owned by the skinner;
// selectSkin with an unknown name selects the first skin; listeners hear
// onEvent(skinner, 0), in registration order, only when the current skin
// actually changed. No skin is current before the first selectSkin (an empty
// skinner never has one). A listener may remove itself while it is told.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "ui/drawers/ISkin.h"
#include "ui/toolkit/IEventListener.h"

namespace s::gui::drawer {

class Skinner : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(Skinner, "s_gui_drawer_Skinner")
public:
    static constexpr std::string_view kBasicFamily = "Basic";
    static constexpr std::string_view kThinWindowFamily = "ThinWindow";
    // The event kind listeners receive on a change of the current skin.
    static constexpr std::int32_t kSkinChanged = 0;

    Skinner() = default;
    Skinner(const Skinner&) = delete;
    Skinner& operator=(const Skinner&) = delete;

    // A skinner of the family "ThinWindow" holding its sixteen themes in list order.
    static s::thread::Pooled<Skinner> newThinWindowSkinner();

    // Releases every skin, forgets names, current skin and listeners; family "Basic".
    void reset() override;

    const std::string& family() const { return family_; }
    void setFamily(std::string family) { family_ = std::move(family); }

    // Appends the skin (taking it over) and its name. A null skin is ignored.
    void addSkin(s::thread::Pooled<ISkin> skin);
    std::int32_t skinCount() const { return static_cast<std::int32_t>(skins_.size()); }
    ISkin* skinAt(std::int32_t index) const;
    const std::vector<std::string>& names() const { return names_; }

    // Index of the first skin whose whole name equals `name` ignoring ASCII
    // letter case, or -1.
    std::int32_t findSkin(std::string_view name) const;
    void selectSkin(std::string_view name);
    ISkin* currentSkin() const { return current_; }

    // Adding a listener twice or removing an unknown one does nothing.
    void addListener(s::gui::events::IEventListener* listener);
    void removeListener(s::gui::events::IEventListener* listener);
    void notifyListeners();

private:
    std::string family_{kBasicFamily};
    std::vector<s::thread::Pooled<ISkin>> skins_;
    std::vector<std::string> names_;
    ISkin* current_ = nullptr;
    std::vector<s::gui::events::IEventListener*> listeners_;
};

}  // namespace s::gui::drawer
