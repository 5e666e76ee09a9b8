// s::image::ico::IconSearch -- the image searches of an icon: exact match,
// and nearest by depth then area or by area then depth, with the same
// rules (and the same wrap-around 32-bit distances) as the image set's
// searches, an image's bit count standing for its depth.
#pragma once

#include <cstdint>
#include <vector>

namespace s::image::ico {

class IconSearch {
public:
    struct Candidate {
        std::int32_t width;
        std::int32_t height;
        std::int32_t depth;
    };

    static bool findExact(const std::vector<Candidate>& images, std::int32_t w, std::int32_t h,
                          std::int32_t depth, std::int32_t& index);
    // An exact match wins at once; otherwise the image that is strictly
    // nearer on the first distance, or equal there and strictly nearer on
    // the second, replaces the best so far.
    static bool findNearest(const std::vector<Candidate>& images, std::int32_t w, std::int32_t h,
                            std::int32_t depth, bool depthFirst, std::int32_t& index);
};

}  // namespace s::image::ico
