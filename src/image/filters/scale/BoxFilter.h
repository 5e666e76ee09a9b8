// s::image::filters::scale::BoxFilter -- the box kernel: weight 1 for |x| <= s, so
// each destination pixel averages the source pixels it covers.
#pragma once

#include "image/filters/scale/IScaleFilter.h"

namespace s::image::filters::scale {

class BoxFilter final : public IScaleFilter {
    TARVEX_POOLED(BoxFilter, "s_image_filters_scale_BoxFilter")
public:
    static constexpr double kDefaultSupport = 0.5;

    // The process-wide instance with the default support, created on first use.
    static const BoxFilter& getDefault();

    void reset() override { support_ = kDefaultSupport; }
    double kernelValue(double x) const override;
    double getSupport() const override { return support_; }
    void setSupport(double support) override { support_ = support; }

private:
    double support_ = kDefaultSupport;
};

}  // namespace s::image::filters::scale
