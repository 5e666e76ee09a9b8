// s::gui::drawer::ThemeColours -- the fifteen colours a skin's drawers are
// built from, in their fixed order (a theme table row lists them 1..15).
#pragma once

#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer {

struct ThemeColours {
    s::gui::Rgb background;   // 1: window background, second colour of normal text, menu
    s::gui::Rgb windowFrame;  // 2: window frame line
    s::gui::Rgb disabled;     // 3: disabled button frame and caption, disabled text
    s::gui::Rgb line;         // 4: frame lines of the controls; link-hover text
    s::gui::Rgb groupLine;    // 5: group box frame
    s::gui::Rgb normalText;   // 6: normal and link text, captions, titles
    s::gui::Rgb outlineText;  // 7: third colour of the normal text setting
    s::gui::Rgb barFill;      // 8: scroll bar and slider
    s::gui::Rgb activeFill;   // 9: switched-on button fill, list header, list selection
    s::gui::Rgb activeText;   // 10: switched-on caption, list header text, selected row text
    s::gui::Rgb listFill;     // 11: list background
    s::gui::Rgb listText;     // 12: list text
    s::gui::Rgb listFill2;    // 13: list's second row colour
    s::gui::Rgb counter1;     // 14: counter plate
    s::gui::Rgb counter2;     // 15: counter digits
};

}  // namespace s::gui::drawer
