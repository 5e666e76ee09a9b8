#include "formats/gif/GifAnimationEncoder.h"

#include <algorithm>
#include <new>

#include "formats/gif/GifFrameEncoder.h"

namespace s::image::gif::win {

using s::image::win::BufferedImage;
using s::thread::Pooled;

namespace {

constexpr std::int32_t kLeaveInPlace = 1;

bool append(Pooled<GifFrame> frame, std::int32_t delay, std::int32_t disposal,
            GifAnimationEncoder::Frames& frames) {
    if (!frame) return false;
    frame->setDelay(delay);
    frame->setDisposal(disposal);
    try {
        frames.push_back(std::move(frame));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace

bool GifAnimationEncoder::encode(s::image::win::BufferedImageSet& set, std::int32_t bitCount,
                                 bool keepTransparency, std::uint8_t red, std::uint8_t green,
                                 std::uint8_t blue, Frames& frames) {
    // The members' own filter results are encoded where they are: a copy of
    // every resized frame would double an animation's memory.
    BufferedImage* first = set.getImage(0) ? set.getImage(0)->getFilteredOrSelf() : nullptr;
    if (!first) return false;
    Pooled<BufferedImage> previous = first->copy();
    if (!previous) return false;
    if (!append(GifFrameEncoder::encode(*first, bitCount, keepTransparency, red, green, blue,
                                        GifFrameEncoder::kAlphaThreshold),
                set.getValue2(0), firstDisposal(set.getValue3(0)), frames)) {
        return false;
    }
    for (std::int32_t i = 1; i < set.getCount(); ++i) {
        BufferedImage* filtered = set.getImage(i)->getFilteredOrSelf();
        if (!filtered) return false;
        BufferedImage& member = *filtered;
        Pooled<BufferedImage> composite = previous->copy();
        if (!composite) return false;
        composite->drawImage(0, 0, std::min(composite->getWidth(), member.getWidth()),
                             std::min(composite->getHeight(), member.getHeight()), member, 0, 0,
                             false);
        Pooled<BufferedImage> difference = composite->copy();
        if (!difference) return false;
        keyUnchanged(*difference, *previous);
        if (!append(GifFrameEncoder::encode(*difference, bitCount, true, red, green, blue,
                                            GifFrameEncoder::kAlphaThreshold),
                    set.getValue2(i), kLeaveInPlace, frames)) {
            return false;
        }
        previous = std::move(composite);
    }
    return true;
}

void GifAnimationEncoder::keyUnchanged(BufferedImage& picture, const BufferedImage& previous) {
    constexpr std::uint32_t kColour = 0x00FFFFFFu;
    const auto shown = [](std::uint32_t pixel) {
        return (pixel >> 24) >= GifFrameEncoder::kAlphaThreshold;
    };
    bool keyed = false;
    for (std::int32_t y = 0; y < picture.getHeight(); ++y) {
        std::uint32_t* row = picture.getPixelRow(y);
        const std::uint32_t* before = previous.getPixelRow(y);
        for (std::int32_t x = 0; x < picture.getWidth(); ++x) {
            const bool opaqueNow = !picture.hasAlpha() || shown(row[x]);
            const bool opaqueBefore = !previous.hasAlpha() || shown(before[x]);
            if (((row[x] ^ before[x]) & kColour) != 0 || opaqueNow != opaqueBefore) continue;
            row[x] &= kColour;
            keyed = true;
        }
    }
    if (keyed) picture.setAlpha(true);
}

std::int32_t GifAnimationEncoder::firstDisposal(std::int32_t value3) {
    return (value3 == 0 || value3 == kLeaveInPlace) ? value3 : kLeaveInPlace;
}

}  // namespace s::image::gif::win
