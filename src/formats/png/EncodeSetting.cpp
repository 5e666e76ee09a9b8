#include "formats/png/EncodeSetting.h"

#include "formats/png/Png.h"

namespace s::image::png {

using s::thread::Pooled;

void EncodeSetting::reset() {
    keepTransparency = true;
    withInterlace = true;
    red = green = blue = 255;
}

Pooled<s::image::IEncodedImage> EncodeSetting::encode(s::image::win::BufferedImage& image) {
    s::image::win::BufferedImage* source = image.getFilteredOrSelf();
    if (!source) return nullptr;
    Pooled<win::Png> png = win::Png::take();
    if (!png || !png->fromImage(*source, withInterlace, keepTransparency, red, green, blue)) {
        return nullptr;
    }
    return png;
}

Pooled<s::image::IEncodedImage> EncodeSetting::encodeSet(s::image::win::BufferedImageSet& set) {
    s::image::win::BufferedImage* largest = set.getLargest();
    return largest ? encode(*largest) : nullptr;
}

}  // namespace s::image::png
