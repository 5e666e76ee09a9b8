#include "image/BufferedImageSet.h"

#include <algorithm>
#include <cstdint>

namespace s::image::win {

namespace {

using s::thread::Pooled;

constexpr std::int32_t kOutOfRangeValue = 1000;
// Area and depth of the candidate the nearest searches start from
// (0xFF000001 as a signed 32-bit value); any real member beats it.
constexpr std::int32_t kNoCandidate = -16777215;

// The searches use wrap-around signed 32-bit arithmetic, so absurd sizes
// give a defined (if meaningless) distance instead of overflowing.
std::int32_t wrap(std::int64_t v) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

std::int32_t area32(std::int32_t w, std::int32_t h) {
    return wrap(std::int64_t{w} * h);
}

std::int32_t distance32(std::int32_t a, std::int32_t b) {
    const std::int32_t d = wrap(std::int64_t{a} - b);
    return d < 0 ? wrap(-std::int64_t{d}) : d;
}

std::int64_t areaOf(const BufferedImage& image) {
    return std::int64_t{image.getWidth()} * image.getHeight();
}

struct Candidate {
    std::int32_t area = kNoCandidate;
    std::int32_t depth = kNoCandidate;
};

// Whether a member (area, depth) replaces best: the primary distance must be
// smaller, or equal with a smaller secondary distance.
bool nearer(std::int32_t primary, std::int32_t bestPrimary, std::int32_t secondary,
            std::int32_t bestSecondary) {
    if (primary != bestPrimary) return primary < bestPrimary;
    return secondary < bestSecondary;
}

// Clears the part of rect that lies on the image to transparent black.
void clearToTransparent(BufferedImage& image, const BufferedImageSet::FrameRect& rect) {
    using Span = std::int64_t;
    const Span left = std::clamp<Span>(rect.left, 0, image.getWidth());
    const Span right = std::clamp<Span>(Span{rect.left} + rect.width, left, image.getWidth());
    const Span top = std::clamp<Span>(rect.top, 0, image.getHeight());
    const Span bottom = std::clamp<Span>(Span{rect.top} + rect.height, top, image.getHeight());
    for (Span y = top; y < bottom; ++y) {
        std::uint32_t* row = image.getPixelRow(static_cast<std::int32_t>(y));
        std::fill(row + left, row + right, 0u);
    }
}

}  // namespace

void BufferedImageSet::add(Pooled<BufferedImage> image, std::int32_t depth, std::int32_t value2,
                           std::int32_t value3) {
    if (!image) return;
    // Reserve first so the four parallel lists grow together or not at all.
    const std::size_t n = images_.size() + 1;
    images_.reserve(n);
    depths_.reserve(n);
    values2_.reserve(n);
    values3_.reserve(n);
    const std::int64_t area = areaOf(*image);
    const std::int64_t largestArea = std::int64_t{largestWidth_} * largestHeight_;
    if (area > largestArea || (area == largestArea && depth > largestDepth_)) {
        largestWidth_ = image->getWidth();
        largestHeight_ = image->getHeight();
        largestDepth_ = depth;
        largestIndex_ = static_cast<std::int32_t>(images_.size());
    }
    images_.push_back(std::move(image));
    depths_.push_back(depth);
    values2_.push_back(value2);
    values3_.push_back(value3);
}

void BufferedImageSet::updateLargest() {
    largestWidth_ = 0;
    largestHeight_ = 0;
    std::int64_t largestArea = 0;
    for (const Pooled<BufferedImage>& member : images_) {
        const BufferedImage* measured = member->hasFilters() ? member->getFiltered() : member.get();
        if (!measured || areaOf(*measured) <= largestArea) continue;
        largestArea = areaOf(*measured);
        largestWidth_ = measured->getWidth();
        largestHeight_ = measured->getHeight();
    }
}

std::int32_t BufferedImageSet::getDepth(std::int32_t i) const {
    return (i >= 0 && i < getCount()) ? depths_[static_cast<std::size_t>(i)] : 0;
}

std::int32_t BufferedImageSet::getValue2(std::int32_t i) const {
    return (i >= 0 && i < getCount()) ? values2_[static_cast<std::size_t>(i)] : kOutOfRangeValue;
}

std::int32_t BufferedImageSet::getValue3(std::int32_t i) const {
    return (i >= 0 && i < getCount()) ? values3_[static_cast<std::size_t>(i)] : kOutOfRangeValue;
}

BufferedImage* BufferedImageSet::getImage(std::int32_t i) const {
    return (i >= 0 && i < getCount()) ? images_[static_cast<std::size_t>(i)].get() : nullptr;
}

Pooled<BufferedImageSet> BufferedImageSet::copyAll() const {
    Pooled<BufferedImageSet> set = take();
    if (!set) return {};
    for (std::int32_t i = 0; i < getCount(); ++i) {
        Pooled<BufferedImage> copy = getImage(i)->copy();
        if (!copy) return {};
        set->add(std::move(copy), getDepth(i), getValue2(i), getValue3(i));
    }
    set->frameRects_ = frameRects_;
    set->setAnimation(animated_, loopCount_);
    set->setColourProfile(colourProfile_);
    return set;
}

Pooled<BufferedImageSet> BufferedImageSet::coalesced() const {
    Pooled<BufferedImageSet> set = copyAll();
    if (!set || !set->coalesce()) return {};
    return set;
}

bool BufferedImageSet::coalesce() {
    // The members move to a holder and come back composed one by one, each
    // source frame released once drawn: an animation costs its pictures
    // plus a frame or two, not a second copy of every frame.
    Pooled<BufferedImageSet> frames = take();
    if (!frames) return false;
    frames->images_.swap(images_);
    frames->depths_.swap(depths_);
    frames->values2_.swap(values2_);
    frames->values3_.swap(values3_);
    largestWidth_ = largestHeight_ = largestDepth_ = largestIndex_ = 0;
    const bool composed =
        frameRects_.empty() ? drawOverPrevious(*frames) : composeOnScreen(*frames);
    if (!composed) {
        clear();
        return false;
    }
    if (!frameRects_.empty()) frameRects_.resize(images_.size());
    animated_ = true;
    return true;
}

bool BufferedImageSet::drawOverPrevious(BufferedImageSet& frames) {
    for (std::int32_t i = 0; i < frames.getCount(); ++i) {
        Pooled<BufferedImage> frame = std::move(frames.images_[static_cast<std::size_t>(i)]);
        std::int32_t value3 = frames.getValue3(i);
        if (i > 0 && value3 == 1) {
            // The frame is drawn over the picture left by the previous frame.
            Pooled<BufferedImage> picture = getImage(i - 1)->copy();
            if (!picture) return false;
            picture->drawImage(0, 0, 0, 0, *frame, 0, 0, false);
            frame = std::move(picture);
            value3 = 2;
        }
        add(std::move(frame), frames.getDepth(i), frames.getValue2(i), value3);
    }
    return true;
}

bool BufferedImageSet::composeOnScreen(BufferedImageSet& frames) {
    constexpr std::int32_t kClearRectangle = 2;
    constexpr std::int32_t kRestorePrevious = 3;
    if (frames.images_.empty()) return true;
    std::int32_t width = 0, height = 0;
    for (const Pooled<BufferedImage>& member : frames.images_) {
        width = std::max(width, member->getWidth());
        height = std::max(height, member->getHeight());
    }
    Pooled<BufferedImage> screen = BufferedImage::createImage(width, height);
    Pooled<BufferedImage> saved;
    if (!screen) return false;
    screen->setAlpha(true);
    for (std::int32_t i = 0; i < frames.getCount(); ++i) {
        if (i > 0) {
            Pooled<BufferedImage> previous =
                std::move(frames.images_[static_cast<std::size_t>(i - 1)]);
            if (frames.getValue3(i - 1) == kClearRectangle) {
                FrameRect rect{0, 0, previous->getWidth(), previous->getHeight()};
                getFrameRect(i - 1, rect);
                clearToTransparent(*screen, rect);
            } else if (frames.getValue3(i - 1) == kRestorePrevious && saved) {
                saved->copyInto(*screen);
                screen->setAlpha(true);
            }
        }
        if (frames.getValue3(i) == kRestorePrevious) {
            if (!saved) saved = BufferedImage::take();
            if (!saved || !screen->copyInto(*saved)) return false;
        }
        screen->drawImage(0, 0, 0, 0, *frames.getImage(i), 0, 0, false);
        Pooled<BufferedImage> picture = screen->copy();
        if (!picture) return false;
        picture->detectAlpha();
        add(std::move(picture), frames.getDepth(i), frames.getValue2(i), frames.getValue3(i));
    }
    return true;
}

void BufferedImageSet::setFrameRect(std::int32_t i, const FrameRect& rect) {
    if (i < 0 || i >= getCount()) return;
    if (frameRects_.size() < images_.size()) frameRects_.resize(images_.size());
    frameRects_[static_cast<std::size_t>(i)] = rect;
}

bool BufferedImageSet::getFrameRect(std::int32_t i, FrameRect& rect) const {
    if (i < 0 || static_cast<std::size_t>(i) >= frameRects_.size() || i >= getCount() ||
        frameRects_[static_cast<std::size_t>(i)].width <= 0) {
        return false;
    }
    rect = frameRects_[static_cast<std::size_t>(i)];
    return true;
}

Pooled<BufferedImageSet> BufferedImageSet::scaledAll(std::int32_t w, std::int32_t h,
                                                     bool keepRatio) {
    Pooled<BufferedImageSet> set = take();
    if (!set) return {};
    for (std::int32_t i = 0; i < getCount(); ++i) {
        BufferedImage* scaled = getImage(i)->scaled(w, h, keepRatio);
        Pooled<BufferedImage> copy = scaled ? scaled->copy() : nullptr;
        if (!copy) return {};
        set->add(std::move(copy), getDepth(i), getValue2(i), getValue3(i));
    }
    set->setAnimation(animated_, loopCount_);
    set->setColourProfile(colourProfile_);
    return set;
}

Pooled<BufferedImageSet> BufferedImageSet::filteredAll() {
    Pooled<BufferedImageSet> set = take();
    if (!set) return {};
    for (std::int32_t i = 0; i < getCount(); ++i) {
        BufferedImage* filtered = getImage(i)->getFilteredOrSelf();
        Pooled<BufferedImage> copy = filtered ? filtered->copy() : nullptr;
        if (!copy) return {};
        set->add(std::move(copy), getDepth(i), getValue2(i), getValue3(i));
    }
    set->setAnimation(animated_, loopCount_);
    set->setColourProfile(colourProfile_);
    return set;
}

bool BufferedImageSet::findExact(std::int32_t w, std::int32_t h, std::int32_t depth,
                                 std::int32_t& index) const {
    for (std::int32_t i = 0; i < getCount(); ++i) {
        const BufferedImage& image = *images_[static_cast<std::size_t>(i)];
        if (image.getWidth() == w && image.getHeight() == h && getDepth(i) == depth) {
            index = i;
            return true;
        }
    }
    return false;
}

bool BufferedImageSet::findNearestDepthFirst(std::int32_t w, std::int32_t h, std::int32_t depth,
                                             std::int32_t& index) const {
    return findNearest(w, h, depth, true, index);
}

bool BufferedImageSet::findNearestSizeFirst(std::int32_t w, std::int32_t h, std::int32_t depth,
                                            std::int32_t& index) const {
    return findNearest(w, h, depth, false, index);
}

bool BufferedImageSet::findNearest(std::int32_t w, std::int32_t h, std::int32_t depth,
                                   bool depthFirst, std::int32_t& index) const {
    if (findExact(w, h, depth, index)) return true;
    const std::int32_t wanted = area32(w, h);
    Candidate best;
    bool found = false;
    index = 0;
    for (std::int32_t i = 0; i < getCount(); ++i) {
        const BufferedImage& image = *images_[static_cast<std::size_t>(i)];
        const Candidate member{area32(image.getWidth(), image.getHeight()), getDepth(i)};
        const std::int32_t depthGap = distance32(depth, member.depth);
        const std::int32_t bestDepthGap = distance32(depth, best.depth);
        const std::int32_t areaGap = distance32(wanted, member.area);
        const std::int32_t bestAreaGap = distance32(wanted, best.area);
        const bool replaces = depthFirst ? nearer(depthGap, bestDepthGap, areaGap, bestAreaGap)
                                         : nearer(areaGap, bestAreaGap, depthGap, bestDepthGap);
        if (replaces) {
            best = member;
            index = i;
            found = true;
        }
    }
    return found;
}

std::vector<Pooled<BufferedImage>> BufferedImageSet::detachAll() {
    std::vector<Pooled<BufferedImage>> members;
    members.swap(images_);
    depths_.clear();
    values2_.clear();
    values3_.clear();
    frameRects_.clear();
    animated_ = false;
    largestWidth_ = largestHeight_ = largestDepth_ = largestIndex_ = 0;
    return members;
}

void BufferedImageSet::clear() {
    detachAll();  // the returned handles release the members
    loopCount_ = 1;
    colourProfile_.reset();
}

}  // namespace s::image::win
