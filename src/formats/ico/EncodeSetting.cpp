#include "formats/ico/EncodeSetting.h"

#include "formats/ico/Icon.h"
#include "formats/ico/IconImage.h"

namespace s::image::ico {

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

void EncodeSetting::reset() {
    keepTransparency = 1;
    backgroundRed = backgroundGreen = backgroundBlue = 255;
    keepRatio = 1;
    sizes.clear();
    depths.clear();
    layout.clear();
}

BufferedImage* EncodeSetting::squared(BufferedImage& image, std::int32_t size,
                                      Pooled<BufferedImage>& square) const {
    BufferedImage* scaled = image.scaled(size, size, keepRatio != 0);
    if (!scaled) return nullptr;
    const std::int32_t w = scaled->getWidth(), h = scaled->getHeight();
    if (w == size && h == size) return scaled;
    square = BufferedImage::createImage(size, size);
    if (!square) return nullptr;
    square->fill(0, 0, 0, 0);
    square->drawImage((size - w) / 2, (size - h) / 2, w, h, *scaled, 0, 0, false);
    return square.get();
}

bool EncodeSetting::addImage(win::Icon& icon, BufferedImage& image, std::int32_t size,
                             std::int32_t bitCount) const {
    BufferedImage* source = image.getFilteredOrSelf();
    if (!source || size < 1) return false;
    Pooled<BufferedImage> square;
    BufferedImage* fitted = squared(*source, size, square);
    Pooled<win::IconImage> iconImage = win::IconImage::take();
    if (!fitted || !iconImage ||
        !iconImage->fromImage(*fitted, bitCount, keepTransparency != 0, backgroundRed,
                              backgroundGreen, backgroundBlue)) {
        return false;
    }
    return icon.addImage(std::move(iconImage));
}

Pooled<s::image::IEncodedImage> EncodeSetting::encode(BufferedImage& image) {
    if (sizes.empty() || depths.empty()) return nullptr;
    Pooled<win::Icon> icon = win::Icon::take();
    if (!icon) return nullptr;
    for (const std::int32_t size : sizes) {
        for (const std::int32_t depth : depths) {
            if (!addImage(*icon, image, size, depth)) return nullptr;
        }
    }
    return icon;
}

Pooled<s::image::IEncodedImage> EncodeSetting::encodeSet(BufferedImageSet& set) {
    if (layout.empty() || layout.size() != static_cast<std::size_t>(set.getCount())) {
        BufferedImage* largest = set.getLargest();
        return largest ? encode(*largest) : nullptr;
    }
    Pooled<win::Icon> icon = win::Icon::take();
    if (!icon) return nullptr;
    for (std::int32_t i = 0; i < set.getCount(); ++i) {
        const std::int32_t entry = layout[static_cast<std::size_t>(i)];
        BufferedImage* member = set.getImage(i);
        if (!member || !addImage(*icon, *member, layoutWidth(entry), layoutBitCount(entry)))
            return nullptr;
    }
    return icon;
}

}  // namespace s::image::ico
