#include "formats/bmp/ChannelMasks.h"

#include <bit>

namespace s::image::bmp {

ChannelMasks ChannelMasks::defaults(std::int32_t bitCount) {
    ChannelMasks m;
    if (bitCount == 16) {
        m.assign({0x7C00, 0x03E0, 0x001F, 0}, 16);
    } else {
        m.assign({0x00FF0000, 0x0000FF00, 0x000000FF, 0}, 32);
    }
    return m;
}

bool ChannelMasks::isContiguous(std::uint32_t mask) {
    if (mask == 0) return true;
    const std::uint32_t run = mask >> std::countr_zero(mask);
    return (run & (run + 1)) == 0;  // run is 2^n - 1
}

ChannelMasks::Channel ChannelMasks::makeChannel(std::uint32_t mask, std::uint8_t empty) {
    Channel c;
    c.mask = mask;
    if (mask == 0) {
        c.scale.fill(empty);
        return c;
    }
    c.shift = static_cast<std::uint8_t>(std::countr_zero(mask));
    const int bits = std::popcount(mask);
    if (bits >= 8) {
        c.dropBits = static_cast<std::uint8_t>(bits - 8);
        for (int v = 0; v < 256; ++v) c.scale[v] = static_cast<std::uint8_t>(v);
        return c;
    }
    // Stretch [0, max] onto [0, 255], rounding to nearest.
    const int max = (1 << bits) - 1;
    for (int v = 0; v <= max; ++v)
        c.scale[v] = static_cast<std::uint8_t>((v * 255 + max / 2) / max);
    return c;
}

bool ChannelMasks::assign(const std::array<std::uint32_t, 4>& masks, std::int32_t bitCount) {
    const std::uint32_t allowed = bitCount >= 32 ? 0xFFFFFFFFu : (1u << bitCount) - 1;
    std::uint32_t seen = 0;
    for (std::uint32_t mask : masks) {
        if (!isContiguous(mask) || (mask & ~allowed) != 0 || (mask & seen) != 0) return false;
        seen |= mask;
    }
    if ((masks[kRed] | masks[kGreen] | masks[kBlue]) == 0) return false;
    masks_ = masks;
    for (int i = 0; i < 3; ++i) channels_[i] = makeChannel(masks[i], 0);
    channels_[kAlpha] = makeChannel(masks[kAlpha], 255);
    return true;
}

}  // namespace s::image::bmp
