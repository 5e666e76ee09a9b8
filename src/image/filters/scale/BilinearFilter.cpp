#include "image/filters/scale/BilinearFilter.h"

#include <cmath>

namespace s::image::filters::scale {

const BilinearFilter& BilinearFilter::getDefault() {
    static const BilinearFilter instance;
    return instance;
}

double BilinearFilter::kernelValue(double x) const {
    const double distance = std::fabs(x);
    return distance < support_ ? support_ - distance : 0.0;
}

}  // namespace s::image::filters::scale
