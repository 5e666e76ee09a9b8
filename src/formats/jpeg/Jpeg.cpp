#include "formats/jpeg/Jpeg.h"

#include <exception>

#include "formats/jpeg/EncodeSetting.h"
#include "formats/jpeg/JpegDecoder.h"
#include "formats/jpeg/JpegEncoder.h"

namespace s::image::jpg::win {

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

void Jpeg::reset() {
    quality_ = kDefaultQuality;
    pixels_.reset();
    message_.clear();
}

std::int32_t Jpeg::getWidth() const {
    return pixels_ ? pixels_->getWidth() : 0;
}

std::int32_t Jpeg::getHeight() const {
    return pixels_ ? pixels_->getHeight() : 0;
}

BufferedImage* Jpeg::decode(std::int32_t, BufferedImage* target, Pooled<BufferedImage>& created) {
    if (!pixels_) return nullptr;
    BufferedImage* out = target;
    Pooled<BufferedImage> fresh;
    if (!out) {
        fresh = BufferedImage::take();
        out = fresh.get();
    }
    if (!out || !pixels_->copyInto(*out)) return nullptr;
    out->setAlpha(false);
    if (fresh) created = std::move(fresh);
    return out;
}

Pooled<BufferedImageSet> Jpeg::decodeAll() {
    Pooled<BufferedImageSet> set = BufferedImageSet::take();
    if (!set) return set;
    Pooled<BufferedImage> image;
    if (decode(0, nullptr, image)) set->add(std::move(image), 24, 0, 0);
    return set;
}

bool Jpeg::readFrom(s::io::IInputStream& stream) {
    pixels_.reset();
    message_.clear();
    try {
        pixels_ = JpegDecoder::decode(stream, message_);
    } catch (const std::exception& e) {
        // Only memory can run out on our side of the library boundary.
        pixels_.reset();
        message_ = e.what();
    }
    return pixels_ != nullptr;
}

bool Jpeg::writeTo(s::io::IOutputStream& stream) {
    if (!pixels_) return false;
    try {
        return JpegEncoder::encode(*pixels_, quality_, stream, message_);
    } catch (const std::exception& e) {
        message_ = e.what();
        return false;
    }
}

Pooled<s::image::IEncodedImage> Jpeg::encodeSet(BufferedImageSet& set) {
    BufferedImage* largest = set.getLargest();
    return largest ? encodeImage(*largest) : nullptr;
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
    Pooled<BufferedImage> picture;
    if (image.hasAlpha()) {
        picture = BufferedImage::createImage(image.getWidth(), image.getHeight());
        if (picture) {
            picture->fill(255, red, green, blue);
            picture->drawImage(0, 0, image.getWidth(), image.getHeight(), image, 0, 0, false);
        }
    } else {
        picture = image.copy();
    }
    if (picture) picture->makeOpaque();
    pixels_ = std::move(picture);
    quality_ = quality;
    return pixels_ != nullptr;
}

}  // namespace s::image::jpg::win
