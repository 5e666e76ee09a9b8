// Builds small GIF files block by block for the reader tests, and reads
// them back with the codec.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/gif/Gif.h"
#include "formats/gif/GifLzw.h"
#include "formats/gif/GifRowSequence.h"
#include "foundation/MemoryStreams.h"

namespace gif_test {

using Bytes = std::vector<std::uint8_t>;
using Palette = std::vector<std::uint32_t>;  // 0x00RRGGBB

class GifBuilder {
public:
    // Header and screen descriptor, with a global table when one is given.
    explicit GifBuilder(int width, int height, const Palette& global = {}) {
        append("GIF89a");
        word(width);
        word(height);
        bytes_.push_back(global.empty() ? 0
                                        : static_cast<std::uint8_t>(0x80 | (bitsFor(global) - 1)));
        bytes_.push_back(0);
        bytes_.push_back(0);
        table(global);
    }

    GifBuilder& control(int disposal, int delayCs, int transparent = -1) {
        raw({0x21, 0xF9, 0x04,
             static_cast<std::uint8_t>((transparent >= 0 ? 1 : 0) | disposal << 2)});
        word(delayCs);
        return raw({static_cast<std::uint8_t>(transparent & 0xFF), 0});
    }

    GifBuilder& loop(int count) {
        raw({0x21, 0xFF, 0x0B});
        append("NETSCAPE2.0");
        raw({0x03, 0x01});
        word(count);
        return raw({0});
    }

    GifBuilder& comment(const std::string& text) {
        raw({0x21, 0xFE, static_cast<std::uint8_t>(text.size())});
        append(text);
        return raw({0});
    }

    // Pixels top row first; interlaced frames are stored in pass order.
    // minCodeSize 0 picks the usual one for the table.
    GifBuilder& image(int left, int top, int width, int height, const Bytes& pixels,
                      const Palette& local = {}, bool interlaced = false, int minCodeSize = 0) {
        raw({0x2C});
        word(left);
        word(top);
        word(width);
        word(height);
        std::uint8_t packed = interlaced ? 0x40 : 0;
        if (!local.empty()) packed |= static_cast<std::uint8_t>(0x80 | (bitsFor(local) - 1));
        bytes_.push_back(packed);
        table(local);
        if (minCodeSize == 0) minCodeSize = std::max(2, local.empty() ? 8 : bitsFor(local));
        bytes_.push_back(static_cast<std::uint8_t>(minCodeSize));
        Bytes ordered = pixels;
        if (interlaced) {
            s::image::gif::win::GifRowSequence rows(height, true);
            for (int i = 0; i < height; ++i, rows.advance()) {
                std::copy_n(pixels.begin() + rows.row() * width, width,
                            ordered.begin() + i * width);
            }
        }
        s::thread::Pooled<s::image::gif::win::GifLzw> lzw = s::image::gif::win::GifLzw::take();
        s::io::MemoryOutputStream data;
        lzw->compress(ordered.data(), width, height, std::min(minCodeSize, 8), width, data);
        bytes_.insert(bytes_.end(), data.bytes().begin(), data.bytes().end());
        return raw({0});
    }

    GifBuilder& raw(const Bytes& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
        return *this;
    }
    GifBuilder& trailer() { return raw({0x3B}); }
    const Bytes& bytes() const { return bytes_; }

private:
    static int bitsFor(const Palette& palette) {
        int bits = 1;
        while ((1u << bits) < palette.size()) ++bits;
        return bits;
    }
    void table(const Palette& palette) {
        if (palette.empty()) return;
        const std::size_t count = std::size_t{1} << bitsFor(palette);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t c = i < palette.size() ? palette[i] : 0;
            raw({static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                 static_cast<std::uint8_t>(c)});
        }
    }
    void word(int value) {
        raw({static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
    }
    void append(const std::string& text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }

    Bytes bytes_;
};

struct ReadResult {
    s::thread::Pooled<s::image::gif::win::Gif> gif;
    bool read;
};

inline ReadResult readGif(const Bytes& bytes) {
    ReadResult result{s::image::gif::win::Gif::take(), false};
    s::io::MemoryInputStream in(bytes.data(), bytes.size());
    result.read = result.gif->readFrom(in);
    return result;
}

inline Bytes writeGif(s::image::IEncodedImage& gif) {
    s::io::MemoryOutputStream out;
    EXPECT_TRUE(gif.writeTo(out));
    return out.bytes();
}

}  // namespace gif_test
