#include "formats/jpeg/OrientationTransform.h"

namespace s::image::jpg::win {

using s::image::win::BufferedImage;
using s::thread::Pooled;

namespace {

using Step = Pooled<BufferedImage> (BufferedImage::*)() const;

// One or two steps per orientation; a null second step ends the list.
struct Recipe {
    Step first;
    Step second;
};

constexpr Recipe kRecipes[9] = {
    {nullptr, nullptr},                                                // 0: not a value
    {nullptr, nullptr},                                                // 1: upright
    {&BufferedImage::mirror, nullptr},                                 // 2
    {&BufferedImage::rotate180, nullptr},                              // 3
    {&BufferedImage::flip, nullptr},                                   // 4
    {&BufferedImage::rotateClockwise, &BufferedImage::mirror},         // 5: transpose
    {&BufferedImage::rotateClockwise, nullptr},                        // 6
    {&BufferedImage::rotateCounterClockwise, &BufferedImage::mirror},  // 7: transverse
    {&BufferedImage::rotateCounterClockwise, nullptr},                 // 8
};

}  // namespace

Pooled<BufferedImage> OrientationTransform::upright(Pooled<BufferedImage> image, int orientation) {
    if (!image || orientation < 2 || orientation > 8) return image;
    const Recipe& recipe = kRecipes[orientation];
    for (Step step : {recipe.first, recipe.second}) {
        if (!step) break;
        // The turned copy replaces the image at once, so at most two
        // pictures are alive at any moment.
        image = ((*image).*step)();
        if (!image) return image;
    }
    return image;
}

}  // namespace s::image::jpg::win
