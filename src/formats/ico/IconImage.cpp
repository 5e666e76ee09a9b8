#include "formats/ico/IconImage.h"

#include <new>

#include "formats/ico/BitmapBlock.h"
#include "formats/ico/IconPalette.h"
#include "formats/ico/PngBlock.h"
#include "image/ImageLimits.h"

namespace s::image::ico::win {

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

namespace {

constexpr std::size_t kReadPiece = 64 * 1024;
// Images wider or taller than this are stored as PNG: the directory's size
// bytes cannot name them.
constexpr std::int32_t kLargestBitmapSide = 255;
// At other depths than 32, alpha below this becomes transparent.
constexpr std::uint8_t kAlphaThreshold = 32;

bool isIconDepth(std::int32_t bitCount) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            return true;
        default:
            return false;
    }
}

// Reads what is left of the stream, piece by piece, so only data that is
// actually there is ever allocated for.
bool readRest(s::io::IInputStream& stream, std::vector<std::uint8_t>& out) {
    out.clear();
    for (;;) {
        const std::size_t at = out.size();
        out.resize(at + kReadPiece);
        std::size_t got = 0;
        while (got < kReadPiece) {
            std::size_t n = 0;
            if (!stream.read(out.data() + at + got, kReadPiece - got, n) || n == 0) break;
            got += n;
        }
        out.resize(at + got);
        if (got < kReadPiece) return true;
    }
}

}  // namespace

void IconImage::reset() {
    colour_.reset();
    std::vector<std::uint8_t>().swap(block_);
    mask_.clear();
}

bool IconImage::refuse() {
    reset();
    return false;
}

bool IconImage::takeColour() {
    if (!colour_) colour_ = s::image::bmp::win::Bitmap::take();
    return colour_ != nullptr;
}

const s::image::bmp::InfoHeader& IconImage::getInfoHeader() const {
    static const s::image::bmp::InfoHeader empty;
    return colour_ ? colour_->getInfoHeader() : empty;
}

// ---------------------------------------------------------------- reading

bool IconImage::readFrom(s::io::IInputStream& stream) {
    reset();
    try {
        if (!readRest(stream, block_)) return refuse();
    } catch (const std::bad_alloc&) {
        return refuse();
    }
    return PngBlock::isPng(block_) ? readPng() : readBitmap();
}

bool IconImage::readBitmap() {
    if (!takeColour() || !BitmapBlock::read(block_, *colour_, mask_)) return refuse();
    return true;
}

// A PNG block becomes a 32-bit image with alpha; the block read is kept.
bool IconImage::readPng() {
    if (!PngBlock::isPlausible(block_)) return refuse();
    Pooled<BufferedImage> picture = PngBlock::decode(block_);
    if (!picture) return refuse();
    std::vector<std::uint8_t> read = std::move(block_);
    if (!fromImage(*picture, 32, true, 255, 255, 255)) return refuse();
    block_ = std::move(read);
    return true;
}

// ---------------------------------------------------------------- decoding

void IconImage::drawInto(BufferedImage& target) const {
    if (colour_) colour_->drawInto(target);
}

BufferedImage* IconImage::decode(std::int32_t, BufferedImage* target,
                                 Pooled<BufferedImage>& created) {
    if (!isValid()) return nullptr;
    const std::int32_t width = getWidth(), height = getHeight();
    target = BufferedImage::prepareTarget(target, width, height, created);
    if (!target) return nullptr;
    drawInto(*target);

    if (is32Bit()) {
        // The alpha bytes say it all, even when every one of them is 0.
        bool translucent = false;
        for (std::int32_t y = 0; y < height && !translucent; ++y) {
            const std::uint32_t* row = target->getPixelRow(y);
            for (std::int32_t x = 0; x < width; ++x) {
                if ((row[x] >> 24) != 0xFF) {
                    translucent = true;
                    break;
                }
            }
        }
        target->setAlpha(translucent);
    } else if (!mask_.empty()) {
        target->setAlpha(mask_.applyTo(*target));
    } else {
        target->makeOpaque();
    }
    return target;
}

