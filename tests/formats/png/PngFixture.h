// Helpers for the PNG codec tests: suite files, reading and writing through
// memory streams, chunk-level builders for hand-made files.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formats/png/Png.h"
#include "foundation/MemoryStreams.h"
#include "image/BufferedImage.h"

namespace tarvex::test {

using s::image::png::win::Png;
using s::image::win::BufferedImage;
using s::thread::Pooled;
using Bytes = std::vector<std::uint8_t>;

inline const std::filesystem::path kPngData = std::filesystem::path(TARVEX_TEST_DATA) / "png";

inline Bytes readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The names of the suite files for which keep(name) is true, sorted.
template <class Keep>
std::vector<std::string> suiteFiles(Keep keep) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kPngData)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".png" && keep(name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

inline Pooled<Png> readPng(const Bytes& bytes) {
    Pooled<Png> png = Png::take();
    s::io::MemoryInputStream stream(bytes.data(), bytes.size());
    png->readFrom(stream);
    return png;
}

// The decoded picture of the bytes, or null when they are refused.
inline Pooled<BufferedImage> decodePng(const Bytes& bytes) {
    Pooled<Png> png = readPng(bytes);
    Pooled<BufferedImage> image;
    if (png->isValid()) png->decode(0, nullptr, image);
    return image;
}

inline Bytes writePng(Png& png) {
    s::io::MemoryOutputStream out;
    EXPECT_TRUE(png.writeTo(out)) << png.getLastMessage();
    return out.take();
}

// The logical pixels, top row first (0xAARRGGBB).
inline std::vector<std::uint32_t> pixelsOf(const BufferedImage& image) {
    std::vector<std::uint32_t> pixels;
    for (std::int32_t y = 0; y < image.getHeight(); ++y) {
        const std::uint32_t* row = image.getPixelRow(y);
        pixels.insert(pixels.end(), row, row + image.getWidth());
    }
    return pixels;
}

// A w x h image with the given pixels, top row first.
inline Pooled<BufferedImage> imageOf(std::int32_t w, std::int32_t h,
                                     const std::vector<std::uint32_t>& pixels, bool hasAlpha) {
    Pooled<BufferedImage> image = BufferedImage::createImage(w, h);
    for (std::int32_t y = 0; y < h; ++y) {
        std::memcpy(image->getPixelRow(y), &pixels[std::size_t(y) * w], std::size_t(w) * 4);
    }
    image->setAlpha(hasAlpha);
    return image;
}

// Pseudo-random pixels (alpha included), the same for the same seed.
inline std::vector<std::uint32_t> noise(std::size_t count, std::uint32_t seed) {
    std::vector<std::uint32_t> pixels(count);
    for (auto& p : pixels) p = seed = seed * 1664525u + 1013904223u;
    return pixels;
}

// A chunk with its length and CRC.
inline Bytes chunk(const char* type, const Bytes& data, std::uint32_t declaredLength = 0) {
    const std::uint32_t length =
        declaredLength ? declaredLength : static_cast<std::uint32_t>(data.size());
    Bytes b;
    b.reserve(12 + data.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        b.push_back(static_cast<std::uint8_t>(length >> shift));
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(type[i]));
    b.insert(b.end(), data.begin(), data.end());
    // Over the type and the data, which follow the length in b.
    const uLong crc = crc32(0, &b[4], static_cast<uInt>(4 + data.size()));
    for (int shift = 24; shift >= 0; shift -= 8)
        b.push_back(static_cast<std::uint8_t>(crc >> shift));
    return b;
}

inline Bytes ihdr(std::uint32_t w, std::uint32_t h, std::uint8_t depth, std::uint8_t colourType) {
    Bytes d;
    for (std::uint32_t v : {w, h}) {
        for (int shift = 24; shift >= 0; shift -= 8)
            d.push_back(static_cast<std::uint8_t>(v >> shift));
    }
    d.insert(d.end(), {depth, colourType, 0, 0, 0});
    return chunk("IHDR", d);
}

inline Bytes deflated(const Bytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
    out.resize(size);
    return out;
}

// Signature followed by the chunks.
inline Bytes pngFile(std::initializer_list<Bytes> chunks) {
    Bytes b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    for (const Bytes& c : chunks) b.insert(b.end(), c.begin(), c.end());
    return b;
}

}  // namespace tarvex::test
