#include "formats/bmp/BmpHeaders.h"

namespace s::image::bmp {
namespace {

std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::int32_t s32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(u32(p));
}

void put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

FileHeader FileHeader::parse(const std::uint8_t* bytes) {
    FileHeader h;
    h.type = u16(bytes);
    h.size = u32(bytes + 2);
    h.reserved1 = u16(bytes + 6);
    h.reserved2 = u16(bytes + 8);
    h.offBits = u32(bytes + 10);
    return h;
}

void FileHeader::serialize(std::uint8_t* bytes) const {
    put16(bytes, type);
    put32(bytes + 2, size);
    put16(bytes + 6, reserved1);
    put16(bytes + 8, reserved2);
    put32(bytes + 10, offBits);
}

bool InfoHeader::isKnownSize(std::uint32_t size) {
    switch (size) {
        case 12:   // OS/2 1.x core header
        case 16:   // OS/2 2.x header cut after the bit count
        case 40:   // Windows 3.x
        case 52:   // with red, green and blue masks
        case 56:   // with an alpha mask as well
        case 64:   // OS/2 2.x full header
        case 108:  // version 4
        case 124:  // version 5
            return true;
        default:
            return false;
    }
}

InfoHeader InfoHeader::parse(const std::uint8_t* bytes, std::uint32_t size,
                             std::array<std::uint32_t, 4>& masks) {
    InfoHeader h;
    masks = {0, 0, 0, 0};
    h.size = size;
    if (size == 12) {
        // The core header's width and height are unsigned 16-bit values.
        h.width = u16(bytes + 4);
        h.height = u16(bytes + 6);
        h.planes = u16(bytes + 8);
        h.bitCount = u16(bytes + 10);
        return h;
    }
    h.width = s32(bytes + 4);
    h.height = s32(bytes + 8);
    h.planes = u16(bytes + 12);
    h.bitCount = u16(bytes + 14);
    // OS/2 2.x headers may end after any field; missing fields are zero.
    h.compression = size >= 20 ? u32(bytes + 16) : 0;
    h.sizeImage = size >= 24 ? u32(bytes + 20) : 0;
    h.xPelsPerMeter = size >= 28 ? s32(bytes + 24) : 0;
    h.yPelsPerMeter = size >= 32 ? s32(bytes + 28) : 0;
    h.clrUsed = size >= 36 ? u32(bytes + 32) : 0;
    h.clrImportant = size >= 40 ? u32(bytes + 36) : 0;
    if (!isOs2Size(size)) {
        for (std::uint32_t i = 0; i < 4 && 40 + 4 * (i + 1) <= size; ++i) {
            masks[i] = u32(bytes + 40 + 4 * i);
        }
    }
    return h;
}

void InfoHeader::serialize(std::uint8_t* bytes) const {
    put32(bytes, kSize);
    put32(bytes + 4, static_cast<std::uint32_t>(width));
    put32(bytes + 8, static_cast<std::uint32_t>(height));
    put16(bytes + 12, planes);
    put16(bytes + 14, bitCount);
    put32(bytes + 16, compression);
    put32(bytes + 20, sizeImage);
    put32(bytes + 24, static_cast<std::uint32_t>(xPelsPerMeter));
    put32(bytes + 28, static_cast<std::uint32_t>(yPelsPerMeter));
    put32(bytes + 32, clrUsed);
    put32(bytes + 36, clrImportant);
}

}  // namespace s::image::bmp
