#include "formats/png/Png.h"

#include <cstddef>
#include <cstdint>

#include "formats/png/EncodeSetting.h"
#include "formats/png/PngDecoder.h"
#include "formats/png/PngEncoder.h"

namespace s::image::png::win {

using s::image::win::BufferedImage;
using s::thread::Pooled;

void Png::reset() {
    interlace_ = false;
    profile_.reset();
    clearPicture();
}

Pooled<BufferedImage> Png::decodePicture(s::io::IInputStream& stream, std::string& message) {
    return PngDecoder::decode(stream, message, profile_);
}

bool Png::encodePicture(const BufferedImage& picture, s::io::IOutputStream& stream,
                        std::string& message) {
    return PngEncoder::encode(picture, interlace_, profile_.get(), stream, message);
}

Pooled<s::image::win::BufferedImageSet> Png::decodeAll() {
    Pooled<s::image::win::BufferedImageSet> set = SinglePictureCodec::decodeAll();
    if (set && set->getCount() > 0) set->setColourProfile(profile_);
    return set;
}

Pooled<s::image::IEncodedImage> Png::encodeSet(s::image::win::BufferedImageSet& set) {
    Pooled<EncodeSetting> setting = EncodeSetting::take();
    if (!setting) return nullptr;
    setting->keepTransparency = true;
    setting->withInterlace = true;
    return setting->encodeSet(set);
}

namespace {

struct AlphaUse {
    bool anyVisible = false;      // some alpha byte above 0
    bool anyTranslucent = false;  // some alpha byte below 255
};

// OR and AND over whole pixels (vectorised by the compiler) instead of
// per-byte tests; the scan ends at the first row by which both are known,
// which for a transparent picture is usually the first.
AlphaUse findAlphaUse(const BufferedImage& image) {
    std::uint32_t anyBits = 0;
    std::uint32_t allBits = 0xFFFFFFFFu;
    const auto width = static_cast<std::size_t>(image.getWidth());
    for (std::int32_t y = 0; y < image.getHeight(); ++y) {
        const std::uint32_t* row = image.getPixelRow(y);
        for (std::size_t x = 0; x < width; ++x) {
            anyBits |= row[x];
            allBits &= row[x];
        }
        if ((anyBits >> 24) != 0 && (allBits >> 24) != 0xFF) break;
    }
    return {(anyBits >> 24) != 0, (allBits >> 24) != 0xFF};
}

}  // namespace

void Png::settleDecodedAlpha(BufferedImage& image) const {
    const AlphaUse use = findAlphaUse(image);
    // An alpha channel of zeros only is one the writer did not use: the
    // picture is shown opaque rather than not at all.
    if (use.anyVisible) {
        image.setAlpha(use.anyTranslucent);
    } else {
        image.makeOpaque();
    }
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
        picture = onBackground(image, red, green, blue);
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
