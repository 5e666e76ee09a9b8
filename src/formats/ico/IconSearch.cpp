#include "formats/ico/IconSearch.h"

namespace s::image::ico {

namespace {

// The area and depth the nearest searches start from (0xFF000001 as a
// signed 32-bit value); any real image beats it.
constexpr std::int32_t kNoCandidate = -16777215;

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

bool nearer(std::int32_t primary, std::int32_t bestPrimary, std::int32_t secondary,
            std::int32_t bestSecondary) {
    if (primary != bestPrimary) return primary < bestPrimary;
    return secondary < bestSecondary;
}

}  // namespace

bool IconSearch::findExact(const std::vector<Candidate>& images, std::int32_t w, std::int32_t h,
                           std::int32_t depth, std::int32_t& index) {
    for (std::size_t i = 0; i < images.size(); ++i) {
        const Candidate& c = images[i];
        if (c.width == w && c.height == h && c.depth == depth) {
            index = static_cast<std::int32_t>(i);
            return true;
        }
    }
    return false;
}

bool IconSearch::findNearest(const std::vector<Candidate>& images, std::int32_t w, std::int32_t h,
                             std::int32_t depth, bool depthFirst, std::int32_t& index) {
    if (findExact(images, w, h, depth, index)) return true;
    const std::int32_t wanted = area32(w, h);
    std::int32_t bestArea = kNoCandidate, bestDepth = kNoCandidate;
    bool found = false;
    index = 0;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::int32_t area = area32(images[i].width, images[i].height);
        const std::int32_t depthGap = distance32(depth, images[i].depth);
        const std::int32_t bestDepthGap = distance32(depth, bestDepth);
        const std::int32_t areaGap = distance32(wanted, area);
        const std::int32_t bestAreaGap = distance32(wanted, bestArea);
        const bool replaces = depthFirst ? nearer(depthGap, bestDepthGap, areaGap, bestAreaGap)
                                         : nearer(areaGap, bestAreaGap, depthGap, bestDepthGap);
        if (replaces) {
            bestArea = area;
            bestDepth = images[i].depth;
            index = static_cast<std::int32_t>(i);
            found = true;
        }
    }
    return found;
}

}  // namespace s::image::ico
