#include "formats/jpeg/Jpeg.h"

#include "formats/jpeg/EncodeSetting.h"
#include "formats/jpeg/JpegDecoder.h"
#include "formats/jpeg/JpegEncoder.h"

namespace s::image::jpg::win {

using s::image::win::BufferedImage;
using s::thread::Pooled;

void Jpeg::reset() {
    quality_ = kDefaultQuality;
    profile_.reset();
    clearPicture();
}

Pooled<BufferedImage> Jpeg::decodePicture(s::io::IInputStream& stream, std::string& message) {
    profile_.reset();
    std::vector<std::uint8_t> icc;
    Pooled<BufferedImage> picture = JpegDecoder::decode(stream, message, icc);
    if (picture && !icc.empty()) {
        auto profile = std::make_shared<s::image::ColourProfile>();
        profile->icc = std::move(icc);
        profile_ = std::move(profile);
    }
    return picture;
}

bool Jpeg::encodePicture(const BufferedImage& picture, s::io::IOutputStream& stream,
                         std::string& message) {
    return JpegEncoder::encode(picture, quality_, profile_ ? &profile_->icc : nullptr, stream,
                               message);
}

Pooled<s::image::win::BufferedImageSet> Jpeg::decodeAll() {
    Pooled<s::image::win::BufferedImageSet> set = SinglePictureCodec::decodeAll();
    if (set && set->getCount() > 0) set->setColourProfile(profile_);
    return set;
}

Pooled<s::image::IEncodedImage> Jpeg::encodeSet(s::image::win::BufferedImageSet& set) {
    Pooled<EncodeSetting> setting = EncodeSetting::take();
    if (!setting) return nullptr;
    setting->quality = kDefaultQuality;
    return setting->encodeSet(set);
}

Pooled<s::image::IEncodedImage> Jpeg::encodeImage(BufferedImage& image) {
    Pooled<EncodeSetting> setting = EncodeSetting::take();
    if (!setting) return nullptr;
    setting->quality = kDefaultQuality;
    return setting->encode(image);
}

bool Jpeg::create(std::int32_t width, std::int32_t height) {
    pixels_ = BufferedImage::createImage(width, height);
    if (pixels_) pixels_->makeOpaque();
    return pixels_ != nullptr;
}

bool Jpeg::fromImage(BufferedImage& image, int quality, std::uint8_t red, std::uint8_t green,
                     std::uint8_t blue) {
    Pooled<BufferedImage> picture =
        image.hasAlpha() ? onBackground(image, red, green, blue) : image.copy();
    if (picture) picture->makeOpaque();
    pixels_ = std::move(picture);
    quality_ = quality;
    return pixels_ != nullptr;
}

}  // namespace s::image::jpg::win
