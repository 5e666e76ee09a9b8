#include "formats/gif/EncodeSetting.h"

#include <new>

#include "formats/gif/Gif.h"
#include "formats/gif/GifFrameEncoder.h"

namespace s::image::gif {

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

Pooled<s::image::IEncodedImage> EncodeSetting::encode(BufferedImage& image) {
    BufferedImage* source = image.getFilteredOrSelf();
    if (!source) return nullptr;
    Pooled<win::Gif> gif = win::Gif::take();
    if (!gif ||
        !gif->fromImage(*source, bitCount, keepTransparency != 0, backgroundRed, backgroundGreen,
                        backgroundBlue, win::GifFrameEncoder::kAlphaThreshold)) {
        return nullptr;
    }
    return gif;
}

Pooled<s::image::IEncodedImage> EncodeSetting::encodeSet(BufferedImageSet& set) {
    try {
        return encodeAnimation(set);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

Pooled<s::image::IEncodedImage> EncodeSetting::encodeAnimation(BufferedImageSet& set) {
    if (set.getCount() <= 1 || !set.isAnimated()) {
        BufferedImage* largest = set.getLargest();
        return largest ? encode(*largest) : nullptr;
    }
    Pooled<win::Gif> gif = win::Gif::take();
    if (!gif || !gif->fromImageSet(set, bitCount, keepTransparency != 0, backgroundRed,
                                   backgroundGreen, backgroundBlue)) {
        return nullptr;
    }
    return gif;
}

}  // namespace s::image::gif
