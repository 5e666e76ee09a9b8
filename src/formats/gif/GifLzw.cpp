#include "formats/gif/GifLzw.h"

#include <algorithm>

namespace s::image::gif::win {

bool GifLzw::compress(const std::uint8_t* topRow, std::int32_t width, std::int32_t height,
                      std::int32_t minCodeSize, std::ptrdiff_t rowStep,
                      s::io::IOutputStream& stream) {
    start(minCodeSize, stream);
    outputCode(clearCode_);
    if (width > 0 && height > 0) {
        // Indices are cut to the code size, so bad input cannot corrupt the stream.
        const std::int32_t mask = clearCode_ - 1;
        std::int32_t prefix = topRow[0] & mask;
        for (std::int32_t y = 0; y < height; ++y) {
            const std::uint8_t* row = topRow + rowStep * y;
            for (std::int32_t x = (y == 0) ? 1 : 0; x < width; ++x) {
                const std::int32_t pixel = row[x] & mask;
                std::int32_t slot = 0;
                if (find(pixel, prefix, slot)) continue;
                outputCode(prefix);
                addOrClear((pixel << kMaxCodeWidth) + prefix, slot);
                prefix = pixel;
            }
        }
        outputCode(prefix);
    }
    outputCode(endCode_);
    stream_ = nullptr;
    return !writeFailed_;
}

void GifLzw::start(std::int32_t minCodeSize, s::io::IOutputStream& stream) {
    initialWidth_ = codeWidth_ = minCodeSize + 1;
    maxCode_ = (1 << codeWidth_) - 1;
    clearCode_ = 1 << minCodeSize;
    endCode_ = clearCode_ + 1;
    nextCode_ = clearCode_ + 2;
    clearPending_ = false;
    packetLength_ = bitCount_ = 0;
    accumulator_ = 0;
    stream_ = &stream;
    writeFailed_ = false;
    std::fill(std::begin(hashCodes_), std::end(hashCodes_), -1);
}

bool GifLzw::find(std::int32_t pixel, std::int32_t& prefix, std::int32_t& slot) const {
    const std::int32_t key = (pixel << kMaxCodeWidth) + prefix;
    slot = (pixel << kHashShift) ^ prefix;
    if (hashCodes_[slot] == key) {
        prefix = hashValues_[slot];
        return true;
    }
    if (hashCodes_[slot] < 0) return false;
    // Double hashing: the table never holds more than 4096 of its 5003
    // slots, so the probe always reaches a free one.
    const std::int32_t step = (slot == 0) ? 1 : kHashSize - slot;
    do {
        slot -= step;
        if (slot < 0) slot += kHashSize;
        if (hashCodes_[slot] == key) {
            prefix = hashValues_[slot];
            return true;
        }
    } while (hashCodes_[slot] >= 0);
    return false;
}

void GifLzw::addOrClear(std::int32_t key, std::int32_t slot) {
    if (nextCode_ < kTableLimit) {
        hashValues_[slot] = static_cast<std::int16_t>(nextCode_++);
        hashCodes_[slot] = key;
        return;
    }
    clearTable();
}

void GifLzw::clearTable() {
    std::fill(std::begin(hashCodes_), std::end(hashCodes_), -1);
    nextCode_ = clearCode_ + 2;
    clearPending_ = true;
    outputCode(clearCode_);
}

void GifLzw::outputCode(std::int32_t code) {
    accumulator_ &= (bitCount_ > 0) ? ((1u << bitCount_) - 1) : 0u;
    accumulator_ |= static_cast<std::uint32_t>(code) << bitCount_;
    bitCount_ += codeWidth_;
    while (bitCount_ >= 8) {
        appendByte(static_cast<std::uint8_t>(accumulator_ & 0xFF));
        accumulator_ >>= 8;
        bitCount_ -= 8;
    }
    // The width changes after the code that filled the table, so encoder
    // and decoder agree on when the next width starts.
    if (nextCode_ > maxCode_ || clearPending_) {
        if (clearPending_) {
            codeWidth_ = initialWidth_;
            maxCode_ = (1 << codeWidth_) - 1;
            clearPending_ = false;
        } else {
            ++codeWidth_;
            maxCode_ = (codeWidth_ == kMaxCodeWidth) ? kTableLimit : (1 << codeWidth_) - 1;
        }
    }
    if (code == endCode_) {
        while (bitCount_ > 0) {
            appendByte(static_cast<std::uint8_t>(accumulator_ & 0xFF));
            accumulator_ >>= 8;
            bitCount_ -= 8;
        }
        bitCount_ = 0;
        if (packetLength_ > 0) flushPacket();
    }
}

void GifLzw::appendByte(std::uint8_t byte) {
    packet_[packetLength_++] = byte;
    if (packetLength_ >= kBlockPayload) flushPacket();
}

void GifLzw::flushPacket() {
    const std::uint8_t length = static_cast<std::uint8_t>(packetLength_);
    if (!stream_->writeAll(&length, 1) || !stream_->writeAll(packet_, packetLength_)) {
        writeFailed_ = true;
    }
    packetLength_ = 0;
}

}  // namespace s::image::gif::win
