// Anything with a width and a height: pixel images, image sets and encoded
// images all answer these two questions.
#pragma once

#include <cstdint>

#include "foundation/IObject.h"

namespace s::image {

class IImage : public s::base::IObject {
public:
    virtual std::int32_t getWidth() const = 0;
    virtual std::int32_t getHeight() const = 0;
};

}  // namespace s::image
