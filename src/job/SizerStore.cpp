#include "job/SizerStore.h"

#include <strings.h>

#include <string>

#include "shell/lang/SystemLanguage.h"

namespace s::job {

using s::image::util::Sizer;
namespace util = s::image::util;

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

void loadOneSpecific(s::map::IMappedData& store, Sizer& sizer) {
    const char* section = SizerStore::kOneSpecific;
    sizer.byPixel = store.getBool(section, "ByPixel", true);
    sizer.pixelWidth = store.getInt32(section, "PixelWidth", 800);
    sizer.pixelHeight = store.getInt32(section, "PixelHeight", 600);
    sizer.percentWidth = store.getInt32(section, "PercentWidth", 200);
    sizer.percentHeight = store.getInt32(section, "PercentHeight", 200);
    sizer.keepRatio = store.getBool(section, "KeepRatio", true);
}

void loadMultipleAtOnce(s::map::IMappedData& store, Sizer& sizer) {
    const char* section = SizerStore::kMultipleAtOnce;
    sizer.numOfSamples = store.getInt32(section, "NumOfSamples", 10);
    sizer.inMaximumRange = store.getBool(section, "InMaximumRange", false);
    sizer.limitedPercent = store.getInt32(section, "LimitedPercent", 100);
}

}  // namespace

const char* SizerStore::stretchName(std::int32_t stretchMode) {
    switch (stretchMode) {
        case util::OnlyShrink:
            return "OnlyShrink";
        case util::OnlyEnlarge:
            return "OnlyEnlarge";
        default:
            return "All";
    }
}

std::int32_t SizerStore::stretchFromName(std::string_view name) {
    if (equalsIgnoringCase(name, "OnlyShrink")) return util::OnlyShrink;
    if (equalsIgnoringCase(name, "OnlyEnlarge")) return util::OnlyEnlarge;
    return util::All;
}

void SizerStore::selectStoredLanguage(s::map::IMappedData& store, s::lang::Localizer& localizer) {
    localizer.selectLanguage(store.getString(kLanguage, "", s::lang::systemLanguageName()));
}

SizerStore::StretchModes SizerStore::load(s::map::IMappedData& store,
                                          s::lang::Localizer& localizer, Sizer& sizer) {
    loadOneSpecific(store, sizer);
    loadMultipleAtOnce(store, sizer);
    StretchModes stretch;
    stretch.oneSpecific = stretchFromName(store.getString(kOneSpecific, "StretchMode", "All"));
    stretch.multipleAtOnce =
        stretchFromName(store.getString(kMultipleAtOnce, "StretchMode", "All"));

    // The selector's choice is stored as the item's displayed text; a text
    // that matches neither item (another language, nothing stored) selects
    // the first item, one specific size.
    selectStoredLanguage(store, localizer);
    const std::string chosen = store.getString(kView, "ConvertTo", "");
    const bool various = !chosen.empty() && equalsIgnoringCase(chosen, localizer.text(kVariousSizesText));
    sizer.mode = various ? util::MultipleAtOnce : util::OneSpecific;
    sizer.stretchMode = stretch.forMode(sizer.mode);
    return stretch;
}

void SizerStore::save(s::map::IMappedData& store, s::lang::Localizer& localizer,
                      const Sizer& sizer) {
    selectStoredLanguage(store, localizer);
    if (sizer.mode == util::OneSpecific) {
        const char* section = kOneSpecific;
        store.setBool(section, "ByPixel", sizer.byPixel);
        store.setInt32(section, "PixelWidth", sizer.pixelWidth);
        store.setInt32(section, "PixelHeight", sizer.pixelHeight);
        store.setInt32(section, "PercentWidth", sizer.percentWidth);
        store.setInt32(section, "PercentHeight", sizer.percentHeight);
        store.setBool(section, "KeepRatio", sizer.keepRatio);
        store.setString(section, "StretchMode", stretchName(sizer.stretchMode));
        store.setString(kView, "ConvertTo", localizer.text(kSpecificSizeText));
    } else if (sizer.mode == util::MultipleAtOnce) {
        const char* section = kMultipleAtOnce;
        store.setInt32(section, "NumOfSamples", sizer.numOfSamples);
        store.setBool(section, "InMaximumRange", sizer.inMaximumRange);
        store.setInt32(section, "LimitedPercent", sizer.limitedPercent);
        store.setString(section, "StretchMode", stretchName(sizer.stretchMode));
        store.setString(kView, "ConvertTo", localizer.text(kVariousSizesText));
    }
}

}  // namespace s::job
