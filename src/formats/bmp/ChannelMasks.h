// s::image::bmp::ChannelMasks -- the red, green, blue and alpha bit masks of
// a 16- or 32-bit BMP, and the extraction of 8-bit channels through them.
//
// A mask set is accepted only when every mask is one contiguous run of bits
// inside the pixel's bit count and no two masks overlap; red, green and blue
// may not all be empty. A channel narrower than 8 bits is stretched so that
// its largest value becomes 255 (five bits of 31 give 255, not 248); a wider
// one keeps its top 8 bits. An empty colour mask gives 0 for that channel,
// an empty alpha mask gives opaque pixels.
#pragma once

#include <array>
#include <cstdint>

namespace s::image::bmp {

class ChannelMasks {
public:
    enum Index { kRed = 0, kGreen = 1, kBlue = 2, kAlpha = 3 };

    // The layout of uncompressed files: 5-5-5 for 16 bits, blue-green-red-x
    // bytes for 32 bits (no alpha mask: the reader handles the fourth byte).
    static ChannelMasks defaults(std::int32_t bitCount);

    // Validates and takes the masks (red, green, blue, alpha). False (this
    // object unchanged) when the set is not usable for the bit count.
    bool assign(const std::array<std::uint32_t, 4>& masks, std::int32_t bitCount);

    const std::array<std::uint32_t, 4>& masks() const { return masks_; }
    bool hasAlpha() const { return masks_[kAlpha] != 0; }

    // The pixel 0xAARRGGBB of one stored value.
    std::uint32_t toPixel(std::uint32_t value) const {
        return static_cast<std::uint32_t>(channel(kAlpha, value)) << 24 |
               static_cast<std::uint32_t>(channel(kRed, value)) << 16 |
               static_cast<std::uint32_t>(channel(kGreen, value)) << 8 | channel(kBlue, value);
    }

private:
    struct Channel {
        std::uint32_t mask = 0;
        std::uint8_t shift = 0;
        // Values of channels up to 8 bits wide map through `scale`; wider
        // ones are shifted down by `dropBits` first.
        std::uint8_t dropBits = 0;
        std::array<std::uint8_t, 256> scale{};
    };

    static bool isContiguous(std::uint32_t mask);
    static Channel makeChannel(std::uint32_t mask, std::uint8_t empty);

    std::uint8_t channel(Index i, std::uint32_t value) const {
        const Channel& c = channels_[i];
        return c.scale[((value & c.mask) >> c.shift) >> c.dropBits];
    }

    std::array<std::uint32_t, 4> masks_{};
    std::array<Channel, 4> channels_{};
};

}  // namespace s::image::bmp
