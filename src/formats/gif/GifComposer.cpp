#include "formats/gif/GifComposer.h"

#include <algorithm>

namespace s::image::gif::win {

using s::image::win::BufferedImage;
using s::thread::Pooled;

namespace {

constexpr std::int32_t kRestoreBackground = 2;
constexpr std::int32_t kRestorePrevious = 3;

}  // namespace

bool GifComposer::begin(std::int32_t width, std::int32_t height) {
    screen_ = BufferedImage::createImage(width, height);
    saved_.reset();
    if (!screen_) return false;
    screen_->setAlpha(true);
    return true;
}

Pooled<BufferedImage> GifComposer::add(const GifFrame& frame) {
    if (!screen_) return nullptr;
    const Area area = areaOf(frame);
    const std::int32_t disposal = frame.getDisposal();
    if (disposal == kRestorePrevious) {
        if (!saved_) saved_ = BufferedImage::take();
        if (!saved_ || !screen_->copyInto(*saved_)) return nullptr;
    }
    draw(frame, area);
    Pooled<BufferedImage> picture = screen_->copy();
    if (picture) picture->detectAlpha();
    if (disposal == kRestoreBackground) {
        clear(area);
    } else if (disposal == kRestorePrevious) {
        saved_->copyInto(*screen_);
        screen_->setAlpha(true);
    }
    return picture;
}

GifComposer::Area GifComposer::areaOf(const GifFrame& frame) const {
    // 64-bit sums: offsets and sizes up to 65535 each.
    const std::int64_t right = std::int64_t{frame.getLeft()} + frame.getWidth();
    const std::int64_t bottom = std::int64_t{frame.getTop()} + frame.getHeight();
    Area area;
    area.left = std::clamp(frame.getLeft(), 0, screen_->getWidth());
    area.top = std::clamp(frame.getTop(), 0, screen_->getHeight());
    area.right = static_cast<std::int32_t>(std::clamp<std::int64_t>(right, 0, screen_->getWidth()));
    area.bottom =
        static_cast<std::int32_t>(std::clamp<std::int64_t>(bottom, 0, screen_->getHeight()));
    return area;
}

void GifComposer::draw(const GifFrame& frame, const Area& area) {
    if (area.empty()) return;
    const std::int32_t transparent = frame.getTransparentIndex();
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        const std::int32_t frameY = y - frame.getTop();
        const std::uint8_t* indices = frame.getRow(frameY);
        const std::int32_t end = std::min(area.right, frame.getLeft() + frame.decodedWidth(frameY));
        std::uint32_t* out = screen_->getPixelRow(y);
        for (std::int32_t x = area.left; x < end; ++x) {
            const std::uint8_t index = indices[x - frame.getLeft()];
            const std::uint32_t colour = frame.getColour(index);
            if (index != transparent) {
                out[x] = colour | 0xFF000000u;
            } else if ((out[x] >> 24) == 0) {
                // See-through over nothing: keep the frame's colour, as a
                // frame decoded on its own shows it.
                out[x] = colour;
            }
        }
    }
}

void GifComposer::clear(const Area& area) {
    if (area.empty()) return;
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        std::uint32_t* out = screen_->getPixelRow(y);
        std::fill(out + area.left, out + area.right, 0u);
    }
}

}  // namespace s::image::gif::win
