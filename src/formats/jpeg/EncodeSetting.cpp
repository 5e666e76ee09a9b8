#include "formats/jpeg/EncodeSetting.h"

#include "formats/jpeg/Jpeg.h"
#include "image/BufferedImageSet.h"

namespace s::image::jpg {

using s::thread::Pooled;

namespace {

// A new Jpeg holding the image (its filtered result when it has filters)
// with the setting's values; null when there is nothing to encode.
Pooled<win::Jpeg> encodeJpeg(const EncodeSetting& setting, s::image::win::BufferedImage& image) {
    s::image::win::BufferedImage* source = image.getFilteredOrSelf();
    if (!source) return nullptr;
    Pooled<win::Jpeg> jpeg = win::Jpeg::take();
    if (!jpeg ||
        !jpeg->fromImage(*source, setting.quality, setting.red, setting.green, setting.blue)) {
        return nullptr;
    }
    return jpeg;
}

}  // namespace

void EncodeSetting::reset() {
    quality = win::Jpeg::kDefaultQuality;
    red = green = blue = 255;
}

Pooled<s::image::IEncodedImage> EncodeSetting::encode(s::image::win::BufferedImage& image) {
    return encodeJpeg(*this, image);
}

Pooled<s::image::IEncodedImage> EncodeSetting::encodeSet(s::image::win::BufferedImageSet& set) {
    s::image::win::BufferedImage* largest = set.getLargest();
    Pooled<win::Jpeg> jpeg = largest ? encodeJpeg(*this, *largest) : nullptr;
    if (jpeg) jpeg->setColourProfile(set.getColourProfile());
    return jpeg;
}

}  // namespace s::image::jpg
