#include "image/BufferedImage.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "image/ImageLimits.h"
#include "image/PixelAllocator.h"
#include "image/filters/IFilter.h"
#include "image/filters/scale/Resampler.h"

namespace s::image::win {

namespace {

using s::thread::Pooled;

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kColourMask = 0x00FFFFFFu;

std::uint32_t packColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
}

std::uint32_t alphaOf(std::uint32_t pixel) {
    return pixel >> 24;
}

// Calls visit(pixel) for every logical pixel; the caller has checked that
// the logical rectangle lies in memory.
template <class Visit>
void forEachPixel(BufferedImage& image, Visit visit) {
    const std::int32_t w = image.getWidth();
    for (std::int32_t y = 0; y < image.getHeight(); ++y) {
        std::uint32_t* row = image.getPixelRow(y);
        for (std::int32_t x = 0; x < w; ++x) visit(row[x]);
    }
}

// Sizes target to tw x th (0 x 0 first, so reserve never copies stale rows)
// and fills it with target(x, y) = source(map(x, y)).
template <class Map>
bool rearrangeInto(const BufferedImage& source, BufferedImage& target, std::int32_t tw,
                   std::int32_t th, Map map) {
    if (&target == &source) return false;
    target.setSize(0, 0);
    if (!target.reserve(tw, th)) return false;
    target.setSize(tw, th);
    target.setAlpha(source.hasAlpha());
    for (std::int32_t ty = 0; ty < th; ++ty) {
        std::uint32_t* out = target.getPixelRow(ty);
        for (std::int32_t tx = 0; tx < tw; ++tx) {
            const auto [sx, sy] = map(tx, ty);
            out[tx] = source.getPixelRow(sy)[sx];
        }
    }
    return true;
}

// Source-over compositing of one straight-alpha pixel onto another.
void blendPixel(std::uint32_t& d, std::uint32_t s) {
    const std::int32_t t = static_cast<std::int32_t>(alphaOf(s));
    const std::int32_t u = static_cast<std::int32_t>(alphaOf(d));
    if (t == 0) return;
    if (t == 255 || u == 0) {
        d = s;
        return;
    }
    const std::int32_t c = t + u - ((u * (t + 1)) >> 8);
    const std::int32_t weight = (t * 256) / c;
    std::uint32_t result = static_cast<std::uint32_t>(c) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::int32_t sc = static_cast<std::int32_t>((s >> shift) & 0xFF);
        const std::int32_t dc = static_cast<std::int32_t>((d >> shift) & 0xFF);
        const std::int32_t mixed = dc + (((sc - dc) * weight) >> 8);
        result |= (static_cast<std::uint32_t>(mixed) & 0xFF) << shift;
    }
    d = result;
}

void blendRow(std::uint32_t* d, const std::uint32_t* s, std::int64_t count, bool destHasAlpha) {
    for (std::int64_t x = 0; x < count; ++x) {
        if (!destHasAlpha) d[x] |= kOpaque;
        blendPixel(d[x], s[x]);
    }
}

// One capacity dimension grown by factors of 1.2 until it covers wanted.
std::int32_t grownSide(std::int32_t current, std::int32_t wanted) {
    float side = static_cast<float>(current != 0 ? current : wanted);
    while (side < static_cast<float>(wanted)) side *= 1.2f;
    if (side > static_cast<float>(s::image::ImageLimits::kMaxSide)) {
        return std::max(wanted, s::image::ImageLimits::kMaxSide);
    }
    return static_cast<std::int32_t>(side);
}

// Flattens one channel of a pixel with alpha a onto white.
std::uint32_t flattenChannel(std::uint32_t c, std::uint32_t a) {
    return ((c * (a + 1) + 255 * (256 - a)) >> 8) & 0xFF;
}

}  // namespace

void BufferedImage::FreeBits::operator()(std::uint8_t* p) const noexcept {
    PixelAllocator::release(p, bytes);
}

BufferedImage::BufferedImage() {
    filters_.reserve(2);
}

BufferedImage::~BufferedImage() {
    clearFilters();
}

void BufferedImage::reset() {
    releaseMemory();
    hasAlpha_ = false;
    scaledCache_.reset();
    clearFilters();
    filteredCache_.reset();
    spareOutput_.reset();
}

// ---- memory ---------------------------------------------------------------

