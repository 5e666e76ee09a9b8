// Helpers for the JPEG codec tests: corpus files, decoding from memory,
// and pixel comparisons.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formats/jpeg/Jpeg.h"
#include "foundation/MemoryStreams.h"
#include "image/BufferedImage.h"

namespace tarvex::test {

using s::image::jpg::win::Jpeg;
using s::image::win::BufferedImage;
using s::thread::Pooled;
using Bytes = std::vector<std::uint8_t>;

inline const std::filesystem::path kJpegData = std::filesystem::path(TARVEX_TEST_DATA) / "jpeg";

inline Bytes readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline Bytes corpusFile(const std::string& name) {
    Bytes bytes = readBytes(kJpegData / name);
    EXPECT_FALSE(bytes.empty()) << name;
    return bytes;
}

// A Jpeg read from the bytes (check isValid()).
inline Pooled<Jpeg> readJpeg(const Bytes& bytes) {
    Pooled<Jpeg> jpeg = Jpeg::take();
    s::io::MemoryInputStream stream(bytes.data(), bytes.size());
    jpeg->readFrom(stream);
    return jpeg;
}

// The decoded picture of the bytes, or null when they are refused.
inline Pooled<BufferedImage> decodeJpeg(const Bytes& bytes) {
    Pooled<Jpeg> jpeg = readJpeg(bytes);
    Pooled<BufferedImage> image;
    if (jpeg->isValid()) jpeg->decode(0, nullptr, image);
    return image;
}

inline Pooled<BufferedImage> decodeCorpus(const std::string& name) {
    return decodeJpeg(corpusFile(name));
}

inline Bytes writeJpeg(Jpeg& jpeg) {
    s::io::MemoryOutputStream out;
    EXPECT_TRUE(jpeg.writeTo(out)) << jpeg.getLastMessage();
    return out.take();
}

// Blue, green, red of the pixel at (x, y).
struct Colour {
    int blue, green, red;
};
inline Colour colourAt(const BufferedImage& image, std::int32_t x, std::int32_t y) {
    const std::uint8_t* p = image.getRow(y) + x * 4;
    return {p[0], p[1], p[2]};
}

// Mean absolute difference over the colour channels of two same-size images.
inline double meanDifference(const BufferedImage& a, const BufferedImage& b) {
    EXPECT_EQ(a.getWidth(), b.getWidth());
    EXPECT_EQ(a.getHeight(), b.getHeight());
    if (a.getWidth() != b.getWidth() || a.getHeight() != b.getHeight()) return 255;
    double sum = 0;
    for (std::int32_t y = 0; y < a.getHeight(); ++y) {
        const std::uint8_t* p = a.getRow(y);
        const std::uint8_t* q = b.getRow(y);
        for (std::int32_t i = 0; i < a.getWidth() * 4; ++i) {
            if (i % 4 != 3) sum += std::abs(p[i] - q[i]);
        }
    }
    return sum / (3.0 * a.getWidth() * a.getHeight());
}

// True when both images have the same size and identical rows.
inline bool samePixels(const BufferedImage& a, const BufferedImage& b) {
    if (a.getWidth() != b.getWidth() || a.getHeight() != b.getHeight()) return false;
    for (std::int32_t y = 0; y < a.getHeight(); ++y) {
        if (std::memcmp(a.getRow(y), b.getRow(y), a.getWidth() * 4) != 0) return false;
    }
    return true;
}

}  // namespace tarvex::test
