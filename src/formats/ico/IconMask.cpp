#include "formats/ico/IconMask.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace s::image::ico {

bool IconMask::allocate(std::int32_t width, std::int32_t height) {
    clear();
    if (width < 1 || height < 1) return false;
    const std::int32_t stride = strideFor(width);
    try {
        bits_.assign(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    width_ = width;
    height_ = height;
    stride_ = stride;
    return true;
}

void IconMask::clear() {
    std::vector<std::uint8_t>().swap(bits_);
    width_ = height_ = stride_ = 0;
}

void IconMask::read(const std::uint8_t* data, std::size_t available) {
    std::fill(bits_.begin(), bits_.end(), 0);
    if (data) std::memcpy(bits_.data(), data, std::min(available, bits_.size()));
}

std::uint8_t* IconMask::getRow(std::int32_t y) {
    return bits_.data() + static_cast<std::size_t>(height_ - y - 1) * stride_;
}

const std::uint8_t* IconMask::getRow(std::int32_t y) const {
    return bits_.data() + static_cast<std::size_t>(height_ - y - 1) * stride_;
}

bool IconMask::isSet(std::int32_t x, std::int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    return (getRow(y)[x >> 3] & (0x80 >> (x & 7))) != 0;
}

void IconMask::fromAlpha(const s::image::win::BufferedImage& image) {
    std::fill(bits_.begin(), bits_.end(), 0);
    if (!image.hasAlpha() || image.getWidth() != width_ || image.getHeight() != height_) return;
    for (std::int32_t y = 0; y < height_; ++y) {
        const std::uint32_t* pixels = image.getPixelRow(y);
        std::uint8_t* row = getRow(y);
        for (std::int32_t x = 0; x < width_; ++x) {
            if ((pixels[x] >> 24) == 0) row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        }
    }
}

bool IconMask::applyTo(s::image::win::BufferedImage& image) const {
    if (image.getWidth() != width_ || image.getHeight() != height_) return false;
    bool any = false;
    for (std::int32_t y = 0; y < height_; ++y) {
        std::uint32_t* pixels = image.getPixelRow(y);
        const std::uint8_t* row = getRow(y);
        for (std::int32_t x = 0; x < width_; ++x) {
            const bool transparent = (row[x >> 3] & (0x80 >> (x & 7))) != 0;
            any = any || transparent;
            pixels[x] = (pixels[x] & 0x00FFFFFFu) | (transparent ? 0u : 0xFF000000u);
        }
    }
    return any;
}

}  // namespace s::image::ico
