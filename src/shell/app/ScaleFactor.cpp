#include "shell/app/ScaleFactor.h"

namespace s::app {

std::int32_t ScaleFactor::forScreenSize(std::int32_t width, std::int32_t height) {
    if (width > 4096 && height >= 3240) return 4;
    if (width > 1920 && height >= 1620) return 2;
    return 1;
}

}  // namespace s::app
