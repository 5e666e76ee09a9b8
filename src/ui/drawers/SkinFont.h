// Combining a control's font with a drawer's text setting.
//
// A drawer's text settings carry only what the drawer or its skin decided
// (marked explicit in the setting: a text colour, an effect, …). Applied to a
// control's font they fill in exactly those attributes, except where the
// control chose the attribute itself:
//
//     FontSetting shown = withSkinSetting(labelFont, textDrawer.setting(TextSetting::Normal));
//
// The result keeps the control's explicit marks, so applying the next skin's
// setting later replaces this skin's choices but never the control's.
#pragma once

#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer {

s::gui::win::FontSetting withSkinSetting(const s::gui::win::FontSetting& controlFont,
                                         const s::gui::win::FontSetting& skinSetting);

}  // namespace s::gui::drawer
