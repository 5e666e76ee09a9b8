// s::image::filters::scale::BilinearFilter -- the triangle kernel: weight s - |x|
// inside the support s, so neighbours blend linearly with distance.
#pragma once

#include "image/filters/scale/IScaleFilter.h"

namespace s::image::filters::scale {

class BilinearFilter final : public IScaleFilter {
    TARVEX_POOLED(BilinearFilter, "s_image_filters_scale_BilinearFilter")
public:
    static constexpr double kDefaultSupport = 1.0;

    // The process-wide instance with the default support, created on first use.
    static const BilinearFilter& getDefault();

    void reset() override { support_ = kDefaultSupport; }
    double kernelValue(double x) const override;
    double getSupport() const override { return support_; }
    void setSupport(double support) override { support_ = support; }

private:
    double support_ = kDefaultSupport;
};

}  // namespace s::image::filters::scale
