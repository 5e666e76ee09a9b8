#include "formats/bmp/RowConverter.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace s::image::bmp {

RowConverter::RowConverter(std::int32_t bitCount, bool bitFields, const std::uint8_t* colourTable,
                           std::int32_t colourCount, const ChannelMasks& masks)
    : masks_(masks), convert_(bgra32) {
    palette_.fill(0xFF000000u);
    const std::int32_t entries = std::clamp(colourCount, 0, 256);
    for (std::int32_t i = 0; i < entries; ++i) {
        const std::uint8_t* e = colourTable + 4 * i;
        palette_[i] = 0xFF000000u | static_cast<std::uint32_t>(e[2]) << 16 |
                      static_cast<std::uint32_t>(e[1]) << 8 | e[0];
    }
    switch (bitCount) {
        case 1:
            convert_ = indexed1;
            break;
        case 4:
            convert_ = indexed4;
            break;
        case 8:
            convert_ = indexed8;
            break;
        case 16:
            convert_ = masked16;
            break;
        case 24:
            convert_ = bgr24;
            break;
        default:
            convert_ = bitFields ? masked32 : bgra32;
            break;
    }
}

void RowConverter::indexed1(const RowConverter& c, const std::uint8_t* s, std::uint32_t* t,
                            std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x) t[x] = c.palette_[(s[x >> 3] >> (7 - (x & 7))) & 1];
}

void RowConverter::indexed4(const RowConverter& c, const std::uint8_t* s, std::uint32_t* t,
                            std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x) {
        const std::uint8_t pair = s[x >> 1];
        t[x] = c.palette_[(x & 1) ? (pair & 0x0F) : (pair >> 4)];
    }
}

void RowConverter::indexed8(const RowConverter& c, const std::uint8_t* s, std::uint32_t* t,
                            std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x) t[x] = c.palette_[s[x]];
}

void RowConverter::masked16(const RowConverter& c, const std::uint8_t* s, std::uint32_t* t,
                            std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x) {
        t[x] = c.masks_.toPixel(static_cast<std::uint32_t>(s[2 * x] | s[2 * x + 1] << 8));
    }
}

void RowConverter::masked32(const RowConverter& c, const std::uint8_t* s, std::uint32_t* t,
                            std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x) {
        const std::uint8_t* p = s + 4 * x;
        t[x] = c.masks_.toPixel(
            static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
            static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
    }
}

void RowConverter::bgr24(const RowConverter&, const std::uint8_t* s, std::uint32_t* t,
                         std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x) {
        const std::uint8_t* p = s + 3 * x;
        t[x] = 0xFF000000u | static_cast<std::uint32_t>(p[2]) << 16 |
               static_cast<std::uint32_t>(p[1]) << 8 | p[0];
    }
}

void RowConverter::bgra32(const RowConverter&, const std::uint8_t* s, std::uint32_t* t,
                          std::int32_t width) {
    // Memory order blue, green, red, alpha is the pixel word on a
    // little-endian machine, so the row is copied as it is.
    static_assert(std::endian::native == std::endian::little);
    std::memcpy(t, s, static_cast<std::size_t>(width) * 4);
}

}  // namespace s::image::bmp
