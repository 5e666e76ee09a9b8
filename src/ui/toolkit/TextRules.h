// s::gui::TextRules -- how texts of controls are prepared and measured:
// ampersand doubling before a text goes to a platform control that would
// otherwise take "&x" as a keyboard shortcut, and the size rules of check
// boxes, radio buttons and group boxes from a measured text extent and the
// display scale d (1, 2 or 4).
//   check box:  w = cy / k * d + cx + cy (k = 6 when d < 2, else 4),
//               h = cy (+ 3d when d >= 2, + 1 more when d == 2);
//               multi-line: measured wrapped, both widths + h + h / 6 * d.
//   radio:      w = cx + 18d (d < 2) or cx + 24d, h = cy.
//   group box:  margins 4/4/(th + 1)/4, min width max(tw + 24, 8 + content).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/toolkit/Extent.h"

namespace s::gui {

class TextRules {
public:
    // Every "&" doubled, so the platform shows it as itself.
    static std::string doubleAmpersands(std::string_view text);
    // Trims ASCII white space and no-break spaces (U+00A0) at both ends, as
    // accessible names are made from visible texts.
    static std::string accessibleName(std::string_view text);

    static Extent checkBox(Extent text, std::int32_t scale);
    static Extent multiLineCheckBox(Extent wrappedText, std::int32_t scale);
    static Extent radioButton(Extent text, std::int32_t scale);
    static std::int32_t groupBoxMinWidth(std::int32_t titleWidth, std::int32_t contentMinWidth);
    static std::int32_t groupBoxMinHeight(std::int32_t titleHeight,
                                          std::int32_t contentMinHeight);
};

}  // namespace s::gui
