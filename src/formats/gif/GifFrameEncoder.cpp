#include "formats/gif/GifFrameEncoder.h"

#include <algorithm>

#include "image/filters/reduction/Quantizer.h"

namespace s::image::gif::win {

using s::image::filters::reduction::Quantizer;
using s::image::win::BufferedImage;
using s::thread::Pooled;

Pooled<GifFrame> GifFrameEncoder::encode(const BufferedImage& image, std::int32_t bitCount,
                                         bool keepTransparency, std::uint8_t red,
                                         std::uint8_t green, std::uint8_t blue,
                                         std::uint8_t alphaThreshold) {
    const std::int32_t colours = (1 << std::clamp(bitCount, 1, 8)) - 1;
    Pooled<BufferedImage> prepared;
    if (!prepare(image, keepTransparency, red, green, blue, alphaThreshold, prepared)) {
        return nullptr;
    }
    const BufferedImage& used = prepared ? *prepared : image;
    Pooled<GifFrame> frame = GifFrame::take();
    if (!frame || !frame->create(used.getWidth(), used.getHeight())) return nullptr;
    if (image.hasAlpha() && keepTransparency) frame->setTransparentIndex(colours);
    if (!quantize(used, colours, *frame)) return nullptr;
    return frame;
}

bool GifFrameEncoder::prepare(const BufferedImage& image, bool keepTransparency, std::uint8_t red,
                              std::uint8_t green, std::uint8_t blue, std::uint8_t alphaThreshold,
                              Pooled<BufferedImage>& prepared) {
    if (!image.hasAlpha()) return true;
    if (keepTransparency) {
        prepared = image.copy();
        if (!prepared) return false;
        prepared->thresholdAlpha(alphaThreshold);
        prepared->paintTransparent(red, green, blue);
        return true;
    }
    prepared = BufferedImage::createImage(image.getWidth(), image.getHeight());
    if (!prepared) return false;
    prepared->fill(255, red, green, blue);
    // drawImage only reads the source; it is not const because it may scale.
    prepared->drawImage(0, 0, image.getWidth(), image.getHeight(),
                        const_cast<BufferedImage&>(image), 0, 0, false);
    return true;
}

bool GifFrameEncoder::quantize(const BufferedImage& image, std::int32_t colours, GifFrame& frame) {
    Pooled<Quantizer> quantizer = Quantizer::take();
    if (!quantizer || !quantizer->build(image, colours)) return false;
    const std::uint32_t* palette = quantizer->getPalette();
    for (std::int32_t i = 0; i < colours; ++i) frame.setColour(i, palette[i]);
    // Pixels that are not opaque map to index `colours`, the transparent one.
    for (std::int32_t y = 0; y < image.getHeight(); ++y) {
        quantizer->mapRow(image.getRow(y), image.getWidth(), frame.getRow(y), 8);
    }
    return true;
}

}  // namespace s::image::gif::win
