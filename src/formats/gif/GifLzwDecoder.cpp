#include "formats/gif/GifLzwDecoder.h"

#include "formats/gif/GifRowSequence.h"

namespace s::image::gif::win {

namespace {

// Reads codes least significant bit first, never past the data's last bit.
class CodeReader {
public:
    CodeReader(const std::uint8_t* data, std::size_t size)
        : data_(data), bitLimit_(static_cast<std::uint64_t>(size) * 8) {}

    bool read(std::int32_t width, std::int32_t& code) {
        if (bitPosition_ + static_cast<std::uint64_t>(width) > bitLimit_) return false;
        // The code lies within the data; the word may reach into the spare bytes.
        const std::uint8_t* at = data_ + (bitPosition_ >> 3);
        const std::uint32_t word =
            static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
            static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
        code = static_cast<std::int32_t>((word >> (bitPosition_ & 7)) & ((1u << width) - 1));
        bitPosition_ += static_cast<std::uint64_t>(width);
        return true;
    }

private:
    const std::uint8_t* data_;
    std::uint64_t bitLimit_;
    std::uint64_t bitPosition_ = 0;
};

// Places pixels in row order and drops those beyond the frame's last pixel.
class PixelSink {
public:
    PixelSink(std::uint8_t* destination, std::ptrdiff_t stride, std::int32_t width,
              std::int32_t height, bool interlaced)
        : destination_(destination),
          stride_(stride),
          width_(width),
          total_(static_cast<std::int64_t>(width) * height),
          rows_(height, interlaced) {
        if (total_ > 0) row_ = destination_ + stride_ * rows_.row();
    }

    bool full() const { return written_ >= total_; }
    std::int64_t written() const { return written_; }

    void put(std::uint8_t value) {
        if (full()) return;
        if (x_ == width_) {
            rows_.advance();
            row_ = destination_ + stride_ * rows_.row();
            x_ = 0;
        }
        row_[x_++] = value;
        ++written_;
    }

private:
    std::uint8_t* destination_;
    std::ptrdiff_t stride_;
    std::int32_t width_;
    std::int64_t total_;
    GifRowSequence rows_;
    std::uint8_t* row_ = nullptr;
    std::int32_t x_ = 0;
    std::int64_t written_ = 0;
};

}  // namespace

std::int64_t GifLzwDecoder::decompress(const std::uint8_t* data, std::size_t size,
                                       std::uint8_t* destination, std::int32_t minCodeSize,
                                       std::ptrdiff_t stride, std::int32_t width,
                                       std::int32_t height, bool interlaced) {
    if (minCodeSize < 1 || minCodeSize >= kMaxCodeWidth || width <= 0 || height <= 0) return 0;
    const std::int32_t clearCode = 1 << minCodeSize;
    const std::int32_t endCode = clearCode + 1;
    const std::int32_t firstFree = clearCode + 2;

    std::int16_t prefix[kTableLimit];
    std::uint8_t suffix[kTableLimit];
    std::uint8_t stack[kTableLimit + 1];

    CodeReader reader(data, size);
    PixelSink sink(destination, stride, width, height, interlaced);
    std::int32_t codeWidth = minCodeSize + 1;
    std::int32_t nextCode = firstFree;
    std::int32_t previous = -1;  // none: the state after a clear code
    std::int32_t code = 0;
    while (!sink.full() && reader.read(codeWidth, code)) {
        if (code == clearCode) {
            codeWidth = minCodeSize + 1;
            nextCode = firstFree;
            previous = -1;
            continue;
        }
        if (code == endCode) break;
        // A code one past the table is the previous string followed by its
        // own first character; anything beyond that is damage.
        const bool notYetKnown = code >= nextCode;
        if (notYetKnown && (code != nextCode || previous < 0)) break;
        std::int32_t length = 0;
        std::int32_t k = notYetKnown ? previous : code;
        while (k >= firstFree) {
            stack[length++] = suffix[k];
            k = prefix[k];
        }
        stack[length++] = static_cast<std::uint8_t>(k);
        const std::uint8_t first = static_cast<std::uint8_t>(k);
        if (previous >= 0 && nextCode < kTableLimit) {
            prefix[nextCode] = static_cast<std::int16_t>(previous);
            suffix[nextCode] = first;
            ++nextCode;
            if (nextCode >= (1 << codeWidth) && codeWidth < kMaxCodeWidth) ++codeWidth;
        }
        while (length > 0) sink.put(stack[--length]);
        if (notYetKnown) sink.put(first);
        previous = code;
    }
    return sink.written();
}

}  // namespace s::image::gif::win
