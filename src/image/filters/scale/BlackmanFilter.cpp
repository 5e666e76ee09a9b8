#include "image/filters/scale/BlackmanFilter.h"

#include <cmath>

namespace s::image::filters::scale {

const BlackmanFilter& BlackmanFilter::getDefault() {
    static const BlackmanFilter instance;
    return instance;
}

double BlackmanFilter::kernelValue(double x) const {
    if (std::fabs(x) > support_) return 0.0;
    // The window spans the 2s + 1 taps of the support, so its period is 2s.
    const double period = (2.0 * support_ + 1.0) - 1.0;
    return 0.42001 + 0.5 * std::cos(kTwoPi * x / period) +
           0.08 * std::cos(2.0 * kTwoPi * x / period);
}

}  // namespace s::image::filters::scale
