// s::image::ico::IconPalette -- the colour pixels of 1-, 4- and 8-bit icon
// images, built with the colour quantizer.
//
// 4 and 8 bits keep the last colour-table entry (15 or 255) black for the
// pixels the mask makes transparent, so the quantizer gets one colour less
// (15 or 255). 1 bit uses both entries for colours; its transparent pixels
// take the darker of the two, the nearer to the black that the AND/XOR
// drawing of icons expects behind a set mask bit.
#pragma once

#include "formats/bmp/Bitmap.h"
#include "image/BufferedImage.h"

namespace s::image::ico {

class IconPalette {
public:
    // Fills the colour table and rows of `colour`, already created at the
    // source's size and at 1, 4 or 8 bits. Pixels whose alpha is not 255
    // count as transparent when the source's alpha means anything. False
    // when the quantizer cannot be had.
    static bool encode(const s::image::win::BufferedImage& source,
                       s::image::bmp::win::Bitmap& colour);

private:
    static void packOneBit(const s::image::win::BufferedImage& source,
                           s::image::bmp::win::Bitmap& colour, const std::uint8_t* indices,
                           std::int32_t y, std::uint8_t transparentIndex);
};

}  // namespace s::image::ico