BufferedImage::PixelMemory BufferedImage::newPixelMemory(std::int32_t w, std::int32_t h,
                                                         Clear clear) {
    if (!s::image::ImageLimits::fits(w, h)) return PixelMemory();
    const std::size_t bytes = static_cast<std::size_t>(std::int64_t{w} * std::int64_t{h} * 4);
    std::uint8_t* block = clear == Clear::Zero ? PixelAllocator::allocateZeroed(bytes)
                                               : PixelAllocator::allocateUncleared(bytes);
    if (!block) return PixelMemory();
    return PixelMemory(block, FreeBits{bytes});
}

void BufferedImage::releaseMemory() {
    memory_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    capacityWidth_ = capacityHeight_ = 0;
}

void BufferedImage::adoptMemory(PixelMemory memory, std::int32_t w, std::int32_t h) {
    memory_ = std::move(memory);
    bits_ = memory_.get();
    capacityWidth_ = w;
    capacityHeight_ = h;
}

bool BufferedImage::isReadable() const {
    return hasPixels() || std::int64_t{width_} * height_ == 0;
}

bool BufferedImage::hasPixels() const {
    return bits_ != nullptr && width_ > 0 && height_ > 0 && width_ <= capacityWidth_ &&
           height_ <= capacityHeight_;
}

void BufferedImage::setSize(std::int32_t w, std::int32_t h) {
    width_ = w;
    height_ = h;
}

bool BufferedImage::reserve(std::int32_t w, std::int32_t h) {
    if (w < 0 || h < 0) return false;
    if (capacityWidth_ >= w && capacityHeight_ >= h) return true;
    PixelMemory memory = newPixelMemory(w, h);
    if (!memory) return false;
    // Copy only what lies inside both the logical image and the new capacity.
    const std::int32_t rows = std::min(height_, h);
    const std::size_t rowBytes = static_cast<std::size_t>(std::max(0, std::min(width_, w))) * 4;
    if (bits_ && rowBytes > 0) {
        const std::size_t stride = static_cast<std::size_t>(w) * 4;
        for (std::int32_t y = 0; y < rows; ++y) {
            std::uint8_t* to = memory.get() + static_cast<std::size_t>(h - 1 - y) * stride;
            std::memcpy(to, getRow(y), rowBytes);
        }
    }
    const std::int32_t keptWidth = std::min(width_, w);
    const std::int32_t keptHeight = std::min(height_, h);
    adoptMemory(std::move(memory), w, h);
    setSize(keptWidth, keptHeight);
    return true;
}

bool BufferedImage::reserveGrowing(std::int32_t w, std::int32_t h) {
    if (w < 0 || h < 0) return false;
    if (capacityWidth_ >= w && capacityHeight_ >= h) return true;
    const std::int32_t gw = grownSide(capacityWidth_, w);
    const std::int32_t gh = grownSide(capacityHeight_, h);
    // Growth headroom is a convenience: near the limits, take just what was asked.
    if (s::image::ImageLimits::fits(gw, gh) && reserve(gw, gh)) return true;
    return reserve(w, h);
}

bool BufferedImage::allocate(std::int32_t w, std::int32_t h) {
    releaseMemory();
    if (w == 0 && h == 0) return true;
    PixelMemory memory = newPixelMemory(w, h);
    if (!memory) return false;
    adoptMemory(std::move(memory), w, h);
    setSize(w, h);
    return true;
}

Pooled<BufferedImage> BufferedImage::createImage(std::int32_t w, std::int32_t h) {
    Pooled<BufferedImage> image = take();
    if (!image || !image->allocate(w, h)) return {};
    return image;
}

bool BufferedImage::resetSizeGrowing(std::int32_t w, std::int32_t h) {
    setSize(0, 0);
    if (!reserveGrowing(w, h)) return false;
    setSize(w, h);
    return true;
}

BufferedImage* BufferedImage::prepareTarget(BufferedImage* target, std::int32_t w, std::int32_t h,
                                            Pooled<BufferedImage>& created) {
    if (target) return target->resetSizeGrowing(w, h) ? target : nullptr;
    created = createImage(w, h);
    return created.get();
}

std::uint8_t* BufferedImage::getRow(std::int32_t y) {
    return const_cast<std::uint8_t*>(static_cast<const BufferedImage*>(this)->getRow(y));
}

const std::uint8_t* BufferedImage::getRow(std::int32_t y) const {
    if (!bits_) return nullptr;
    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(capacityWidth_) * 4;
    return bits_ + static_cast<std::ptrdiff_t>(capacityHeight_ - 1 - y) * stride;
}

// ---- scaling and compositing -----------------------------------------------

