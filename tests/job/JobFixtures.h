// Fixtures for the job and command-line tests: a scratch folder, BMP files
// built byte by byte (every depth the job reads, bottom-up or top-down), and
// a small independent reader of the uncompressed BMP files the job writes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tarvex::jobtest {

// A fresh folder, removed with everything in it when the test ends.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = testing::TempDir();
        if (pattern.empty() || pattern.back() != '/') pattern += '/';
        pattern += "tarvex-job-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (::mkdtemp(name.data()) != nullptr) path_ = name.data();
        EXPECT_FALSE(path_.empty());
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    // Names directly in `sub` (the folder itself when empty), hidden ones
    // included, sorted.
    std::vector<std::string> entries(const std::string& sub = "") const {
        std::vector<std::string> names;
        std::error_code ec;
        const std::string folder = sub.empty() ? path_ : path_ + "/" + sub;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string path_;
};

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

// A BMP image as the test describes it. `values` holds one entry per pixel,
// top row first: a palette index (1, 4, 8 bits), a 5-5-5 word (16 bits) or
// 0xAARRGGBB (24 and 32 bits; alpha ignored at 24).
struct BmpPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bitCount = 24;
    bool topDown = false;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB
    std::vector<std::uint32_t> values;

    std::int32_t stride() const { return (width * bitCount + 31) / 32 * 4; }
    std::uint32_t value(std::int32_t x, std::int32_t y) const { return values[y * width + x]; }
    // What the pixel shows: 0xAARRGGBB at 32 bits, 0x00RRGGBB through the
    // palette and at 24 bits, the 5-5-5 word at 16 bits.
    std::uint32_t colour(std::int32_t x, std::int32_t y) const {
        const std::uint32_t v = value(x, y);
        if (bitCount <= 8) return v < palette.size() ? palette[v] : 0xFFFFFFFFu;
        if (bitCount == 24) return v & 0x00FFFFFFu;
        return v;
    }
};

namespace detail {
inline void put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline std::uint32_t get16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}
inline std::uint32_t get32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16) |
           static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// Stores pixel x of a row at the picture's depth (sub-byte depths: leftmost
// pixel in the highest bits).
inline void storePixel(std::uint8_t* row, std::int32_t x, std::int32_t bitCount, std::uint32_t v) {
    switch (bitCount) {
        case 1:
        case 4: {
            const int perByte = 8 / bitCount;
            const int shift = (perByte - 1 - x % perByte) * bitCount;
            row[x / perByte] |= static_cast<std::uint8_t>(v << shift);
            break;
        }
        case 8:
            row[x] = static_cast<std::uint8_t>(v);
            break;
        case 16:
            row[2 * x] = static_cast<std::uint8_t>(v);
            row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
            break;
        default:
            for (int i = 0; i < bitCount / 8; ++i) {
                row[x * (bitCount / 8) + i] = static_cast<std::uint8_t>(v >> (8 * i));
            }
    }
}

inline std::uint32_t loadPixel(const std::uint8_t* row, std::int32_t x, std::int32_t bitCount) {
    switch (bitCount) {
        case 1:
        case 4: {
            const int perByte = 8 / bitCount;
            const int shift = (perByte - 1 - x % perByte) * bitCount;
            return (row[x / perByte] >> shift) & ((1u << bitCount) - 1);
        }
        case 8:
            return row[x];
        case 16:
            return row[2 * x] | row[2 * x + 1] << 8;
        default: {
            std::uint32_t v = 0;
            for (int i = 0; i < bitCount / 8; ++i)
                v |= std::uint32_t{row[x * (bitCount / 8) + i]} << (8 * i);
            return v;
        }
    }
}
}  // namespace detail

