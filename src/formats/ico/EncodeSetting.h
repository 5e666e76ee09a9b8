// s::image::ico::EncodeSetting -- the parameters of the ICO writer and the
// building of an Icon from pixel images.
//
// encodeSet() with a layout list (one entry per set member, each bitCount |
// width << 16) gives an icon with one image per member, in member order:
// the member (its filtered result when it has filters) scaled to width x
// width, or with keepRatio fitted inside that square and centred on a
// transparent background, stored at the entry's depth. Without a layout of
// the set's length, the set's largest member goes to encode().
//
// encode() gives an icon with one image per combination of the size and
// depth lists (sizes outer, depths inner), built the same way; with either
// list empty it gives nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/IEncodeSetting.h"
#include "foundation/EasyPooler.h"

namespace s::image::ico {

namespace win {
class Icon;
}

class EncodeSetting final : public s::image::IEncodeSetting {
    TARVEX_POOLED(EncodeSetting, "s_image_ico_EncodeSetting")
public:
    EncodeSetting() = default;
    void reset() override;

    s::thread::Pooled<s::image::IEncodedImage> encode(s::image::win::BufferedImage& image) override;
    s::thread::Pooled<s::image::IEncodedImage> encodeSet(
        s::image::win::BufferedImageSet& set) override;

    // A layout entry and its two halves (width up to 65535).
    static std::int32_t layoutEntry(std::int32_t width, std::int32_t bitCount) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(width) << 16 |
                                         (static_cast<std::uint32_t>(bitCount) & 0xFFFF));
    }
    static std::int32_t layoutWidth(std::int32_t entry) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(entry) >> 16);
    }
    static std::int32_t layoutBitCount(std::int32_t entry) { return entry & 0xFFFF; }

    std::uint8_t keepTransparency = 1;
    std::int32_t backgroundRed = 255;
    std::int32_t backgroundGreen = 255;
    std::int32_t backgroundBlue = 255;
    std::uint8_t keepRatio = 1;
    std::vector<std::int32_t> sizes;
    std::vector<std::int32_t> depths;
    std::vector<std::int32_t> layout;

private:
    // Adds one image of size x size at bitCount made from image to icon.
    bool addImage(win::Icon& icon, s::image::win::BufferedImage& image, std::int32_t size,
                  std::int32_t bitCount) const;
    // The image scaled to size x size, or fitted and centred in a transparent
    // square of that size; `square` holds the square when one was made.
    s::image::win::BufferedImage* squared(
        s::image::win::BufferedImage& image, std::int32_t size,
        s::thread::Pooled<s::image::win::BufferedImage>& square) const;
};

}  // namespace s::image::ico
