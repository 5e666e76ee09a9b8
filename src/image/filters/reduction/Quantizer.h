// s::image::filters::reduction::Quantizer -- octree colour quantizer (eight
// levels, deepest level reduced first, a weighted merge below 16 colours,
// nearest-colour mapping by squared RGB distance). Memory stays small for
// any image: the tree never holds more than max(16, colours) + 1 leaves.
//
// An image whose hasAlpha flag is false counts as opaque throughout, whatever
// its alpha bytes hold; otherwise fully transparent pixels are left out of
// the palette and every pixel with alpha below 255 maps to the transparency
// slot getColourCount().
#pragma once

#include <cstdint>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "image/BufferedImage.h"

namespace s::image::filters::reduction {

class Quantizer : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(Quantizer, "s_image_filters_reduction_Quantizer")
public:
    Quantizer();
    ~Quantizer() override;
    void reset() override;

    // Builds a palette of at most `colours` entries (clamped to 1..256) from
    // the image's pixels; fully transparent pixels are ignored. False when
    // memory for the tree cannot be had.
    bool build(const s::image::win::BufferedImage& image, std::int32_t colours);
    // Palette entries 0x00RRGGBB; callers copy getColourCount() of them.
    const std::uint32_t* getPalette() const { return palette_; }
    std::int32_t getColourCount() const { return colourCount_; }
    // One palette index per pixel; pixels whose alpha is not 255 get index
    // getColourCount() (the transparency slot). Packs 8 or 4 bits per pixel
    // (first pixel in the high nibble; an index is cut to the field's width).
    void mapRow(const std::uint8_t* source, std::int32_t width, std::uint8_t* destination,
                std::int32_t bitsPerPixel) const;
    // Number of palette entries build() filled with colours of the image.
    std::int32_t getFilledCount() const { return filled_; }

private:
    struct Node;
    struct Impl;

    void insert(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    void reduce();
    void buildPalette();
    void fillPalette();
    std::uint32_t nearestIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;

    Impl* impl_ = nullptr;
    std::uint32_t palette_[256] = {};
    std::int16_t channels_[256][3] = {};  // red, green, blue of the filled entries
    std::int32_t colourCount_ = 16;
    std::int32_t filled_ = 0;
    bool opaque_ = false;
};

}  // namespace s::image::filters::reduction