Pooled<BufferedImageSet> IconImage::decodeAll() {
    Pooled<BufferedImageSet> set = BufferedImageSet::take();
    if (!set || !isValid()) return set;
    Pooled<BufferedImage> created;
    if (decode(0, nullptr, created)) set->add(std::move(created), getBitCount(), 0, 0);
    return set;
}

// ---------------------------------------------------------------- writing

bool IconImage::serialise() {
    try {
        if (getWidth() <= kLargestBitmapSide && getHeight() <= kLargestBitmapSide) {
            return BitmapBlock::write(*colour_, mask_, block_);
        }
        Pooled<BufferedImage> picture;
        return decode(0, nullptr, picture) && PngBlock::encode(*picture, block_);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool IconImage::writeTo(s::io::IOutputStream& stream) {
    if (!isValid() || !serialise()) return false;
    return stream.writeAll(block_.data(), block_.size());
}

// ---------------------------------------------------------------- encoding

Pooled<s::image::IEncodedImage> IconImage::encodeSet(BufferedImageSet& set) {
    BufferedImage* largest = set.getLargest();
    if (!largest) return nullptr;
    return encodeImage(*largest);
}

Pooled<s::image::IEncodedImage> IconImage::encodeImage(BufferedImage&) {
    return nullptr;
}

bool IconImage::create(std::int32_t width, std::int32_t height, std::int32_t bitCount) {
    reset();
    if (!isIconDepth(bitCount) || !s::image::ImageLimits::fits(width, height)) return false;
    if (!takeColour() || !colour_->create(width, height, bitCount) ||
        !mask_.allocate(width, height)) {
        return refuse();
    }
    return true;
}

Pooled<BufferedImage> IconImage::prepare(BufferedImage& image, std::int32_t bitCount,
                                         bool keepTransparency, std::int32_t red,
                                         std::int32_t green, std::int32_t blue, bool& failed) {
    failed = false;
    if (!image.hasAlpha() || (keepTransparency && bitCount == 32)) return nullptr;
    Pooled<BufferedImage> prepared;
    if (keepTransparency) {
        prepared = image.copy();
        if (prepared) prepared->thresholdAlpha(kAlphaThreshold);
    } else {
        prepared = BufferedImage::createImage(image.getWidth(), image.getHeight());
        if (prepared) {
            prepared->fill(255, static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                           static_cast<std::uint8_t>(blue));
            prepared->drawImage(0, 0, image.getWidth(), image.getHeight(), image, 0, 0, false);
        }
    }
    failed = prepared == nullptr;
    return prepared;
}

// Palette depths go through the quantizer; the direct depths through the
// BMP encoder, with transparent pixels black behind their mask bits.
bool IconImage::writeColour(BufferedImage& source, std::int32_t bitCount) {
    if (bitCount <= 8) return IconPalette::encode(source, *colour_);
    return colour_->fromImage(source, bitCount, true, 0, 0, 0);
}

bool IconImage::fromImage(BufferedImage& image, std::int32_t bitCount, bool keepTransparency,
                          std::int32_t red, std::int32_t green, std::int32_t blue) {
    std::vector<std::uint8_t>().swap(block_);
    if (!isIconDepth(bitCount) || !image.getBits() ||
        !s::image::ImageLimits::fits(image.getWidth(), image.getHeight())) {
        return refuse();
    }
    bool failed = false;
    Pooled<BufferedImage> prepared =
        prepare(image, bitCount, keepTransparency, red, green, blue, failed);
    if (failed) return refuse();
    BufferedImage& source = prepared ? *prepared : image;
    if (!create(source.getWidth(), source.getHeight(), bitCount) ||
        !writeColour(source, bitCount)) {
        return refuse();
    }
    mask_.fromAlpha(source);
    return true;
}

}  // namespace s::image::ico::win
