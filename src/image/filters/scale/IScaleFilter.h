// s::image::filters::scale::IScaleFilter -- a resampling kernel: a weight
// function of the distance from a destination pixel's centre, non-zero only
// within its support (half-width, in source pixels at scale 1).
//
// Every kernel kind has one process-wide default instance with its default
// support; the resampler uses those, so they are never modified after
// creation and may be read from any thread.
#pragma once

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"

namespace s::image::filters::scale {

class IScaleFilter : public s::base::IObject, public s::thread::IPoolable {
public:
    static constexpr double kPi = 3.141592653589793;
    static constexpr double kTwoPi = 6.283185307179586;

    // Weight at distance x from the centre (0 outside the support).
    virtual double kernelValue(double x) const = 0;
    virtual double getSupport() const = 0;
    virtual void setSupport(double support) = 0;
};

}  // namespace s::image::filters::scale
