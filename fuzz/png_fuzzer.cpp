// Fuzz target: the PNG reader, decoder and writer.
//
// libpng refuses a chunk whose CRC does not match before any of Tarvex's code
// sees it, and the library is not instrumented, so the fuzzer cannot learn to
// mend CRCs: nearly every mutation would end at the first damaged chunk. Each
// input therefore runs twice: as it is (the CRC checks stay covered), and with
// the CRC of every whole chunk recomputed, so header fields, palettes and
// pixel data that make no sense reach the decoder.
#include <zlib.h>

#include <vector>

#include "FuzzSupport.h"
#include "formats/png/Png.h"

namespace {

// The chunk CRC of PNG files, as zlib computes it.
std::uint32_t chunkCrc(const std::uint8_t* data, std::size_t size) {
    return static_cast<std::uint32_t>(::crc32(0L, data, static_cast<uInt>(size)));
}

std::uint32_t be32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// Recomputes the CRC of every chunk that lies wholly in the bytes; true when
// any changed.
bool mendCrcs(std::vector<std::uint8_t>& bytes) {
    constexpr std::size_t kSignature = 8;
    bool changed = false;
    std::size_t at = kSignature;
    while (at + 12 <= bytes.size()) {
        const std::size_t length = be32(&bytes[at]);
        if (length > bytes.size() - at - 12) break;
        std::uint8_t* crcField = &bytes[at + 8 + length];
        const std::uint32_t crc = chunkCrc(&bytes[at + 4], 4 + length);
        if (be32(crcField) != crc) {
            for (int i = 0; i < 4; ++i)
                crcField[i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
            changed = true;
        }
        at += 12 + length;
    }
    return changed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using s::image::png::win::Png;
    s::fuzz::fuzzCodec<Png>(data, size);
    std::vector<std::uint8_t> mended(data, data + size);
    if (mendCrcs(mended)) s::fuzz::fuzzCodec<Png>(mended.data(), mended.size());
    return 0;
}