// The file bytes: 14-byte file header, 40-byte info header, colour table,
// rows (bottom row first unless topDown, which stores a negative height).
inline std::vector<std::uint8_t> encodeBmp(const BmpPicture& p) {
    const std::size_t tableBytes = p.palette.size() * 4;
    const std::size_t offset = 14 + 40 + tableBytes;
    const std::size_t stride = static_cast<std::size_t>(p.stride());
    std::vector<std::uint8_t> b(offset + stride * p.height, 0);
    b[0] = 'B';
    b[1] = 'M';
    detail::put32(b, 2, static_cast<std::uint32_t>(b.size()));
    detail::put32(b, 10, static_cast<std::uint32_t>(offset));
    detail::put32(b, 14, 40);
    detail::put32(b, 18, static_cast<std::uint32_t>(p.width));
    detail::put32(b, 22, static_cast<std::uint32_t>(p.topDown ? -p.height : p.height));
    detail::put16(b, 26, 1);
    detail::put16(b, 28, static_cast<std::uint32_t>(p.bitCount));
    detail::put32(b, 34, static_cast<std::uint32_t>(stride * p.height));
    detail::put32(b, 38, 2835);
    detail::put32(b, 42, 2835);
    detail::put32(b, 46, static_cast<std::uint32_t>(p.palette.size()));
    for (std::size_t i = 0; i < p.palette.size(); ++i) detail::put32(b, 54 + 4 * i, p.palette[i]);
    for (std::int32_t y = 0; y < p.height; ++y) {
        const std::int32_t stored = p.topDown ? y : p.height - 1 - y;
        std::uint8_t* row = b.data() + offset + stride * stored;
        for (std::int32_t x = 0; x < p.width; ++x)
            detail::storePixel(row, x, p.bitCount, p.value(x, y));
    }
    return b;
}

inline void writeBmp(const std::string& path, const BmpPicture& picture) {
    writeBytes(path, encodeBmp(picture));
}

// A w x h 24-bit picture of one colour.
inline BmpPicture solidPicture(std::int32_t w, std::int32_t h, std::uint32_t rgb = 0x336699) {
    BmpPicture p;
    p.width = w;
    p.height = h;
    p.values.assign(static_cast<std::size_t>(w) * h, rgb);
    return p;
}

// Reads an uncompressed BMP with a 40-byte (or larger) info header, as the
// job writes them; false for anything else. The test's own reader, so the
// job's output is judged independently of the codec that wrote it.
inline bool decodeBmp(const std::vector<std::uint8_t>& b, BmpPicture& p) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
    const std::uint32_t offset = detail::get32(b, 10);
    const std::uint32_t headerSize = detail::get32(b, 14);
    p.width = static_cast<std::int32_t>(detail::get32(b, 18));
    const auto height = static_cast<std::int32_t>(detail::get32(b, 22));
    p.bitCount = static_cast<std::int32_t>(detail::get16(b, 28));
    const std::uint32_t compression = detail::get32(b, 30);
    p.topDown = height < 0;
    p.height = p.topDown ? -height : height;
    if (headerSize < 40 || p.width <= 0 || p.height <= 0 || p.width > 100000 || p.height > 100000 ||
        (compression != 0 && !(compression == 3 && p.bitCount >= 16))) {
        return false;
    }
    std::uint32_t colours = detail::get32(b, 46);
    if (p.bitCount <= 8 && colours == 0) colours = 1u << p.bitCount;
    if (p.bitCount > 8) colours = 0;
    const std::size_t table = 14 + headerSize + (compression == 3 && headerSize == 40 ? 12 : 0);
    const std::size_t stride = static_cast<std::size_t>(p.stride());
    if (colours > 256 || table + colours * 4 > b.size() || offset + stride * p.height > b.size()) {
        return false;
    }
    p.palette.clear();
    for (std::uint32_t i = 0; i < colours; ++i)
        p.palette.push_back(detail::get32(b, table + 4 * i) & 0xFFFFFF);
    p.values.assign(static_cast<std::size_t>(p.width) * p.height, 0);
    for (std::int32_t y = 0; y < p.height; ++y) {
        const std::int32_t stored = p.topDown ? y : p.height - 1 - y;
        const std::uint8_t* row = b.data() + offset + stride * stored;
        for (std::int32_t x = 0; x < p.width; ++x)
            p.values[y * p.width + x] = detail::loadPixel(row, x, p.bitCount);
    }
    return true;
}

inline bool readBmp(const std::string& path, BmpPicture& picture) {
    return decodeBmp(readBytes(path), picture);
}

}  // namespace tarvex::jobtest
