#include "ui/toolkit/LocalText.h"

#include "shell/lang/Localizer.h"

namespace s::gui {

const std::string& LocalText::resolve(s::lang::Localizer* localizer) {
    if (id_ >= 0) literal_ = localizer ? localizer->text(static_cast<std::uint32_t>(id_)) : "";
    return literal_;
}

}  // namespace s::gui
