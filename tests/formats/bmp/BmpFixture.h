// Small BMP files built byte by byte in the tests, and helpers to read them
// and to look at decoded pixels.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "formats/bmp/Bitmap.h"
#include "foundation/MemoryStreams.h"
#include "image/BufferedImage.h"

namespace bmptest {

inline void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline std::uint32_t get32(const std::vector<std::uint8_t>& in, std::size_t at) {
    return in[at] | in[at + 1] << 8 | in[at + 2] << 16 |
           static_cast<std::uint32_t>(in[at + 3]) << 24;
}
inline std::uint16_t get16(const std::vector<std::uint8_t>& in, std::size_t at) {
    return static_cast<std::uint16_t>(in[at] | in[at + 1] << 8);
}

// Pixel rows, bottom row first, each padded with zeros to `stride` bytes.
inline std::vector<std::uint8_t> rows(std::size_t stride,
                                      std::initializer_list<std::vector<std::uint8_t>> bottomUp) {
    std::vector<std::uint8_t> out;
    for (const auto& row : bottomUp) {
        out.insert(out.end(), row.begin(), row.end());
        out.resize(out.size() + stride - row.size(), 0);
    }
    return out;
}

// The description of one BMP file; bytes() lays it out.
struct BmpFile {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t clrUsed = 0;
    std::uint16_t reserved = 0;
    // Written after a 40-byte header, or inside a larger one.
    std::vector<std::uint32_t> masks;
    std::vector<std::uint8_t> palette;  // raw entries (3 bytes each in a 12-byte header)
    std::vector<std::uint8_t> pixels;   // the pixel area as stored
    std::optional<std::uint32_t> offBits;

    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> info;
        put32(info, headerSize);
        if (headerSize == 12) {
            put16(info, static_cast<std::uint32_t>(width));
            put16(info, static_cast<std::uint32_t>(height));
            put16(info, planes);
            put16(info, bitCount);
        } else {
            put32(info, static_cast<std::uint32_t>(width));
            put32(info, static_cast<std::uint32_t>(height));
            put16(info, planes);
            put16(info, bitCount);
            put32(info, compression);
            put32(info, 0);  // size of image
            put32(info, 0);
            put32(info, 0);
            put32(info, clrUsed);
            put32(info, 0);
            if (headerSize > 40) {
                for (std::uint32_t m : masks) put32(info, m);
                // Fields the reader must skip: fill them with noise.
                while (info.size() < headerSize) info.push_back(0xEE);
            } else {
                for (std::uint32_t m : masks) put32(info, m);
            }
        }
        std::vector<std::uint8_t> out;
        const std::uint32_t offset =
            offBits.value_or(static_cast<std::uint32_t>(14 + info.size() + palette.size()));
        put16(out, 0x4D42);
        put32(out, static_cast<std::uint32_t>(offset + pixels.size()));
        put16(out, reserved);
        put16(out, 0);
        put32(out, offset);
        out.insert(out.end(), info.begin(), info.end());
        out.insert(out.end(), palette.begin(), palette.end());
        out.resize(std::max<std::size_t>(out.size(), offset), 0);
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
};

// Palette entries blue, green, red, 0 from 0xRRGGBB colours.
inline std::vector<std::uint8_t> palette(std::initializer_list<std::uint32_t> colours) {
    std::vector<std::uint8_t> out;
    for (std::uint32_t c : colours) put32(out, c & 0xFFFFFF);
    return out;
}

inline bool readBytes(s::image::bmp::win::Bitmap& bitmap, const std::vector<std::uint8_t>& bytes) {
    s::io::MemoryInputStream stream(bytes.data(), bytes.size());
    return bitmap.readFrom(stream);
}

inline std::vector<std::uint8_t> writeBytes(s::image::bmp::win::Bitmap& bitmap) {
    s::io::MemoryOutputStream stream;
    if (!bitmap.writeTo(stream)) return {};
    return stream.take();
}

// Pixels 0xAARRGGBB, top row first.
inline std::vector<std::uint32_t> pixelsOf(const s::image::win::BufferedImage& image) {
    std::vector<std::uint32_t> out;
    for (std::int32_t y = 0; y < image.getHeight(); ++y) {
        const std::uint32_t* row = image.getPixelRow(y);
        out.insert(out.end(), row, row + image.getWidth());
    }
    return out;
}

// A pooled image w x h holding `pixels` (top row first).
inline s::thread::Pooled<s::image::win::BufferedImage> makeImage(
    std::int32_t w, std::int32_t h, const std::vector<std::uint32_t>& pixels, bool hasAlpha) {
    auto image = s::image::win::BufferedImage::createImage(w, h);
    for (std::int32_t y = 0; y < h; ++y) {
        std::uint32_t* row = image->getPixelRow(y);
        for (std::int32_t x = 0; x < w; ++x) row[x] = pixels[static_cast<std::size_t>(y) * w + x];
    }
    image->setAlpha(hasAlpha);
    return image;
}

}  // namespace bmptest
