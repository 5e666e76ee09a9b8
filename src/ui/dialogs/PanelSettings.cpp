#include "ui/dialogs/PanelSettings.h"

#include "job/SizerStore.h"
#include "shell/text/DecimalText.h"

namespace s::image::gui::dialogs::tarvex {

namespace util = s::image::util;
using s::job::SizerStore;

void PanelSettings::Stretch::tickMode(std::int32_t mode) {
    *this = Stretch{mode == util::All, mode == util::OnlyEnlarge, mode == util::OnlyShrink};
}

std::int32_t PanelSettings::Stretch::tickedMode() const {
    if (both) return util::All;
    if (onlyEnlarge) return util::OnlyEnlarge;
    if (onlyShrink) return util::OnlyShrink;
    return 0;
}

PanelSettings PanelSettings::restore(s::map::IMappedData& store, s::lang::Localizer& localizer) {
    util::Sizer sizer;
    const SizerStore::StretchModes stretch = SizerStore::load(store, localizer, sizer);

    PanelSettings panel;
    panel.byPixel = sizer.byPixel;
    panel.byPercent = !sizer.byPixel;
    panel.pixelWidth = std::to_string(sizer.pixelWidth);
    panel.pixelHeight = std::to_string(sizer.pixelHeight);
    panel.percentWidth = std::to_string(sizer.percentWidth);
    panel.percentHeight = std::to_string(sizer.percentHeight);
    panel.keepRatio = sizer.keepRatio;
    panel.numOfSamples = std::to_string(sizer.numOfSamples);
    panel.maximumRange = sizer.inMaximumRange;
    panel.limitedRange = !sizer.inMaximumRange;
    panel.limitedPercent = std::to_string(sizer.limitedPercent);
    // A stored name that is none of the three reads as "All", the radios'
    // state as built.
    panel.specificStretch.tickMode(stretch.oneSpecific);
    panel.variousStretch.tickMode(stretch.multipleAtOnce);
    return panel;
}

void PanelSettings::radioClicked(Radio radio) {
    switch (radio) {
        case Radio::ByPixel:
            byPixel = true;
            byPercent = false;
            break;
        case Radio::ByPercent:
            byPercent = true;
            byPixel = false;
            break;
        case Radio::MaximumRange:
            maximumRange = true;
            limitedRange = false;
            break;
        case Radio::LimitedRange:
            limitedRange = true;
            maximumRange = false;
            break;
    }
}

std::int32_t PanelSettings::fieldValue(std::string_view text, std::int32_t fallback) {
    return text.empty() ? fallback : s::str::DecimalText::toInt32(text);
}

void PanelSettings::applySpecific(util::Sizer& sizer) const {
    sizer.mode = util::OneSpecific;
    sizer.byPixel = byPixel;
    sizer.pixelWidth = fieldValue(pixelWidth, sizer.pixelWidth);
    sizer.pixelHeight = fieldValue(pixelHeight, sizer.pixelHeight);
    sizer.percentWidth = fieldValue(percentWidth, sizer.percentWidth);
    sizer.percentHeight = fieldValue(percentHeight, sizer.percentHeight);
    sizer.keepRatio = keepRatio;
    if (const std::int32_t mode = specificStretch.tickedMode()) sizer.stretchMode = mode;
}

void PanelSettings::applyVarious(util::Sizer& sizer) const {
    sizer.keepRatio = true;
    sizer.mode = util::MultipleAtOnce;
    sizer.numOfSamples = fieldValue(numOfSamples, sizer.numOfSamples);
    sizer.inMaximumRange = maximumRange;
    sizer.limitedPercent = fieldValue(limitedPercent, sizer.limitedPercent);
    if (const std::int32_t mode = variousStretch.tickedMode()) sizer.stretchMode = mode;
}

bool PanelSettings::apply(std::int32_t selectorIndex, util::Sizer& sizer,
                          s::map::IMappedData& store, s::lang::Localizer& localizer) const {
    sizer.reset();
    const char* section = nullptr;
    bool stretchTicked = false;
    if (selectorIndex == kSpecificSize) {
        applySpecific(sizer);
        section = SizerStore::kOneSpecific;
        stretchTicked = specificStretch.tickedMode() != 0;
    } else if (selectorIndex == kVariousSizes) {
        applyVarious(sizer);
        section = SizerStore::kMultipleAtOnce;
        stretchTicked = variousStretch.tickedMode() != 0;
    }
    if (section) {
        // With no stretch radio ticked the stored stretch mode stays as it was.
        const bool hadStretch = store.valueExists(section, "StretchMode");
        const std::string oldStretch = store.getString(section, "StretchMode", "");
        SizerStore::save(store, localizer, sizer);
        if (!stretchTicked) {
            if (hadStretch) {
                store.setString(section, "StretchMode", oldStretch);
            } else {
                store.deleteValue(section, "StretchMode");
            }
        }
    }
    sizer.buildSamples();
    return true;
}

}  // namespace s::image::gui::dialogs::tarvex
