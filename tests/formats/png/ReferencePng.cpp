#include "ReferencePng.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace tarvex::test {
namespace {

std::uint32_t be32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

struct Header {
    std::uint32_t width = 0, height = 0;
    int depth = 0, colourType = 0, interlace = 0;
    int channels() const {
        static const int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
        return kChannels[colourType];
    }
    std::size_t rowBytes(std::uint32_t w) const {
        return (std::size_t{w} * channels() * depth + 7) / 8;
    }
};

struct Chunks {
    Header header;
    std::vector<std::uint8_t> palette, paletteAlpha, data;
    bool hasKey = false;
    std::uint16_t key[3] = {0, 0, 0};  // grey or RGB tRNS key, full depth
};

bool readChunks(const std::vector<std::uint8_t>& file, Chunks& out) {
    std::size_t at = 8;
    while (at + 12 <= file.size()) {
        const std::uint32_t length = be32(&file[at]);
        const std::string type(reinterpret_cast<const char*>(&file[at + 4]), 4);
        if (at + 12 + length > file.size()) return false;
        const std::uint8_t* d = &file[at + 8];
        if (type == "IHDR") {
            out.header = {be32(d), be32(d + 4), d[8], d[9], d[12]};
        } else if (type == "PLTE") {
            out.palette.assign(d, d + length);
        } else if (type == "tRNS") {
            if (out.header.colourType == 3) {
                out.paletteAlpha.assign(d, d + length);
            } else {
                out.hasKey = true;
                for (std::uint32_t i = 0; i * 2 + 1 < length && i < 3; ++i) {
                    out.key[i] = static_cast<std::uint16_t>(d[2 * i] << 8 | d[2 * i + 1]);
                }
            }
        } else if (type == "IDAT") {
            out.data.insert(out.data.end(), d, d + length);
        } else if (type == "IEND") {
            return true;
        }
        at += 12 + length;
    }
    return false;
}

int paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
}

// Undoes the filter of one row in place (prior: the unfiltered row above, or zeros).
void unfilter(int filter, std::uint8_t* row, const std::uint8_t* prior, std::size_t length,
              std::size_t bpp) {
    for (std::size_t i = 0; i < length; ++i) {
        const int a = i >= bpp ? row[i - bpp] : 0, b = prior[i], c = i >= bpp ? prior[i - bpp] : 0;
        const int add = filter == 1   ? a
                        : filter == 2 ? b
                        : filter == 3 ? (a + b) / 2
                        : filter == 4 ? paeth(a, b, c)
                                      : 0;
        row[i] = static_cast<std::uint8_t>(row[i] + add);
    }
}

// Sample s (0-based, counting channels) of a raw row, at full depth.
std::uint16_t sample(const std::uint8_t* row, std::size_t s, int depth) {
    if (depth == 16) return static_cast<std::uint16_t>(row[2 * s] << 8 | row[2 * s + 1]);
    if (depth == 8) return row[s];
    const std::size_t bit = s * depth;
    return static_cast<std::uint16_t>((row[bit / 8] >> (8 - depth - bit % 8)) & ((1 << depth) - 1));
}

// To 8 bits: the high byte of 16-bit samples, sub-byte grey levels spread over 0..255.
std::uint32_t to8(std::uint16_t v, int depth) {
    if (depth == 16) return v >> 8;
    if (depth == 8) return v;
    return v * 255u / ((1u << depth) - 1);
}

std::uint32_t pixelAt(const Chunks& c, const std::uint8_t* row, std::uint32_t x) {
    const Header& h = c.header;
    const int n = h.channels();
    std::uint16_t s[4] = {};
    for (int i = 0; i < n; ++i) s[i] = sample(row, std::size_t{x} * n + i, h.depth);
    std::uint32_t r, g, b, a = 255;
    switch (h.colourType) {
        case 0:
            r = g = b = to8(s[0], h.depth);
            if (c.hasKey && s[0] == c.key[0]) a = 0;
            break;
        case 2:
            r = to8(s[0], h.depth), g = to8(s[1], h.depth), b = to8(s[2], h.depth);
            if (c.hasKey && s[0] == c.key[0] && s[1] == c.key[1] && s[2] == c.key[2]) a = 0;
            break;
        case 3:
            r = c.palette[s[0] * 3], g = c.palette[s[0] * 3 + 1], b = c.palette[s[0] * 3 + 2];
            if (s[0] < c.paletteAlpha.size()) a = c.paletteAlpha[s[0]];
            break;
        case 4:
            r = g = b = to8(s[0], h.depth);
            a = to8(s[1], h.depth);
            break;
        default:
            r = to8(s[0], h.depth), g = to8(s[1], h.depth), b = to8(s[2], h.depth);
            a = to8(s[3], h.depth);
    }
    return a << 24 | r << 16 | g << 8 | b;
}

struct Pass {
    std::uint32_t x0, y0, dx, dy;
};
constexpr Pass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                            {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
constexpr Pass kWhole[1] = {{0, 0, 1, 1}};

}  // namespace

ReferenceImage decodeReferencePng(const std::vector<std::uint8_t>& file) {
    ReferenceImage out;
    Chunks c;
    if (file.size() < 8 || !readChunks(file, c)) {
        out.error = "no IEND";
        return out;
    }
    const Header& h = c.header;
    const Pass* passes = h.interlace ? kAdam7 : kWhole;
    const int passCount = h.interlace ? 7 : 1;
    std::size_t rawSize = 0;
    for (int p = 0; p < passCount; ++p) {
        const Pass& q = passes[p];
        const std::uint32_t w = h.width > q.x0 ? (h.width - q.x0 + q.dx - 1) / q.dx : 0;
        const std::uint32_t rows = h.height > q.y0 ? (h.height - q.y0 + q.dy - 1) / q.dy : 0;
        if (w && rows) rawSize += rows * (1 + h.rowBytes(w));
    }
    std::vector<std::uint8_t> raw(rawSize);
    uLongf rawLength = static_cast<uLongf>(rawSize);
    if (uncompress(raw.data(), &rawLength, c.data.data(), static_cast<uLong>(c.data.size())) !=
            Z_OK ||
        rawLength != rawSize) {
        out.error = "bad image data";
        return out;
    }
    out.width = static_cast<std::int32_t>(h.width);
    out.height = static_cast<std::int32_t>(h.height);
    out.pixels.assign(std::size_t{h.width} * h.height, 0);
    const std::size_t bpp = std::max<std::size_t>(1, h.channels() * h.depth / 8);
    std::uint8_t* at = raw.data();
    for (int p = 0; p < passCount; ++p) {
        const Pass& q = passes[p];
        const std::uint32_t w = h.width > q.x0 ? (h.width - q.x0 + q.dx - 1) / q.dx : 0;
        const std::uint32_t rows = h.height > q.y0 ? (h.height - q.y0 + q.dy - 1) / q.dy : 0;
        if (!w || !rows) continue;
        const std::size_t length = h.rowBytes(w);
        std::vector<std::uint8_t> zeros(length, 0);
        const std::uint8_t* prior = zeros.data();
        for (std::uint32_t r = 0; r < rows; ++r, at += 1 + length) {
            unfilter(at[0], at + 1, prior, length, bpp);
            prior = at + 1;
            for (std::uint32_t i = 0; i < w; ++i) {
                const std::size_t x = q.x0 + i * q.dx, y = q.y0 + r * q.dy;
                out.pixels[y * h.width + x] = pixelAt(c, at + 1, i);
            }
        }
    }
    return out;
}

}  // namespace tarvex::test
