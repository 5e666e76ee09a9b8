#include "formats/gif/GifFrame.h"

#include <new>

#include "formats/gif/GifRowSequence.h"
#include "image/ImageLimits.h"

namespace s::image::gif::win {

using s::image::win::BufferedImage;

void GifFrame::reset() {
    width_ = height_ = 0;
    // Pooled frames must not keep the memory of large images.
    std::vector<std::uint8_t>().swap(pixels_);
    colours_.fill(0);
    left_ = top_ = 0;
    transparentIndex_ = -1;
    delay_ = disposal_ = 0;
    decodedPixels_ = 0;
    interlaced_ = false;
}

bool GifFrame::create(std::int32_t width, std::int32_t height) {
    reset();
    if (!s::image::ImageLimits::fits(width, height)) return false;
    try {
        pixels_.assign(std::size_t(width) * std::size_t(height), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    width_ = width;
    height_ = height;
    decodedPixels_ = std::int64_t{width} * height;
    return true;
}

void GifFrame::setDecodedPixels(std::int64_t count, bool interlaced) {
    decodedPixels_ = count;
    interlaced_ = interlaced;
}

std::int32_t GifFrame::decodedWidth(std::int32_t y) const {
    if (isComplete()) return width_;
    const std::int64_t position = GifRowSequence::position(y, height_, interlaced_);
    const std::int64_t wholeRows = decodedPixels_ / width_;
    if (position < wholeRows) return width_;
    if (position == wholeRows) return static_cast<std::int32_t>(decodedPixels_ % width_);
    return 0;
}

BufferedImage* GifFrame::decode(BufferedImage* target,
                                s::thread::Pooled<BufferedImage>& created) const {
    if (width_ <= 0 || height_ <= 0) return nullptr;
    BufferedImage* image = target;
    if (!image) {
        created = BufferedImage::createImage(width_, height_);
        image = created.get();
    } else if (!image->allocate(width_, height_)) {
        image = nullptr;
    }
    if (!image) return nullptr;
    bool transparent = false;
    for (std::int32_t y = 0; y < height_; ++y) {
        const std::uint8_t* indices = getRow(y);
        std::uint32_t* out = image->getPixelRow(y);
        const std::int32_t decoded = decodedWidth(y);
        for (std::int32_t x = 0; x < width_; ++x) {
            const std::uint32_t colour = colours_[indices[x]];
            if (x >= decoded) {
                out[x] = 0;
                transparent = true;
            } else if (indices[x] == transparentIndex_) {
                out[x] = colour;
                transparent = true;
            } else {
                out[x] = colour | 0xFF000000u;
            }
        }
    }
    image->setAlpha(transparent);
    return image;
}

}  // namespace s::image::gif::win
