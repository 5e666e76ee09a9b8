#include "formats/gif/Gif.h"

#include <algorithm>
#include <new>

#include "formats/gif/EncodeSetting.h"
#include "formats/gif/GifAnimationEncoder.h"
#include "formats/gif/GifComposer.h"
#include "formats/gif/GifFrameEncoder.h"
#include "formats/gif/GifWriter.h"
#include "image/ImageLimits.h"

namespace s::image::gif::win {

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

namespace {

// The searches' starting candidate (0xFF000001 as a signed 32-bit value).
constexpr std::int32_t kNoCandidate = -16777215;

std::int32_t wrap(std::int64_t v) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

std::int32_t distance(std::int32_t a, std::int32_t b) {
    const std::int32_t d = wrap(std::int64_t{a} - b);
    return d < 0 ? wrap(-std::int64_t{d}) : d;
}

}  // namespace

Gif::Gif() {
    reset();
}

void Gif::reset() {
    frames_.clear();
    loopCount_ = 1;
    colourTableBits_ = 0;
    screenWidth_ = screenHeight_ = 0;
    complete_ = false;
    reader_.releaseBuffers();
}

std::int32_t Gif::getWidth() const {
    return frames_.empty() ? 0 : frames_[0]->getWidth();
}

std::int32_t Gif::getHeight() const {
    return frames_.empty() ? 0 : frames_[0]->getHeight();
}

std::int32_t Gif::getScreenWidth() const {
    return screenWidth_ > 0 ? screenWidth_ : getWidth();
}

std::int32_t Gif::getScreenHeight() const {
    return screenHeight_ > 0 ? screenHeight_ : getHeight();
}

const GifFrame* Gif::getFrame(std::int32_t i) const {
    return (i >= 0 && i < getImageCount()) ? frames_[static_cast<std::size_t>(i)].get() : nullptr;
}

GifFrame* Gif::getFrame(std::int32_t i) {
    return (i >= 0 && i < getImageCount()) ? frames_[static_cast<std::size_t>(i)].get() : nullptr;
}

BufferedImage* Gif::decode(std::int32_t index, BufferedImage* target,
                           Pooled<BufferedImage>& created) {
    const GifFrame* frame = getFrame(index);
    return frame ? frame->decode(target, created) : nullptr;
}

Pooled<BufferedImageSet> Gif::decodeAll() {
    Pooled<BufferedImageSet> set = BufferedImageSet::take();
    if (!set || frames_.empty()) return set;
    try {
        if (!composeInto(*set)) set->clear();
    } catch (const std::bad_alloc&) {
        set->clear();
    }
    return set;
}

bool Gif::composeInto(BufferedImageSet& set) const {
    const std::int32_t width = getScreenWidth();
    const std::int32_t height = getScreenHeight();
    // Every frame becomes a whole screen: bound the pictures together.
    if (std::int64_t{width} * height * getImageCount() > s::image::ImageLimits::kMaxPixels) {
        return false;
    }
    GifComposer composer;
    if (!composer.begin(width, height)) return false;
    for (const Pooled<GifFrame>& frame : frames_) {
        Pooled<BufferedImage> picture = composer.add(*frame);
        if (!picture) return false;
        BufferedImageSet::FrameRect rect;
        rect.left = frame->getLeft();
        rect.top = frame->getTop();
        rect.width = frame->getWidth();
        rect.height = frame->getHeight();
        set.add(std::move(picture), GifFrame::kBitCount, frame->getDelay(), frame->getDisposal());
        set.setFrameRect(set.getCount() - 1, rect);
    }
    set.setAnimation(true, static_cast<std::int16_t>(loopCount_));
    return true;
}

bool Gif::writeTo(s::io::IOutputStream& stream) {
    GifWriter writer(stream, lzw_);
    return writer.write(frames_, getScreenWidth(), getScreenHeight(), loopCount_);
}

bool Gif::readFrom(s::io::IInputStream& stream) {
    const std::size_t before = frames_.size();
    complete_ = false;
    try {
        if (!reader_.read(stream, frames_)) return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (reader_.getLoopCount() >= 0)
        loopCount_ = static_cast<std::uint16_t>(reader_.getLoopCount());
    colourTableBits_ = std::max(colourTableBits_, reader_.getColourTableBits());
    if (screenWidth_ == 0) {
        screenWidth_ = reader_.getScreenWidth();
        screenHeight_ = reader_.getScreenHeight();
    }
    complete_ = reader_.isComplete();
    return frames_.size() > before;
}

std::int32_t Gif::getEncodeBitCount() const {
    // A 1-bit table would leave a single colour beside the transparent
    // entry; without any table the source's colours are unknown.
    if (colourTableBits_ == 0) return 8;
    return std::max(colourTableBits_, 2);
}

Pooled<s::image::IEncodedImage> Gif::encodeImage(BufferedImage& image) {
    Pooled<EncodeSetting> setting = EncodeSetting::take();
    if (!setting) return nullptr;
    setting->keepTransparency = 1;
    setting->bitCount = getEncodeBitCount();
    return setting->encode(image);
}

Pooled<s::image::IEncodedImage> Gif::encodeSet(BufferedImageSet& set) {
    Pooled<EncodeSetting> setting = EncodeSetting::take();
    if (!setting) return nullptr;
    setting->keepTransparency = 1;
    setting->bitCount = getEncodeBitCount();
    return setting->encodeSet(set);
}

bool Gif::addFrame(Pooled<GifFrame> frame) {
    if (!frame) return false;
    try {
        frames_.push_back(std::move(frame));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool Gif::fromImage(BufferedImage& image, std::int32_t bitCount, bool keepTransparency,
                    std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                    std::uint8_t alphaThreshold) {
    return addFrame(GifFrameEncoder::encode(image, bitCount, keepTransparency, red, green, blue,
                                            alphaThreshold));
}

bool Gif::fromImageSet(BufferedImageSet& set, std::int32_t bitCount, bool keepTransparency,
                       std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    if (set.getCount() <= 1 || !set.isAnimated()) {
        BufferedImage* largest = set.getLargest() ? set.getLargest()->getFilteredOrSelf() : nullptr;
        return largest && fromImage(*largest, bitCount, keepTransparency, red, green, blue,
                                    GifFrameEncoder::kAlphaThreshold);
    }
    loopCount_ = static_cast<std::uint16_t>(set.getLoopCount());
    return GifAnimationEncoder::encode(set, bitCount, keepTransparency, red, green, blue, frames_);
}

bool Gif::create(std::int32_t width, std::int32_t height, std::int32_t /*bitCount*/) {
    frames_.clear();
    Pooled<GifFrame> frame = GifFrame::take();
    return frame && frame->create(width, height) && addFrame(std::move(frame));
}

bool Gif::hasTransparentIndex() const {
    return std::any_of(frames_.begin(), frames_.end(), [](const Pooled<GifFrame>& frame) {
        return frame->getTransparentIndex() != -1;
    });
}

bool Gif::findExact(std::int32_t w, std::int32_t h, std::int32_t bitCount,
                    std::int32_t& index) const {
    for (std::int32_t i = 0; i < getImageCount(); ++i) {
        const GifFrame& frame = *frames_[static_cast<std::size_t>(i)];
        if (frame.getWidth() == w && frame.getHeight() == h && bitCount == GifFrame::kBitCount) {
            index = i;
            return true;
        }
    }
    return false;
}

bool Gif::findNearestDepthFirst(std::int32_t w, std::int32_t h, std::int32_t bitCount,
                                std::int32_t& index) const {
    return findNearest(w, h, bitCount, true, index);
}

bool Gif::findNearestSizeFirst(std::int32_t w, std::int32_t h, std::int32_t bitCount,
                               std::int32_t& index) const {
    return findNearest(w, h, bitCount, false, index);
}

bool Gif::findNearest(std::int32_t w, std::int32_t h, std::int32_t bitCount, bool depthFirst,
                      std::int32_t& index) const {
    if (findExact(w, h, bitCount, index)) return true;
    index = 0;
    const std::int32_t wanted = wrap(std::int64_t{w} * h);
    std::int32_t bestArea = kNoCandidate;
    std::int32_t bestDepth = kNoCandidate;
    bool found = false;
    for (std::int32_t i = 0; i < getImageCount(); ++i) {
        const GifFrame& frame = *frames_[static_cast<std::size_t>(i)];
        const std::int32_t area = wrap(std::int64_t{frame.getWidth()} * frame.getHeight());
        const std::int32_t areaGap = distance(wanted, area);
        const std::int32_t depthGap = distance(bitCount, GifFrame::kBitCount);
        const std::int32_t bestAreaGap = distance(wanted, bestArea);
        const std::int32_t bestDepthGap = distance(bitCount, bestDepth);
        const std::int32_t primary = depthFirst ? depthGap : areaGap;
        const std::int32_t bestPrimary = depthFirst ? bestDepthGap : bestAreaGap;
        const std::int32_t secondary = depthFirst ? areaGap : depthGap;
        const std::int32_t bestSecondary = depthFirst ? bestAreaGap : bestDepthGap;
        if (primary < bestPrimary || (primary == bestPrimary && secondary < bestSecondary)) {
            bestArea = area;
            bestDepth = GifFrame::kBitCount;
            index = i;
            found = true;
        }
    }
    return found;
}

}  // namespace s::image::gif::win
