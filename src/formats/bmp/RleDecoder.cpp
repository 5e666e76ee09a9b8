#include "formats/bmp/RleDecoder.h"

namespace s::image::bmp {

void RleDecoder::put(std::uint8_t index) {
    // Pixels past the end of the row are dropped; the caller keeps y in range.
    if (x_ < width_) {
        std::uint8_t* row = target_ + static_cast<std::size_t>(y_) * stride_;
        if (bitCount_ == 8) {
            row[x_] = index;
        } else {
            std::uint8_t& pair = row[x_ >> 1];
            pair = (x_ & 1) ? static_cast<std::uint8_t>((pair & 0xF0) | (index & 0x0F))
                            : static_cast<std::uint8_t>((pair & 0x0F) | (index << 4));
        }
    }
    ++x_;
}

void RleDecoder::encoded(std::int32_t count, std::uint8_t value) {
    // RLE4 runs alternate between the two nibbles of the value byte.
    for (std::int32_t i = 0; i < count; ++i) {
        put(bitCount_ == 8 ? value
                           : static_cast<std::uint8_t>((i & 1) ? value & 0x0F : value >> 4));
    }
}

std::size_t RleDecoder::absolute(const std::uint8_t* data, std::size_t available,
                                 std::int32_t count) {
    const std::size_t bytes = bitCount_ == 8 ? count : (count + 1) / 2;
    const std::size_t padded = (bytes + 1) & ~std::size_t{1};
    if (bytes > available) return 0;
    for (std::int32_t i = 0; i < count; ++i) {
        if (bitCount_ == 8) {
            put(data[i]);
        } else {
            const std::uint8_t pair = data[i >> 1];
            put(static_cast<std::uint8_t>((i & 1) ? pair & 0x0F : pair >> 4));
        }
    }
    return padded;
}

void RleDecoder::decode(const std::uint8_t* data, std::size_t size) {
    std::size_t at = 0;
    while (y_ < height_ && at + 2 <= size) {
        const std::uint8_t first = data[at];
        const std::uint8_t second = data[at + 1];
        at += 2;
        if (first != 0) {
            encoded(first, second);
            continue;
        }
        switch (second) {
            case 0:  // end of line
                x_ = 0;
                ++y_;
                break;
            case 1:  // end of bitmap
                return;
            case 2:  // delta: move right and up
                if (at + 2 > size) return;
                x_ += data[at];
                y_ += data[at + 1];
                at += 2;
                break;
            default: {
                const std::size_t used = absolute(data + at, size - at, second);
                if (used == 0) return;
                at += used;
                break;
            }
        }
    }
}

}  // namespace s::image::bmp
