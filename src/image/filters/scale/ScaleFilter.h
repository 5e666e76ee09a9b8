// s::image::filters::scale::ScaleFilter -- the resizing filter. It carries a
// target size (pixels or percent of the source), whether to keep the
// source's aspect ratio, and the kernel that weighs source pixels.
//
// apply() never gives a side below 1 pixel; with limit it leaves images that
// would grow (limit 1) or shrink (limit 2) at their size (a plain copy); with
// centreOnCanvas the result is exactly width x height pixels, the scaled
// image centred on a transparent white canvas and cut off where it is larger.
#pragma once

#include <cstdint>

#include "image/filters/IFilter.h"
#include "image/filters/scale/IScaleFilter.h"

namespace s::image::filters::scale {

enum class Kernel : std::int32_t { Bilinear = 1, Box = 2, Hamming = 3, Blackman = 4, Gaussian = 5 };

class ScaleFilter : public IFilter {
    TARVEX_POOLED(ScaleFilter, "s_image_filters_scale_ScaleFilter")
public:
    static constexpr char kName[] = "SCALE";  // an array: one address everywhere

    ScaleFilter() { reset(); }
    void reset() override;

    const char* getName() const override { return kName; }
    bool isOwnedByImage() const override { return ownedByImage; }
    void setOwnedByImage(bool owned) override { ownedByImage = owned; }
    s::image::win::BufferedImage* apply(
        s::image::win::BufferedImage& input, s::image::win::BufferedImage* output,
        s::thread::Pooled<s::image::win::BufferedImage>& created) override;

    // The size apply() gives an input of w0 x h0 (each side at least 1).
    void targetSize(std::int32_t w0, std::int32_t h0, std::int32_t& tw, std::int32_t& th) const;

    // Settings. Fields marked "kept" keep the previous user's value on reset;
    // whoever takes a filter from the pool sets them.
    bool ownedByImage = true;
    bool keepRatio = true;  // kept
    bool centreOnCanvas = false;
    bool widthInPixels = true;   // kept
    bool heightInPixels = true;  // kept
    std::int32_t width = 0;      // kept
    std::int32_t height = 0;     // kept
    std::int32_t kernel = 1;     // kept; values outside 1..5 act as bilinear
    std::int32_t limit = 0;      // 0 none, 1 only shrink, 2 only enlarge
    std::int32_t sourceWidth = 1;
    std::int32_t sourceHeight = 1;
    std::int32_t resultWidth = 1;
    std::int32_t resultHeight = 1;

private:
    // Whether the limit (or an unchanged size) makes the result a plain copy.
    bool keepsSourceSize(std::int32_t tw, std::int32_t th) const;
    s::image::win::BufferedImage* applyPlain(s::image::win::BufferedImage& input,
                                             s::image::win::BufferedImage& output, std::int32_t tw,
                                             std::int32_t th, const IScaleFilter& weights);
    s::image::win::BufferedImage* applyOnCanvas(s::image::win::BufferedImage& input,
                                                s::image::win::BufferedImage& output,
                                                std::int32_t tw, std::int32_t th,
                                                const IScaleFilter& weights);
};

}  // namespace s::image::filters::scale
