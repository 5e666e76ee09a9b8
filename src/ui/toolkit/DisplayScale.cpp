#include "ui/toolkit/DisplayScale.h"

#include <atomic>

namespace s::gui {
namespace {
std::atomic<std::int32_t> factor{1};
}

std::int32_t DisplayScale::get() { return factor.load(std::memory_order_relaxed); }

void DisplayScale::set(std::int32_t value) {
    if (value == 1 || value == 2 || value == 4) factor.store(value, std::memory_order_relaxed);
}

}  // namespace s::gui
