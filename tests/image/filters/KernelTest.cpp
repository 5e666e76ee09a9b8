#include <gtest/gtest.h>

#include <cmath>

#include "image/filters/scale/BilinearFilter.h"
#include "image/filters/scale/BlackmanFilter.h"
#include "image/filters/scale/BoxFilter.h"
#include "image/filters/scale/GaussianFilter.h"
#include "image/filters/scale/HammingFilter.h"
#include "image/filters/scale/Resampler.h"

namespace {

using namespace s::image::filters::scale;

struct KernelPoint {
    std::int32_t kind;
    double x;
    double expected;
};

// Values at the centre, inside, on the edge of and just beyond each default support.
const KernelPoint kPoints[] = {
    {1, 0.0, 1.0},  {1, 0.25, 0.75},     {1, -0.5, 0.5},       {1, 1.0, 0.0},
    {1, -1.5, 0.0}, {2, 0.0, 1.0},       {2, 0.5, 1.0},        {2, -0.5, 1.0},
    {2, 0.51, 0.0}, {3, 0.0, 1.0},       {3, 0.25, 0.4861708}, {3, -0.5, 0.0509296},
    {3, 0.51, 0.0}, {4, 0.0, 1.00001},   {4, 0.25, 0.34001},   {4, -0.5, 0.00001},
    {4, 0.6, 0.0},  {5, 0.0, 0.3989423}, {5, -1.0, 0.2419707}, {5, 3.0, 0.0044318},
    {5, 3.01, 0.0},
};

TEST(KernelTest, ValuesOfTheDefaultKernels) {
    for (const KernelPoint& p : kPoints) {
        const IScaleFilter& kernel = Resampler::defaultKernel(p.kind);
        EXPECT_NEAR(kernel.kernelValue(p.x), p.expected, 5e-7) << "kind " << p.kind << " x " << p.x;
    }
}

TEST(KernelTest, DefaultSupportsAndUnknownKindIsBilinear) {
    const double supports[] = {1.0, 0.5, 0.5, 0.5, 3.0};
    for (std::int32_t kind = 1; kind <= 5; ++kind)
        EXPECT_EQ(Resampler::defaultKernel(kind).getSupport(), supports[kind - 1]) << kind;
    EXPECT_EQ(&Resampler::defaultKernel(0), &Resampler::defaultKernel(1));
    EXPECT_EQ(&Resampler::defaultKernel(6), &BilinearFilter::getDefault());
}

TEST(KernelTest, SupportIsAdjustableAndPoolResetRestoresIt) {
    auto kernel = BlackmanFilter::take();
    ASSERT_TRUE(kernel);
    kernel->setSupport(2.0);
    // With support 2 the window's period is 4: cos(π/2) = 0, cos(π) = -1.
    EXPECT_NEAR(kernel->kernelValue(1.0), 0.34001, 1e-12);
    EXPECT_GT(kernel->kernelValue(1.5), 0.0);
    kernel->reset();
    EXPECT_EQ(kernel->getSupport(), 0.5);
    EXPECT_EQ(kernel->kernelValue(1.0), 0.0);
}

}  // namespace
