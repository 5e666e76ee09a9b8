#include "formats/jpeg/EncodeSetting.h"

#include "formats/jpeg/Jpeg.h"

namespace s::image::jpg {

using s::thread::Pooled;

void EncodeSetting::reset() {
    quality = win::Jpeg::kDefaultQuality;
    red = green = blue = 255;
}

Pooled<s::image::IEncodedImage> EncodeSetting::encode(s::image::win::BufferedImage& image) {
    s::image::win::BufferedImage* source = image.getFilteredOrSelf();
    if (!source) return nullptr;
    Pooled<win::Jpeg> jpeg = win::Jpeg::take();
    if (!jpeg || !jpeg->fromImage(*source, quality, red, green, blue)) return nullptr;
    return jpeg;
}

Pooled<s::image::IEncodedImage> EncodeSetting::encodeSet(s::image::win::BufferedImageSet& set) {
    s::image::win::BufferedImage* largest = set.getLargest();
    return largest ? encode(*largest) : nullptr;
}

}  // namespace s::image::jpg