BufferedImage* BufferedImage::scaled(std::int32_t w, std::int32_t h, bool keepRatio) {
    if (w < 1 || h < 1 || width_ < 1 || height_ < 1) return nullptr;
    if (keepRatio) {
        const double rx = static_cast<double>(w) / width_;
        const double ry = static_cast<double>(h) / height_;
        // A very flat or tall image may truncate to 0; keep at least one pixel.
        if (rx < ry) {
            h = std::max(1, static_cast<std::int32_t>(height_ * rx));
        } else if (rx > ry) {
            w = std::max(1, static_cast<std::int32_t>(width_ * ry));
        }
    }
    if (w == width_ && h == height_) return this;
    if (scaledCache_ && scaledCache_->width_ == w && scaledCache_->height_ == h) {
        return scaledCache_.get();
    }
    if (!scaledCache_) {
        Pooled<BufferedImage> cache = createImage(w, h);
        if (!cache) return nullptr;
        setScaledCache(std::move(cache));
    }
    using s::image::filters::scale::Kernel;
    using s::image::filters::scale::Resampler;
    if (!Resampler::resample(Kernel::Bilinear, *this, w, h, *scaledCache_)) return nullptr;
    return scaledCache_.get();
}

void BufferedImage::setScaledCache(Pooled<BufferedImage> cache) {
    scaledCache_ = std::move(cache);
}

void BufferedImage::drawImage(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                              BufferedImage& source, std::int32_t srcX, std::int32_t srcY,
                              bool scale) {
    BufferedImage* src = scale ? source.scaled(w, h, false) : &source;
    if (!src || !hasPixels() || !src->hasPixels()) return;
    // Clip in 64 bits so extreme offsets cannot overflow: a negative offset on
    // either side moves the start on the other side.
    std::int64_t dx = x, dy = y, sx = srcX, sy = srcY;
    if (dx < 0) {
        sx -= dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        dy = 0;
    }
    if (sx < 0) {
        dx -= sx;
        sx = 0;
    }
    if (sy < 0) {
        dy -= sy;
        sy = 0;
    }
    const std::int64_t cw = std::min<std::int64_t>(src->width_ - sx, width_ - dx);
    const std::int64_t ch = std::min<std::int64_t>(src->height_ - sy, height_ - dy);
    if (cw <= 0 || ch <= 0) return;
    for (std::int64_t r = 0; r < ch; ++r) {
        std::uint32_t* d = getPixelRow(static_cast<std::int32_t>(dy + r)) + dx;
        const std::uint32_t* s = src->getPixelRow(static_cast<std::int32_t>(sy + r)) + sx;
        if (src->hasAlpha_) {
            blendRow(d, s, cw, hasAlpha_);
        } else {
            std::memmove(d, s, static_cast<std::size_t>(cw) * 4);
        }
    }
}

// ---- copies and rearrangements ----------------------------------------------

bool BufferedImage::copyInto(BufferedImage& target) const {
    if (&target == this) return true;
    if (!isReadable()) return false;
    target.releaseMemory();
    if (width_ > 0 || height_ > 0) {
        // Every row is overwritten below: the block needs no clearing.
        PixelMemory memory = newPixelMemory(width_, height_, Clear::No);
        if (!memory) return false;
        target.adoptMemory(std::move(memory), width_, height_);
        target.setSize(width_, height_);
    }
    target.hasAlpha_ = hasAlpha_;
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * 4;
    for (std::int32_t y = 0; y < height_; ++y) std::memcpy(target.getRow(y), getRow(y), rowBytes);
    return true;
}

bool BufferedImage::rotateClockwiseInto(BufferedImage& target) const {
    if (!isReadable()) return false;
    const std::int32_t h = height_;
    return rearrangeInto(*this, target, height_, width_, [h](std::int32_t x, std::int32_t y) {
        return std::pair{y, h - 1 - x};
    });
}

bool BufferedImage::rotate180Into(BufferedImage& target) const {
    if (!isReadable()) return false;
    const std::int32_t w = width_, h = height_;
    return rearrangeInto(*this, target, width_, height_, [w, h](std::int32_t x, std::int32_t y) {
        return std::pair{w - 1 - x, h - 1 - y};
    });
}

bool BufferedImage::rotateCounterClockwiseInto(BufferedImage& target) const {
    if (!isReadable()) return false;
    const std::int32_t w = width_;
    return rearrangeInto(*this, target, height_, width_, [w](std::int32_t x, std::int32_t y) {
        return std::pair{w - 1 - y, x};
    });
}

bool BufferedImage::mirrorInto(BufferedImage& target) const {
    if (!isReadable()) return false;
    const std::int32_t w = width_;
    return rearrangeInto(*this, target, width_, height_, [w](std::int32_t x, std::int32_t y) {
        return std::pair{w - 1 - x, y};
    });
}

