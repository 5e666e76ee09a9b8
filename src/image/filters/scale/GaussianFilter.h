// s::image::filters::scale::GaussianFilter -- the normal density exp(-x²/2)/√(2π),
// cut off beyond the support.
#pragma once

#include "image/filters/scale/IScaleFilter.h"

namespace s::image::filters::scale {

class GaussianFilter final : public IScaleFilter {
    TARVEX_POOLED(GaussianFilter, "s_image_filters_scale_GaussianFilter")
public:
    static constexpr double kDefaultSupport = 3.0;

    // The process-wide instance with the default support, created on first use.
    static const GaussianFilter& getDefault();

    void reset() override { support_ = kDefaultSupport; }
    double kernelValue(double x) const override;
    double getSupport() const override { return support_; }
    void setSupport(double support) override { support_ = support; }

private:
    double support_ = kDefaultSupport;
};

}  // namespace s::image::filters::scale
