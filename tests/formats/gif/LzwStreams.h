// Helpers for looking inside LZW data: joining GIF sub-blocks, writing codes
// by hand, and listing the codes of a stream with the bit width each was read at.
#pragma once

#include <cstdint>
#include <vector>

namespace gif_test {

// Sub-blocks as the compressor writes them (length byte, payload, ...,
// without the terminator).
struct SubBlocks {
    std::vector<std::uint8_t> payload;
    std::vector<int> lengths;
    bool wellFormed = true;  // every length 1..254, nothing left over
};

inline SubBlocks joinSubBlocks(const std::vector<std::uint8_t>& bytes) {
    SubBlocks blocks;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const int length = bytes[at++];
        if (length == 0 || length > 254 || at + length > bytes.size()) {
            blocks.wellFormed = false;
            break;
        }
        blocks.lengths.push_back(length);
        blocks.payload.insert(blocks.payload.end(), bytes.begin() + at,
                              bytes.begin() + at + length);
        at += length;
    }
    return blocks;
}

// Packs codes least significant bit first.
class BitWriter {
public:
    void put(int code, int width) {
        for (int i = 0; i < width; ++i) {
            if (bits_ % 8 == 0) bytes_.push_back(0);
            if ((code >> i) & 1) bytes_.back() |= static_cast<std::uint8_t>(1 << (bits_ % 8));
            ++bits_;
        }
    }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    long bits_ = 0;
};

struct Code {
    int value;
    int width;
    long bit;  // offset of its first bit
};

// Reads codes with the width a GIF decoder uses at each point (the table
// grows by one entry per code after the first since the last clear, up to
// 4096 entries), until the end code or the end of the data.
inline std::vector<Code> listCodes(const std::vector<std::uint8_t>& payload, int minCodeSize) {
    const int clear = 1 << minCodeSize;
    std::vector<Code> codes;
    int width = minCodeSize + 1, next = clear + 2;
    bool first = true;
    long bit = 0;
    while (bit + width <= static_cast<long>(payload.size()) * 8) {
        int value = 0;
        for (int i = 0; i < width; ++i)
            value |= ((payload[(bit + i) / 8] >> ((bit + i) % 8)) & 1) << i;
        codes.push_back({value, width, bit});
        bit += width;
        if (value == clear + 1) break;
        if (value == clear) {
            width = minCodeSize + 1;
            next = clear + 2;
            first = true;
            continue;
        }
        if (!first && next < 4096 && ++next >= (1 << width) && width < 12) ++width;
        first = false;
    }
    return codes;
}

}  // namespace gif_test
