#include "formats/png/Png.h"

#include <exception>

#include "formats/png/EncodeSetting.h"
#include "formats/png/PngDecoder.h"
#include "formats/png/PngEncoder.h"

namespace s::image::png::win {

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

void Png::reset() {
    interlace_ = false;
    pixels_.reset();
    message_.clear();
}

std::int32_t Png::getWidth() const {
    return pixels_ ? pixels_->getWidth() : 0;
}

std::int32_t Png::getHeight() const {
    return pixels_ ? pixels_->getHeight() : 0;
}

void Png::settleAlpha(BufferedImage& image) {
    bool anyVisible = false;
    bool anyTranslucent = false;
    for (std::int32_t y = 0; y < image.getHeight(); ++y) {
        const std::uint8_t* row = image.getRow(y);
        for (std::int32_t x = 0; x < image.getWidth(); ++x) {
            const std::uint8_t alpha = row[x * 4 + 3];
            anyVisible |= alpha != 0;
            anyTranslucent |= alpha != 255;
        }
    }
    // An alpha channel of zeros only is one the writer did not use: the
    // picture is shown opaque rather than not at all.
    if (anyVisible) {
        image.setAlpha(anyTranslucent);
    } else {
        image.makeOpaque();
    }
}

BufferedImage* Png::decode(std::int32_t, BufferedImage* target, Pooled<BufferedImage>& created) {
    if (!pixels_) return nullptr;
    BufferedImage* out = target;
    Pooled<BufferedImage> fresh;
    if (!out) {
        fresh = BufferedImage::take();
        out = fresh.get();
    }
    if (!out || !pixels_->copyInto(*out)) return nullptr;
    settleAlpha(*out);
    if (fresh) created = std::move(fresh);
    return out;
}

Pooled<BufferedImageSet> Png::decodeAll() {
    Pooled<BufferedImageSet> set = BufferedImageSet::take();
    if (!set) return set;
    Pooled<BufferedImage> image;
    if (decode(0, nullptr, image)) set->add(std::move(image), 32, 0, 0);
    return set;
}

bool Png::readFrom(s::io::IInputStream& stream) {
    pixels_.reset();
    message_.clear();
    try {
        pixels_ = PngDecoder::decode(stream, message_);
    } catch (const std::exception& e) {
        // Only memory can run out on our side of the library boundary.
        pixels_.reset();
        message_ = e.what();
    }
    return pixels_ != nullptr;
}

bool Png::writeTo(s::io::IOutputStream& stream) {
    if (!pixels_) return false;
    try {
        return PngEncoder::encode(*pixels_, interlace_, stream, message_);
    } catch (const std::exception& e) {
        message_ = e.what();
        return false;
    }
}

Pooled<s::image::IEncodedImage> Png::encodeSet(BufferedImageSet& set) {
    BufferedImage* largest = set.getLargest();
    return largest ? encodeImage(*largest) : nullptr;
}

Pooled<s::image::IEncodedImage> Png::encodeImage(BufferedImage& image) {
    Pooled<EncodeSetting> setting = EncodeSetting::take();
    if (!setting) return nullptr;
    setting->keepTransparency = true;
    setting->withInterlace = true;
    return setting->encode(image);
}

bool Png::create(std::int32_t width, std::int32_t height) {
    pixels_ = BufferedImage::createImage(width, height);
    return pixels_ != nullptr;
}

bool Png::fromImage(BufferedImage& image, bool interlace, bool keepTransparency, std::uint8_t red,
                    std::uint8_t green, std::uint8_t blue) {
    Pooled<BufferedImage> picture;
    if (image.hasAlpha() && !keepTransparency) {
        picture = BufferedImage::createImage(image.getWidth(), image.getHeight());
        if (picture) {
            picture->fill(255, red, green, blue);
            picture->drawImage(0, 0, image.getWidth(), image.getHeight(), image, 0, 0, false);
        }
    } else {
        picture = image.copy();
        // Without hasAlpha the alpha bytes mean nothing; written as they
        // are, stale bytes would make an opaque picture invisible.
        if (picture && !image.hasAlpha()) picture->makeOpaque();
    }
    pixels_ = std::move(picture);
    interlace_ = interlace;
    return pixels_ != nullptr;
}

}  // namespace s::image::png::win