bool BufferedImage::flipInto(BufferedImage& target) const {
    if (!isReadable()) return false;
    const std::int32_t h = height_;
    return rearrangeInto(*this, target, width_, height_, [h](std::int32_t x, std::int32_t y) {
        return std::pair{x, h - 1 - y};
    });
}

namespace {

// A new pooled image filled by one of the ...Into operations, or null.
template <class Into>
Pooled<BufferedImage> intoNewImage(Into into) {
    Pooled<BufferedImage> image = BufferedImage::take();
    if (!image || !into(*image)) return {};
    return image;
}

}  // namespace

Pooled<BufferedImage> BufferedImage::copy() const {
    return intoNewImage([this](BufferedImage& t) { return copyInto(t); });
}
Pooled<BufferedImage> BufferedImage::rotateClockwise() const {
    return intoNewImage([this](BufferedImage& t) { return rotateClockwiseInto(t); });
}
Pooled<BufferedImage> BufferedImage::rotate180() const {
    return intoNewImage([this](BufferedImage& t) { return rotate180Into(t); });
}
Pooled<BufferedImage> BufferedImage::rotateCounterClockwise() const {
    return intoNewImage([this](BufferedImage& t) { return rotateCounterClockwiseInto(t); });
}
Pooled<BufferedImage> BufferedImage::mirror() const {
    return intoNewImage([this](BufferedImage& t) { return mirrorInto(t); });
}
Pooled<BufferedImage> BufferedImage::flip() const {
    return intoNewImage([this](BufferedImage& t) { return flipInto(t); });
}

// ---- filter chain -----------------------------------------------------------

bool BufferedImage::findFilter(const char* nameId, std::int32_t& index) const {
    for (std::size_t i = 0; i < filters_.size(); ++i) {
        if (filters_[i].filter->getName() == nameId) {
            index = static_cast<std::int32_t>(i);
            return true;
        }
    }
    index = -1;
    return false;
}

s::image::filters::IFilter* BufferedImage::getFilter(std::int32_t i) const {
    if (i < 0 || i >= getFilterCount()) return nullptr;
    return filters_[static_cast<std::size_t>(i)].filter;
}

void BufferedImage::addFilter(Pooled<s::image::filters::IFilter> filter) {
    insertFilter(getFilterCount(), std::move(filter));
}

void BufferedImage::addFilter(s::image::filters::IFilter& borrowed) {
    filters_.push_back({&borrowed, false});
    dropFilteredCache();
}

void BufferedImage::insertFilter(std::int32_t i, Pooled<s::image::filters::IFilter> filter) {
    if (!filter) return;
    // An index outside the chain appends.
    const std::size_t at =
        (i < 0 || i > getFilterCount()) ? filters_.size() : static_cast<std::size_t>(i);
    // If the insertion throws, the handle still owns the filter and releases it.
    filters_.insert(filters_.begin() + static_cast<std::ptrdiff_t>(at), {filter.get(), true});
    (void)filter.release();
    dropFilteredCache();
}

void BufferedImage::removeFilter(std::int32_t i) {
    if (i < 0 || i >= getFilterCount()) return;
    FilterSlot slot = filters_[static_cast<std::size_t>(i)];
    filters_.erase(filters_.begin() + i);
    releaseFilter(slot);
    dropFilteredCache();
}

void BufferedImage::clearFilters() {
    for (FilterSlot& slot : filters_) releaseFilter(slot);
    filters_.clear();
    dropFilteredCache();
}

void BufferedImage::detachFilters() {
    filters_.clear();
    dropFilteredCache();
}

void BufferedImage::releaseFilter(FilterSlot& slot) {
    if (slot.owned && slot.filter) slot.filter->release();
    slot.filter = nullptr;
}

void BufferedImage::dropFilteredCache() {
    if (filteredCache_) spareOutput_ = std::move(filteredCache_);
}

Pooled<BufferedImage> BufferedImage::runFilter(s::image::filters::IFilter& filter,
                                               BufferedImage& input, Pooled<BufferedImage> reuse) {
    Pooled<BufferedImage> output = reuse ? std::move(reuse) : take();
    Pooled<BufferedImage> created;
    BufferedImage* result = filter.apply(input, output.get(), created);
    if (!result) return {};
    if (result == output.get()) return output;
    if (result == created.get()) return created;
    // A filter that hands back its input: the cache must own its image, so copy it.
    if (result == &input && output && input.copyInto(*output)) return output;
    return {};
}

