// s::image::gui::dialogs::tarvex::PanelSettings -- what the options panel's
// controls hold, and the rules that move it between the settings store and
// the Sizer.
//
// The panel's widgets are only a view of this record: restore() fills it
// from the store when the window is built, the widgets copy it back in just
// before a drop is accepted, and apply() turns it into the Sizer of the job
// and writes the active sizing mode's keys (and only those) to the store.
//
// Number fields are kept as the text the user typed. apply() reads a text
// as a signed decimal integer: leading white space and a sign are allowed,
// reading stops at the first other character, and a text without digits
// gives 0 (which makes the sample unusable, so nothing is written). An empty
// text keeps the Sizer's default, which is then stored.
//
//     PanelSettings panel = PanelSettings::restore(store, localizer);
//     ...  // the user edits the controls
//     panel.apply(PanelSettings::kSpecificSize, sizer, store, localizer);
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "job/Sizer.h"
#include "shell/lang/Localizer.h"
#include "shell/map/IMappedData.h"

namespace s::image::gui::dialogs::tarvex {

class PanelSettings {
public:
    // The sizing-mode selector's items, in their order.
    static constexpr std::int32_t kSpecificSize = 0;
    static constexpr std::int32_t kVariousSizes = 1;

    // The three "Enlarge / Shrink" radios of one card.
    struct Stretch {
        bool both = true;
        bool onlyEnlarge = false;
        bool onlyShrink = false;
        // Ticks the radio of a stretch mode (All, OnlyEnlarge, OnlyShrink).
        void tickMode(std::int32_t mode);
        // The first ticked radio's stretch mode, or 0 when none is ticked.
        std::int32_t tickedMode() const;
    };

    // The radios whose partners sit in another row of the same group box,
    // so the panel keeps each pair exclusive itself.
    enum class Radio { ByPixel, ByPercent, MaximumRange, LimitedRange };

    // Card 0, one specific size.
    bool byPixel = true;
    bool byPercent = false;
    std::string pixelWidth = "800";
    std::string pixelHeight = "600";
    std::string percentWidth = "200";
    std::string percentHeight = "200";
    bool keepRatio = true;
    Stretch specificStretch;
    // Card 1, several sizes at once.
    std::string numOfSamples = "10";
    bool maximumRange = false;
    bool limitedRange = true;
    std::string limitedPercent = "100";
    Stretch variousStretch;

    // The controls as the stored settings say (defaults where nothing is stored).
    static PanelSettings restore(s::map::IMappedData& store, s::lang::Localizer& localizer);

    // A click on one of the paired radios: it is ticked and its partner unticked.
    void radioClicked(Radio radio);

    // Resets sizer, fills it from the card of selectorIndex, stores that
    // card's keys and builds the sample lists. Any other index leaves the
    // sizer reset and the store untouched. Always true: the job may start.
    bool apply(std::int32_t selectorIndex, s::image::util::Sizer& sizer,
               s::map::IMappedData& store, s::lang::Localizer& localizer) const;

    // The field's value: its text read as a decimal integer, or fallback when empty.
    static std::int32_t fieldValue(std::string_view text, std::int32_t fallback);

private:
    void applySpecific(s::image::util::Sizer& sizer) const;
    void applyVarious(s::image::util::Sizer& sizer) const;
};

}  // namespace s::image::gui::dialogs::tarvex
