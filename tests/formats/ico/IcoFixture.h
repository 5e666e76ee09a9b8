// Helpers for the ICO codec tests: icon files and header-less bitmap blocks
// built byte by byte, reading and writing icons through memory streams, and
// small pixel images.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <vector>

#include "formats/ico/Icon.h"
#include "formats/ico/IconImage.h"
#include "foundation/MemoryStreams.h"
#include "image/BufferedImage.h"

namespace icotest {

using Bytes = std::vector<std::uint8_t>;
using s::image::ico::win::Icon;
using s::image::ico::win::IconImage;
using s::image::win::BufferedImage;
using s::thread::Pooled;

inline const std::filesystem::path kIcoData = std::filesystem::path(TARVEX_TEST_DATA) / "ico";

inline Bytes readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void put16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void put32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline std::uint16_t get16(const Bytes& in, std::size_t at) {
    return static_cast<std::uint16_t>(in[at] | in[at + 1] << 8);
}
inline std::uint32_t get32(const Bytes& in, std::size_t at) {
    return in[at] | in[at + 1] << 8 | in[at + 2] << 16 |
           static_cast<std::uint32_t>(in[at + 3]) << 24;
}

inline std::int32_t strideOf(std::int32_t width, std::int32_t bitCount) {
    return ((width * bitCount + 31) >> 3) & ~3;
}

// A header-less icon bitmap as stored: the header (height doubled unless
// headerHeight says otherwise), colour table, colour rows and mask rows,
// both bottom row first. Rows left empty are zero.
struct IconBmp {
    std::int32_t width = 2;
    std::int32_t height = 2;
    std::uint16_t bitCount = 32;
    std::uint32_t headerSize = 40;
    std::uint32_t compression = 0;
    std::uint32_t clrUsed = 0;
    std::optional<std::int32_t> headerHeight;
    Bytes palette;     // 4 bytes per entry
    Bytes colourRows;  // stride x height bytes
    Bytes maskRows;    // maskStride x height bytes; empty: all opaque

    Bytes bytes() const {
        Bytes out;
        put32(out, headerSize);
        put32(out, static_cast<std::uint32_t>(width));
        put32(out, static_cast<std::uint32_t>(headerHeight.value_or(height * 2)));
        put16(out, 1);
        put16(out, bitCount);
        put32(out, compression);
        put32(out, 0);
        put32(out, 0);
        put32(out, 0);
        put32(out, clrUsed);
        put32(out, 0);
        out.resize(headerSize, 0);
        out.insert(out.end(), palette.begin(), palette.end());
        out.insert(out.end(), colourRows.begin(), colourRows.end());
        if (maskRows.empty()) {
            out.resize(out.size() + static_cast<std::size_t>(strideOf(width, 1) * height), 0);
        } else {
            out.insert(out.end(), maskRows.begin(), maskRows.end());
        }
        return out;
    }

    // Colour rows of a 32-bit image, every pixel `bgra` (0xAARRGGBB).
    static IconBmp solid32(std::int32_t w, std::int32_t h, std::uint32_t bgra) {
        IconBmp b;
        b.width = w;
        b.height = h;
        b.bitCount = 32;
        for (std::int32_t i = 0; i < w * h; ++i) put32(b.colourRows, bgra);
        return b;
    }
    // A 1-, 4- or 8-bit image whose pixels all use entry 0 of a one-entry table.
    static IconBmp solidIndexed(std::int32_t w, std::int32_t h, std::uint16_t bits,
                                std::uint32_t rgb) {
        IconBmp b;
        b.width = w;
        b.height = h;
        b.bitCount = bits;
        b.clrUsed = 1;
        put32(b.palette, rgb);
        b.colourRows.assign(static_cast<std::size_t>(strideOf(w, bits) * h), 0);
        return b;
    }
};

// One directory entry with its block; offset and size are computed unless
// given.
struct DirEntry {
    std::uint8_t width = 0;
    std::uint8_t height = 0;
    std::uint16_t bitCount = 32;
    Bytes block;
    std::optional<std::uint32_t> offset;
    std::optional<std::uint32_t> size;
    std::uint8_t reserved = 0;
};

inline DirEntry entryFor(const IconBmp& bmp) {
    DirEntry e;
    e.width = static_cast<std::uint8_t>(bmp.width);
    e.height = static_cast<std::uint8_t>(bmp.height);
    e.bitCount = bmp.bitCount;
    e.block = bmp.bytes();
    return e;
}

inline Bytes iconFile(const std::vector<DirEntry>& entries, std::uint16_t type = 1,
                      std::optional<std::uint16_t> count = std::nullopt) {
    Bytes out;
    put16(out, 0);
    put16(out, type);
    put16(out, count.value_or(static_cast<std::uint16_t>(entries.size())));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const DirEntry& e : entries) {
        out.push_back(e.width);
        out.push_back(e.height);
        out.push_back(0);
        out.push_back(e.reserved);
        put16(out, 1);
        put16(out, e.bitCount);
        put32(out, e.size.value_or(static_cast<std::uint32_t>(e.block.size())));
        put32(out, e.offset.value_or(offset));
        offset += static_cast<std::uint32_t>(e.block.size());
    }
    for (const DirEntry& e : entries) out.insert(out.end(), e.block.begin(), e.block.end());
    return out;
}

inline Pooled<Icon> readIcon(const Bytes& bytes, bool* ok = nullptr) {
    Pooled<Icon> icon = Icon::take();
    s::io::MemoryInputStream in(bytes.data(), bytes.size());
    const bool read = icon->readFrom(in);
    if (ok) *ok = read;
    return icon;
}

inline Bytes writeIcon(s::image::IEncodedImage& icon) {
    s::io::MemoryOutputStream out;
    EXPECT_TRUE(icon.writeTo(out));
    return out.take();
}

inline Pooled<BufferedImage> decodeImage(s::image::IEncodedImage& icon, std::int32_t index) {
    Pooled<BufferedImage> image;
    icon.decode(index, nullptr, image);
    return image;
}

// A w x h image whose pixel (x, y), y = 0 at the top, is pixel(x, y).
inline Pooled<BufferedImage> makeImage(std::int32_t w, std::int32_t h,
                                       const std::function<std::uint32_t(int, int)>& pixel,
                                       bool hasAlpha) {
    Pooled<BufferedImage> image = BufferedImage::createImage(w, h);
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) image->getPixelRow(y)[x] = pixel(x, y);
    }
    image->setAlpha(hasAlpha);
    return image;
}

inline Pooled<BufferedImage> solidImage(std::int32_t w, std::int32_t h, std::uint32_t argb) {
    return makeImage(
        w, h, [argb](int, int) { return argb; }, (argb >> 24) != 0xFF);
}

inline std::uint32_t pixelAt(const BufferedImage& image, std::int32_t x, std::int32_t y) {
    return image.getPixelRow(y)[x];
}

}  // namespace icotest
