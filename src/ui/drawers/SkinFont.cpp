#include "ui/drawers/SkinFont.h"

namespace s::gui::drawer {

using s::gui::win::FontSetting;

FontSetting withSkinSetting(const FontSetting& controlFont, const FontSetting& skinSetting) {
    FontSetting result = controlFont;
    // What the skin decided and the control did not.
    const std::uint32_t take = skinSetting.explicitAttributes & ~controlFont.explicitAttributes;
    if (take & FontSetting::Face) result.face = skinSetting.face;
    if (take & FontSetting::Height) result.height = skinSetting.height;
    if (take & FontSetting::Width) result.width = skinSetting.width;
    if (take & FontSetting::Weight) result.weight = skinSetting.weight;
    if (take & FontSetting::Italic) result.italic = skinSetting.italic;
    if (take & FontSetting::Underline) result.underline = skinSetting.underline;
    if (take & FontSetting::StrikeOut) result.strikeOut = skinSetting.strikeOut;
    if (take & FontSetting::Smoothing) result.smoothing = skinSetting.smoothing;
    if (take & FontSetting::TextColour) result.textColour = skinSetting.textColour;
    if (take & FontSetting::SecondColour) result.secondColour = skinSetting.secondColour;
    if (take & FontSetting::ThirdColour) result.thirdColour = skinSetting.thirdColour;
    if (take & FontSetting::Effect) result.effect = skinSetting.effect;
    return result;
}

}  // namespace s::gui::drawer
