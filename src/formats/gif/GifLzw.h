// s::image::gif::win::GifLzw -- the LZW compressor of GIF image data.
//
// Turns one frame's palette indices into GIF data sub-blocks: variable-width
// codes of 3 to 12 bits packed least significant bit first, a clear code at
// the start and whenever the 4096-entry string table is full (the clear code
// itself is still written 12 bits wide), an end-of-information code at the
// end, cut into sub-blocks of at most 254 bytes each preceded by its length.
// The minimum-code-size byte before the data and the zero-length terminator
// after it are the caller's.
//
// The string table is an open-addressing hash table held in the object, so
// compressing a frame allocates nothing; one object compresses any number of
// frames, one after the other.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "foundation/IOutputStream.h"

namespace s::image::gif::win {

class GifLzw final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(GifLzw, "s_image_gif_win_GifLzw")
public:
    static constexpr std::int32_t kHashSize = 5003;  // a prime above 4096 * 1.2
    static constexpr std::int32_t kHashShift = 4;
    static constexpr std::int32_t kMaxCodeWidth = 12;
    static constexpr std::int32_t kTableLimit = 1 << kMaxCodeWidth;
    static constexpr std::int32_t kBlockPayload = 254;

    GifLzw() = default;
    void reset() override {}

    // Compresses width x height indices into `stream`. `topRow` points at
    // the image's top row; `rowStep` is the signed byte distance from a row
    // to the row below it (negative for bottom-up memory). Every index must
    // be below 2^minCodeSize; minCodeSize is 2 to 8. False when the stream
    // refused a write (compression still runs to the end).
    bool compress(const std::uint8_t* topRow, std::int32_t width, std::int32_t height,
                  std::int32_t minCodeSize, std::ptrdiff_t rowStep, s::io::IOutputStream& stream);

private:
    void start(std::int32_t minCodeSize, s::io::IOutputStream& stream);
    // Looks up the string (prefix, pixel); on a hit `prefix` becomes its code.
    // On a miss `slot` is the free slot where it belongs.
    bool find(std::int32_t pixel, std::int32_t& prefix, std::int32_t& slot) const;
    void addOrClear(std::int32_t key, std::int32_t slot);
    void clearTable();
    void outputCode(std::int32_t code);
    void appendByte(std::uint8_t byte);
    void flushPacket();

    std::int32_t hashCodes_[kHashSize];
    std::int16_t hashValues_[kHashSize];
    std::uint8_t packet_[256];
    std::int32_t packetLength_ = 0;
    bool clearPending_ = false;
    std::int32_t nextCode_ = 0;
    std::int32_t codeWidth_ = 0;
    std::int32_t bitCount_ = 0;
    std::int32_t maxCode_ = 0;
    std::uint32_t accumulator_ = 0;
    std::int32_t initialWidth_ = 0;
    std::int32_t clearCode_ = 0;
    std::int32_t endCode_ = 0;
    s::io::IOutputStream* stream_ = nullptr;
    bool writeFailed_ = false;
};

}  // namespace s::image::gif::win
