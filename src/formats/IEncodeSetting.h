// s::image::IEncodeSetting -- the parameter record of one format's writer.
//
// Each codec has one pooled record class holding its writer's parameters
// (background colour, depth, flags ...). A codec's encodeImage/encodeSet
// take a record from its pool, set the values that codec always uses, and
// let the record build the new encoded image. Records never change the set
// they are given; they return a null handle when nothing can be encoded.
#pragma once

#include "formats/IEncodedImage.h"
#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "image/BufferedImage.h"
#include "image/BufferedImageSet.h"

namespace s::image {

class IEncodeSetting : public s::base::IObject, public s::thread::IPoolable {
public:
    // Encodes the image (its filtered result when it has filters).
    virtual s::thread::Pooled<IEncodedImage> encode(s::image::win::BufferedImage& image) = 0;
    // Encodes the set the way the format stores sets (for single-image
    // formats: the set's largest member).
    virtual s::thread::Pooled<IEncodedImage> encodeSet(s::image::win::BufferedImageSet& set) = 0;
};

}  // namespace s::image
