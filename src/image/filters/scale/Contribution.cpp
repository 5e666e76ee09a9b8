#include "image/filters/scale/Contribution.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace s::image::filters::scale {

void Contribution::reset() {
    destCount_ = 0;
    windowSize_ = 0;
    recordSize_ = 0;
    records_.clear();
}

bool Contribution::compute(const IScaleFilter& kernel, std::int32_t destLength,
                           std::int32_t sourceLength) {
    reset();
    if (destLength < 1 || sourceLength < 1) return false;
    const double scale = static_cast<double>(static_cast<std::uint32_t>(destLength)) /
                         static_cast<double>(static_cast<std::uint32_t>(sourceLength));
    double support = kernel.getSupport();
    double fscale = 1.0;
    if (scale < 1.0) {
        // Shrinking: the kernel is stretched over 1 / scale source pixels and
        // its values are scaled down to keep the total weight.
        support /= scale;
        fscale = scale;
    }
    const double window = 2.0 * std::ceil(support) + 1.0;
    if (!(window >= 1.0) || window > static_cast<double>(INT32_MAX / 4 - 2)) return false;
    const std::int32_t windowSize = static_cast<std::int32_t>(window);
    const std::size_t recordInts = static_cast<std::size_t>(windowSize) + 2;
    try {
        records_.assign(recordInts * static_cast<std::size_t>(destLength), 0);
        std::vector<double> scratch(static_cast<std::size_t>(windowSize));
        windowSize_ = windowSize;
        recordSize_ = 4 * windowSize + 8;
        destCount_ = destLength;
        for (std::int32_t i = 0; i < destLength; ++i)
            fillRecord(kernel, i, scale, support, fscale, sourceLength, scratch.data());
    } catch (const std::bad_alloc&) {
        reset();
        return false;
    }
    return true;
}

void Contribution::fillRecord(const IScaleFilter& kernel, std::int32_t i, double scale,
                              double support, double fscale, std::int32_t sourceLength,
                              double* weight) {
    // Destination index i sits at source position i / scale: both edges are
    // aligned on pixel 0 rather than on pixel centres.
    const double centre = static_cast<double>(i) / scale;
    const std::int64_t left =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor(centre - support)));
    std::int64_t right = std::min<std::int64_t>(
        static_cast<std::int64_t>(std::ceil(centre + support)), sourceLength - 1);
    std::int64_t first = left;
    double total = 0.0;
    bool found = false;
    for (std::int64_t j = left; j <= right; ++j) {
        const double w = kernel.kernelValue((centre - static_cast<double>(j)) * fscale);
        // A positive run longer than the window cannot occur for these
        // kernels; ending it there keeps the record inside its slot anyway.
        if (w > 0.0 && j - first < windowSize_) {
            weight[j - first] = w * fscale;
            total += w * fscale;
            found = true;
        } else if (found) {
            right = j - 1;  // a non-positive value after positive ones ends the window
            break;
        } else {
            first = j + 1;  // leading non-positive values are skipped
        }
    }
    if (!found) {
        // Nothing weighs in: copy the last source pixel at the far edge,
        // otherwise the pixel at the window's left end.
        if (right == sourceLength - 1) {
            first = right;
            weight[0] = 1.0;
        } else {
            first = right = left;
            weight[0] = 0.0;
        }
    }
    std::int32_t* out = records_.data() + static_cast<std::size_t>(i) * (recordSize_ / 4);
    out[0] = static_cast<std::int32_t>(first);
    out[1] = static_cast<std::int32_t>(right);
    const std::int64_t used = right - first + 1;
    for (std::int64_t k = 0; k < used; ++k) {
        const double normalised = total > 0.0 ? weight[k] / total : weight[k];
        out[2 + k] = static_cast<std::int32_t>(normalised * 65536.0);  // truncates toward zero
    }
}

}  // namespace s::image::filters::scale
