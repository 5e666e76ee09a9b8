// The sixteen colour themes of the "ThinWindow" skin family, in their list
// order ("White" first, the fallback for unknown names; "Classic LG" is the
// About window's default).
#pragma once

#include <span>
#include <string_view>

#include "ui/drawers/ThemeColours.h"

namespace s::gui::drawer {

struct NamedTheme {
    std::string_view name;
    ThemeColours colours;
};

std::span<const NamedTheme> thinWindowThemes();

}  // namespace s::gui::drawer
