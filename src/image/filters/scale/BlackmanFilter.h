// s::image::filters::scale::BlackmanFilter -- a Blackman window over the support
// (with the 0.42001 constant, so the window stays positive at its edges).
#pragma once

#include "image/filters/scale/IScaleFilter.h"

namespace s::image::filters::scale {

class BlackmanFilter final : public IScaleFilter {
    TARVEX_POOLED(BlackmanFilter, "s_image_filters_scale_BlackmanFilter")
public:
    static constexpr double kDefaultSupport = 0.5;

    // The process-wide instance with the default support, created on first use.
    static const BlackmanFilter& getDefault();

    void reset() override { support_ = kDefaultSupport; }
    double kernelValue(double x) const override;
    double getSupport() const override { return support_; }
    void setSupport(double support) override { support_ = support; }

private:
    double support_ = kDefaultSupport;
};

}  // namespace s::image::filters::scale
