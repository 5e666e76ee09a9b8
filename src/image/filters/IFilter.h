// s::image::filters::IFilter -- work attached to an image's filter chain,
// mapping one image to another.
#pragma once

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "image/BufferedImage.h"

namespace s::image::filters {

class IFilter : public s::base::IObject, public s::thread::IPoolable {
public:
    // The filter kind's name, compared by identity ("SCALE" for ScaleFilter).
    virtual const char* getName() const = 0;
    virtual bool isOwnedByImage() const = 0;
    virtual void setOwnedByImage(bool owned) = 0;
    // Turns input into a result: output when given (and reused), otherwise
    // a new pooled image whose ownership passes to the caller through
    // `created`. Returns the result, or null when it cannot be made.
    virtual s::image::win::BufferedImage* apply(
        s::image::win::BufferedImage& input, s::image::win::BufferedImage* output,
        s::thread::Pooled<s::image::win::BufferedImage>& created) = 0;
};

}  // namespace s::image::filters
