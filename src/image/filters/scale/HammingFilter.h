// s::image::filters::scale::HammingFilter -- a sinc kernel under a Hamming window
// (0.54 + 0.46 cos 2πx), zero beyond the support.
#pragma once

#include "image/filters/scale/IScaleFilter.h"

namespace s::image::filters::scale {

class HammingFilter final : public IScaleFilter {
    TARVEX_POOLED(HammingFilter, "s_image_filters_scale_HammingFilter")
public:
    static constexpr double kDefaultSupport = 0.5;

    // The process-wide instance with the default support, created on first use.
    static const HammingFilter& getDefault();

    void reset() override { support_ = kDefaultSupport; }
    double kernelValue(double x) const override;
    double getSupport() const override { return support_; }
    void setSupport(double support) override { support_ = support; }

private:
    double support_ = kDefaultSupport;
};

}  // namespace s::image::filters::scale
