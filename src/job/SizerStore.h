// s::job::SizerStore -- the resize options as the desktop program keeps them
// in the settings store, so the window and tarvex-resize share one set of
// preferences.
//
// Layout (below the store's base key):
//   MainWindow\ConvertTo\OneSpecific    ByPixel, PixelWidth, PixelHeight,
//                                       PercentWidth, PercentHeight, KeepRatio,
//                                       StretchMode ("All"/"OnlyEnlarge"/"OnlyShrink")
//   MainWindow\ConvertTo\MultipleAtOnce NumOfSamples, InMaximumRange,
//                                       LimitedPercent, StretchMode
//   MainWindow\View                     ConvertTo: the displayed text of the
//                                       chosen sizing mode, in the interface language
//   Language                            (unnamed) the interface language's English name
// Each sizing mode keeps its own stretch mode. Reading never writes; values
// that are missing or unreadable give the defaults.
#pragma once

#include <cstdint>

#include "job/Sizer.h"
#include "shell/lang/Localizer.h"
#include "shell/map/IMappedData.h"

namespace s::job {

class SizerStore {
public:
    static constexpr char kOneSpecific[] = "MainWindow\\ConvertTo\\OneSpecific";
    static constexpr char kMultipleAtOnce[] = "MainWindow\\ConvertTo\\MultipleAtOnce";
    static constexpr char kView[] = "MainWindow\\View";
    static constexpr char kLanguage[] = "Language";
    // Language-pack ids of the sizing-mode selector's two items.
    static constexpr std::uint32_t kSpecificSizeText = 1102000;
    static constexpr std::uint32_t kVariousSizesText = 1101000;

    // What load() found: the stretch mode each sizing mode keeps.
    struct StretchModes {
        std::int32_t oneSpecific = s::image::util::All;
        std::int32_t multipleAtOnce = s::image::util::All;
        std::int32_t forMode(std::int32_t mode) const {
            return mode == s::image::util::MultipleAtOnce ? multipleAtOnce : oneSpecific;
        }
    };

    // Fills both modes' settings and the chosen sizing mode into sizer (its
    // stretchMode becomes the chosen mode's). The localizer is switched to the
    // stored interface language to recognise the stored selector text.
    static StretchModes load(s::map::IMappedData& store, s::lang::Localizer& localizer,
                             s::image::util::Sizer& sizer);
    // Writes the active sizing mode's keys, as a drop on the window does, and
    // the selector's choice.
    static void save(s::map::IMappedData& store, s::lang::Localizer& localizer,
                     const s::image::util::Sizer& sizer);

    // "All", "OnlyShrink", "OnlyEnlarge" <-> 1, 2, 3 (anything else: "All").
    static const char* stretchName(std::int32_t stretchMode);
    static std::int32_t stretchFromName(std::string_view name);

private:
    static void selectStoredLanguage(s::map::IMappedData& store, s::lang::Localizer& localizer);
};

}  // namespace s::job
