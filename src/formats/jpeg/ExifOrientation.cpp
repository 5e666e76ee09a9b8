#include "formats/jpeg/ExifOrientation.h"

#include <cstring>

namespace s::image::jpg::win {

namespace {
constexpr std::uint8_t kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::size_t kEntrySize = 12;
}  // namespace

bool ExifOrientation::TiffView::read16(std::size_t at, std::uint16_t& out) const {
    if (at > size || size - at < 2) return false;
    const std::uint8_t* p = data + at;
    out = bigEndian ? static_cast<std::uint16_t>(p[0] << 8 | p[1])
                    : static_cast<std::uint16_t>(p[1] << 8 | p[0]);
    return true;
}

bool ExifOrientation::TiffView::read32(std::size_t at, std::uint32_t& out) const {
    if (at > size || size - at < 4) return false;
    const std::uint8_t* p = data + at;
    out = bigEndian ? (std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 |
                       std::uint32_t{p[2]} << 8 | p[3])
                    : (std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 |
                       std::uint32_t{p[1]} << 8 | p[0]);
    return true;
}

bool ExifOrientation::isExif(const std::uint8_t* payload, std::size_t size) {
    return size >= sizeof(kExifId) && std::memcmp(payload, kExifId, sizeof(kExifId)) == 0;
}

int ExifOrientation::fromApp1(const std::uint8_t* payload, std::size_t size) {
    if (!isExif(payload, size)) return kUpright;
    TiffView tiff{payload + sizeof(kExifId), size - sizeof(kExifId), false};
    if (tiff.size < 8) return kUpright;
    if (tiff.data[0] == 'M' && tiff.data[1] == 'M') {
        tiff.bigEndian = true;
    } else if (tiff.data[0] != 'I' || tiff.data[1] != 'I') {
        return kUpright;
    }
    std::uint16_t magic = 0;
    if (!tiff.read16(2, magic) || magic != 42) return kUpright;
    return fromTiff(tiff);
}

int ExifOrientation::fromTiff(const TiffView& tiff) {
    std::uint32_t ifd = 0;
    std::uint16_t count = 0;
    if (!tiff.read32(4, ifd) || !tiff.read16(ifd, count)) return kUpright;
    // Entries follow the 2-byte count; read16/read32 reject any that run
    // past the block, so a count larger than the block holds is harmless.
    const std::size_t first = std::size_t{ifd} + 2;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = first + i * kEntrySize;
        std::uint16_t tag = 0, type = 0, value = 0;
        std::uint32_t items = 0;
        if (!tiff.read16(entry, tag)) return kUpright;
        if (tag != kOrientationTag) continue;
        if (!tiff.read16(entry + 2, type) || !tiff.read32(entry + 4, items) ||
            !tiff.read16(entry + 8, value)) {
            return kUpright;
        }
        if (type != kTypeShort || items < 1 || value < 1 || value > 8) return kUpright;
        return value;
    }
    return kUpright;
}

}  // namespace s::image::jpg::win
