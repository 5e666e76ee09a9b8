#include "image/filters/scale/BoxFilter.h"

#include <cmath>

namespace s::image::filters::scale {

const BoxFilter& BoxFilter::getDefault() {
    static const BoxFilter instance;
    return instance;
}

double BoxFilter::kernelValue(double x) const {
    return std::fabs(x) <= support_ ? 1.0 : 0.0;
}

}  // namespace s::image::filters::scale
