#include "image/filters/scale/GaussianFilter.h"

#include <cmath>

namespace s::image::filters::scale {

const GaussianFilter& GaussianFilter::getDefault() {
    static const GaussianFilter instance;
    return instance;
}

double GaussianFilter::kernelValue(double x) const {
    if (std::fabs(x) > support_) return 0.0;
    return std::exp(-x * x / 2.0) / std::sqrt(kTwoPi);
}

}  // namespace s::image::filters::scale
