#include "image/filters/scale/HammingFilter.h"

#include <cmath>

namespace s::image::filters::scale {

const HammingFilter& HammingFilter::getDefault() {
    static const HammingFilter instance;
    return instance;
}

double HammingFilter::kernelValue(double x) const {
    if (std::fabs(x) > support_) return 0.0;
    const double window = 0.54 + 0.46 * std::cos(kTwoPi * x);
    if (x == 0.0) return window;
    const double angle = kPi * x;
    return window * std::sin(angle) / angle;
}

}  // namespace s::image::filters::scale
