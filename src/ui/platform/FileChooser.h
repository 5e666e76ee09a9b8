// s::platform::qt::FileChooser -- the "Open Images" dialog: picks any number
// of image files (.jpg .jpeg .png .gif .bmp .ico), titled and filtered in the
// current language. Returns the chosen local paths in the dialog's order;
// empty when the user cancels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class QWidget;

namespace s::lang {
class Localizer;
}

namespace s::platform::qt {

class FileChooser {
public:
    static constexpr std::uint32_t kTitleId = 609600;
    static constexpr std::uint32_t kFilterNameId = 609610;
    static constexpr char kPatterns[] = "*.jpg *.jpeg *.png *.gif *.bmp *.ico";

    static std::vector<std::string> openImages(QWidget* parent, s::lang::Localizer& localizer);
    // "Images (*.jpg ...)" in the localizer's language.
    static std::string filter(s::lang::Localizer& localizer);
};

}  // namespace s::platform::qt
