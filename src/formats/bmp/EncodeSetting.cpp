#include "formats/bmp/EncodeSetting.h"

#include "formats/bmp/Bitmap.h"

namespace s::image::bmp {

s::thread::Pooled<s::image::IEncodedImage> EncodeSetting::encode(
    s::image::win::BufferedImage& image) {
    s::image::win::BufferedImage* source = image.getFilteredOrSelf();
    if (!source) return nullptr;
    s::thread::Pooled<win::Bitmap> bitmap = win::Bitmap::take();
    if (!bitmap || !bitmap->fromImage(*source, bitCount, keepTransparency != 0, backgroundRed,
                                      backgroundGreen, backgroundBlue)) {
        return nullptr;
    }
    return bitmap;
}

s::thread::Pooled<s::image::IEncodedImage> EncodeSetting::encodeSet(
    s::image::win::BufferedImageSet& set) {
    s::image::win::BufferedImage* largest = set.getLargest();
    if (!largest) return nullptr;
    return encode(*largest);
}

}  // namespace s::image::bmp