BufferedImage* BufferedImage::applyFilters() {
    dropFilteredCache();
    for (std::size_t i = 0; i < filters_.size(); ++i) {
        BufferedImage& input = (i == 0) ? *this : *filteredCache_;
        Pooled<BufferedImage> reuse;
        if (i == 0 && spareOutput_) {
            reuse = std::move(spareOutput_);
            // Only its memory serves again: what was derived from its old
            // pixels (a scaled copy an encoder made) would be stale.
            reuse->scaledCache_.reset();
            reuse->clearFilters();
            reuse->filteredCache_.reset();
            reuse->spareOutput_.reset();
        }
        Pooled<BufferedImage> result = runFilter(*filters_[i].filter, input, std::move(reuse));
        // A half-run chain is not the filtered image: report the failure.
        if (!result) {
            dropFilteredCache();
            return nullptr;
        }
        filteredCache_ = std::move(result);
    }
    if (filteredCache_) filteredCache_->detectAlpha();
    return filteredCache_.get();
}

BufferedImage* BufferedImage::getFiltered() {
    if (!filteredCache_) return applyFilters();
    return filteredCache_.get();
}

// ---- pixel utilities ------------------------------------------------------------

void BufferedImage::detectAlpha() {
    bool found = false;
    if (hasPixels()) {
        forEachPixel(*this, [&found](std::uint32_t& p) { found = found || alphaOf(p) != 255; });
    }
    hasAlpha_ = found;
}

void BufferedImage::makeOpaque() {
    if (hasPixels()) forEachPixel(*this, [](std::uint32_t& p) { p |= kOpaque; });
    hasAlpha_ = false;
}

void BufferedImage::fill(std::uint8_t alpha, std::uint8_t red, std::uint8_t green,
                         std::uint8_t blue) {
    const std::uint32_t value = (std::uint32_t{alpha} << 24) | packColour(red, green, blue);
    if (hasPixels()) forEachPixel(*this, [value](std::uint32_t& p) { p = value; });
    hasAlpha_ = alpha != 255;
}

void BufferedImage::applyColourKey(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    if (!hasPixels()) return;
    const std::uint32_t key = packColour(red, green, blue);
    bool matched = false;
    forEachPixel(*this, [key, &matched](std::uint32_t& p) {
        const bool hit = (p & kColourMask) == key;
        matched = matched || hit;
        p = (p & kColourMask) | (hit ? 0 : kOpaque);
    });
    if (matched) hasAlpha_ = true;
}

void BufferedImage::paintTransparent(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    if (!hasAlpha_ || !hasPixels()) return;
    const std::uint32_t colour = packColour(red, green, blue);
    forEachPixel(*this, [colour](std::uint32_t& p) {
        if (alphaOf(p) == 0) p = colour;
    });
}

void BufferedImage::keyAgainst(const BufferedImage& other) {
    if (other.width_ != width_ || other.height_ != height_ || !hasPixels() || !other.hasPixels()) {
        return;
    }
    bool keyed = false;
    for (std::int32_t y = 0; y < height_; ++y) {
        std::uint32_t* row = getPixelRow(y);
        const std::uint32_t* key = other.getPixelRow(y);
        for (std::int32_t x = 0; x < width_; ++x) {
            if (((row[x] ^ key[x]) & kColourMask) != 0) continue;
            row[x] &= kColourMask;
            keyed = true;
        }
    }
    if (keyed) hasAlpha_ = true;
}

void BufferedImage::thresholdAlpha(std::uint8_t limit) {
    bool cleared = false;
    if (hasPixels()) {
        forEachPixel(*this, [limit, &cleared](std::uint32_t& p) {
            const bool clear = alphaOf(p) < limit;
            cleared = cleared || clear;
            p = (p & kColourMask) | (clear ? 0 : kOpaque);
        });
    }
    hasAlpha_ = cleared;
}

void BufferedImage::flattenOnWhite() {
    if (!hasAlpha_) return;
    if (hasPixels()) {
        forEachPixel(*this, [](std::uint32_t& p) {
            const std::uint32_t a = alphaOf(p);
            if (a == 255) return;
            if (a == 0) {
                p = 0xFFFFFFFFu;
                return;
            }
            std::uint32_t result = kOpaque;
            for (int shift = 0; shift < 24; shift += 8) {
                result |= flattenChannel((p >> shift) & 0xFF, a) << shift;
            }
            p = result;
        });
    }
    hasAlpha_ = false;
}

}  // namespace s::image::win
