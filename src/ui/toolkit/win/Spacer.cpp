#include "ui/toolkit/win/Spacer.h"

namespace s::gui::win {

s::thread::Pooled<Spacer> Spacer::make(std::int32_t w, std::int32_t h) {
    auto spacer = take();
    spacer->setFixedSize(w, h);
    return spacer;
}

}  // namespace s::gui::win
