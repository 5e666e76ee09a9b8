#include "formats/png/EncodeSetting.h"

#include "formats/png/Png.h"
#include "image/BufferedImageSet.h"

namespace s::image::png {

using s::thread::Pooled;

namespace {

// A new Png holding the image (its filtered result when it has filters)
// with the setting's values; null when there is nothing to encode.
Pooled<win::Png> encodePng(const EncodeSetting& setting, s::image::win::BufferedImage& image) {
    s::image::win::BufferedImage* source = image.getFilteredOrSelf();
    if (!source) return nullptr;
    Pooled<win::Png> png = win::Png::take();
    if (!png || !png->fromImage(*source, setting.withInterlace, setting.keepTransparency,
                                setting.red, setting.green, setting.blue)) {
        return nullptr;
    }
    return png;
}

}  // namespace

void EncodeSetting::reset() {
    keepTransparency = true;
    withInterlace = true;
    red = green = blue = 255;
}

Pooled<s::image::IEncodedImage> EncodeSetting::encode(s::image::win::BufferedImage& image) {
    return encodePng(*this, image);
}

Pooled<s::image::IEncodedImage> EncodeSetting::encodeSet(s::image::win::BufferedImageSet& set) {
    s::image::win::BufferedImage* largest = set.getLargest();
    Pooled<win::Png> png = largest ? encodePng(*this, *largest) : nullptr;
    if (png) png->setColourProfile(set.getColourProfile());
    return png;
}

}  // namespace s::image::png
