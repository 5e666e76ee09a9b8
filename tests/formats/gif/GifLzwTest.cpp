// The GIF LZW coder: compressor output format, decompressor robustness and
// interlaced row order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

#include "LzwStreams.h"
#include "formats/gif/GifLzw.h"
#include "formats/gif/GifLzwDecoder.h"
#include "formats/gif/GifRowSequence.h"
#include "foundation/MemoryStreams.h"

namespace {

using s::image::gif::win::GifLzw;
using s::image::gif::win::GifLzwDecoder;
using s::image::gif::win::GifRowSequence;
using Bytes = std::vector<std::uint8_t>;

// Compresses top-down pixels (or, with bottomUp, the same picture stored
// bottom row first) and returns the sub-block bytes.
Bytes compress(const Bytes& pixels, int width, int height, int minCodeSize, bool bottomUp = false) {
    s::thread::Pooled<GifLzw> lzw = GifLzw::take();
    s::io::MemoryOutputStream out;
    if (bottomUp) {
        Bytes flipped(pixels.size());
        for (int y = 0; y < height; ++y) {
            std::copy_n(pixels.begin() + y * width, width,
                        flipped.begin() + (height - 1 - y) * width);
        }
        EXPECT_TRUE(lzw->compress(flipped.data() + (height - 1) * width, width, height, minCodeSize,
                                  -width, out));
    } else {
        EXPECT_TRUE(lzw->compress(pixels.data(), width, height, minCodeSize, width, out));
    }
    return out.bytes();
}

struct Decoded {
    std::int64_t written;
    Bytes pixels;
};

// Decodes from a heap block of exactly the data plus the 4 spare bytes, into
// a destination of exactly the frame, so the sanitizer sees any overrun.
Decoded decompress(const Bytes& data, int minCodeSize, int width, int height,
                   bool interlaced = false, std::uint8_t fill = 0xEE) {
    auto block = std::make_unique<std::uint8_t[]>(data.size() + GifLzwDecoder::kSpareBytes);
    std::copy(data.begin(), data.end(), block.get());
    std::fill_n(block.get() + data.size(), GifLzwDecoder::kSpareBytes, 0xFF);
    Decoded decoded{0, Bytes(std::size_t(width) * height, fill)};
    decoded.written = GifLzwDecoder::decompress(block.get(), data.size(), decoded.pixels.data(),
                                                minCodeSize, width, width, height, interlaced);
    return decoded;
}

Bytes randomPixels(std::size_t count, int minCodeSize, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> index(0, (1 << minCodeSize) - 1);
    Bytes pixels(count);
    for (std::uint8_t& p : pixels) p = static_cast<std::uint8_t>(index(random));
    return pixels;
}

struct RoundTrip {
    const char* name;
    Bytes pixels;
    int width;
    int height;
    int minCodeSize;
    bool bottomUp;
};

TEST(GifLzw, RoundTripsAndWritesWellFormedSubBlocks) {
    Bytes alternating(4000);
    for (std::size_t i = 0; i < alternating.size(); ++i) alternating[i] = i % 2;
    Bytes ramp(256 * 300);
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    const RoundTrip cases[] = {
        {"uniform", Bytes(5000, 3), 100, 50, 2, false},
        {"a,b,a,b (code not yet in the table)", Bytes{1, 2, 1, 2, 1, 2, 1, 2}, 8, 1, 2, false},
        {"alternating, bottom-up memory", alternating, 80, 50, 2, true},
        {"random 2-bit", randomPixels(20000, 2, 1), 200, 100, 2, false},
        {"random 4-bit", randomPixels(30000, 4, 2), 300, 100, 4, false},
        {"random 8-bit, several table resets", randomPixels(200000, 8, 3), 500, 400, 8, false},
        {"varied 8-bit ramp", ramp, 256, 300, 8, true},
        {"single pixel", Bytes{7}, 1, 1, 8, false},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.name);
        const gif_test::SubBlocks blocks = gif_test::joinSubBlocks(
            compress(c.pixels, c.width, c.height, c.minCodeSize, c.bottomUp));
        ASSERT_TRUE(blocks.wellFormed);
        // Every sub-block but the last is full.
        for (std::size_t i = 0; i + 1 < blocks.lengths.size(); ++i)
            EXPECT_EQ(blocks.lengths[i], 254);
        const Decoded decoded = decompress(blocks.payload, c.minCodeSize, c.width, c.height);
        EXPECT_EQ(decoded.written, std::int64_t{c.width} * c.height);
        EXPECT_EQ(decoded.pixels, c.pixels);
        const std::vector<gif_test::Code> codes =
            gif_test::listCodes(blocks.payload, c.minCodeSize);
        ASSERT_FALSE(codes.empty());
        EXPECT_EQ(codes.front().value, 1 << c.minCodeSize) << "starts with a clear code";
        EXPECT_EQ(codes.back().value, (1 << c.minCodeSize) + 1) << "ends with the end code";
    }
}

TEST(GifLzw, OnePixelIsClearPixelEndInOneTwoByteSubBlock) {
    // Codes 4, 1, 5 at 3 bits each: 100 | 001 | 101, least significant bit first.
    EXPECT_EQ(compress(Bytes{1}, 1, 1, 2), (Bytes{0x02, 0x4C, 0x01}));
}

TEST(GifLzw, EqualPixelsNeedNoClearCodeAfterTheFirst) {
    const gif_test::SubBlocks blocks =
        gif_test::joinSubBlocks(compress(Bytes(5000, 1), 100, 50, 2));
    const std::vector<gif_test::Code> codes = gif_test::listCodes(blocks.payload, 2);
    const auto clears = std::count_if(codes.begin(), codes.end(),
                                      [](const gif_test::Code& c) { return c.value == 4; });
    EXPECT_EQ(clears, 1);
}

TEST(GifLzw, ClearAfterAFullTableIsTwelveBitsWideAndTheNextCodeNineBits) {
    const int minCodeSize = 8, clear = 256;
    const gif_test::SubBlocks blocks =
        gif_test::joinSubBlocks(compress(randomPixels(60000, 8, 4), 300, 200, minCodeSize));
    const std::vector<gif_test::Code> codes = gif_test::listCodes(blocks.payload, minCodeSize);
    const auto second = std::find_if(codes.begin() + 1, codes.end(),
                                     [](const gif_test::Code& c) { return c.value == clear; });
    ASSERT_NE(second, codes.end());
    ASSERT_LT(second + 2, codes.end());
    const int codesSinceFirstClear = static_cast<int>(second - codes.begin()) - 1;
    // 3838 strings fill the table to 4096 codes; the next miss writes its prefix, then clears.
    EXPECT_EQ(codesSinceFirstClear, 4096 - 258 + 1);
    EXPECT_LT((second - 1)->value, 4096);
    EXPECT_EQ(second->width, 12);
    EXPECT_EQ((second + 1)->bit - second->bit, 12);
    EXPECT_EQ((second + 2)->bit - (second + 1)->bit, minCodeSize + 1);
}

TEST(GifLzwDecoder, AcceptsDataWithoutLeadingClearCode) {
    // Codes 1, 2, 6, end at 3 bits: 6 is the entry (1, 2) made when 2 was
    // read; the first code made none.
    gif_test::BitWriter bits;
    for (int code : {1, 2, 6, 5}) bits.put(code, 3);
    const Decoded decoded = decompress(bits.bytes(), 2, 4, 1);
    EXPECT_EQ(decoded.written, 4);
    EXPECT_EQ(decoded.pixels, (Bytes{1, 2, 1, 2}));
}

TEST(GifLzwDecoder, KeepsDecodingWhenTheTableStaysFullWithoutClearCode) {
    // An encoder may go on with 12-bit codes after the table is full instead
    // of clearing it: here clear, then 10000 literals, then end.
    const int minCodeSize = 8, count = 10000;
    Bytes pixels = randomPixels(count, 8, 5);
    gif_test::BitWriter bits;
    int width = 9, next = 258;
    bits.put(256, width);
    for (int i = 0; i < count; ++i) {
        bits.put(pixels[i], width);
        if (i > 0 && next < 4096 && ++next >= (1 << width) && width < 12) ++width;
    }
    bits.put(257, width);
    const Decoded decoded = decompress(bits.bytes(), minCodeSize, count, 1);
    EXPECT_EQ(decoded.written, count);
    EXPECT_EQ(decoded.pixels, pixels);
}

TEST(GifLzwDecoder, DamagedDataStopsWithoutLeavingItsBuffers) {
    const Bytes pixels = randomPixels(64 * 64, 8, 6);
    const Bytes good = gif_test::joinSubBlocks(compress(pixels, 64, 64, 8)).payload;
    // Four pixels make entries up to 8 and widen codes to 4 bits; then code 12.
    gif_test::BitWriter unknownCode;
    for (const auto& [code, width] :
         {std::pair{4, 3}, {1, 3}, {2, 3}, {1, 3}, {2, 4}, {12, 4}, {1, 4}}) {
        unknownCode.put(code, width);
    }

    struct Case {
        const char* name;
        Bytes data;
        int minCodeSize, width, height;
        std::int64_t written;
    };
    const Case cases[] = {
        {"cut in half", Bytes(good.begin(), good.begin() + good.size() / 2), 8, 64, 64, -1},
        {"empty", Bytes{}, 8, 64, 64, 0},
        {"more pixels than the frame holds", good, 8, 64, 32, 64 * 32},
        {"a code beyond the table", unknownCode.bytes(), 2, 4, 4, 4},
        {"minimum code size 0", good, 0, 64, 64, 0},
        {"minimum code size 12", good, 12, 64, 64, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded decoded = decompress(c.data, c.minCodeSize, c.width, c.height);
        if (c.written >= 0) {
            EXPECT_EQ(decoded.written, c.written);
        } else {
            EXPECT_GT(decoded.written, 0);
            EXPECT_LT(decoded.written, 64 * 64);
        }
        // Decoded pixels are right; the rest keep what the buffer held.
        const std::size_t n = static_cast<std::size_t>(decoded.written);
        if (c.minCodeSize == 8) {
            EXPECT_TRUE(
                std::equal(decoded.pixels.begin(), decoded.pixels.begin() + n, pixels.begin()));
        }
        EXPECT_TRUE(std::all_of(decoded.pixels.begin() + n, decoded.pixels.end(),
                                [](std::uint8_t p) { return p == 0xEE; }));
    }
}

TEST(GifRowSequence, InterlacedPassesVisitEveryRowOnceInGifOrder) {
    const auto order = [](int height, bool interlaced) {
        std::vector<int> rows;
        GifRowSequence sequence(height, interlaced);
        for (int row = sequence.row(); row >= 0; sequence.advance(), row = sequence.row()) {
            rows.push_back(row);
        }
        return rows;
    };
    EXPECT_EQ(order(3, true), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(order(5, true), (std::vector<int>{0, 4, 2, 1, 3}));
    EXPECT_EQ(order(1, true), (std::vector<int>{0}));
    EXPECT_EQ(order(17, true),
              (std::vector<int>{0, 8, 16, 4, 12, 2, 6, 10, 14, 1, 3, 5, 7, 9, 11, 13, 15}));
    EXPECT_TRUE(order(0, true).empty());
    for (int height = 1; height <= 40; ++height) {
        for (bool interlaced : {false, true}) {
            const std::vector<int> rows = order(height, interlaced);
            std::vector<int> sorted = rows;
            std::sort(sorted.begin(), sorted.end());
            std::vector<int> all(height);
            std::iota(all.begin(), all.end(), 0);
            ASSERT_EQ(sorted, all) << "height " << height;
            for (int i = 0; i < height; ++i) {
                ASSERT_EQ(GifRowSequence::position(rows[i], height, interlaced), i)
                    << "height " << height << " row " << rows[i];
            }
        }
    }
}

TEST(GifLzwDecoder, InterlacedFrameFillsRowsInPassOrder) {
    // One pixel per row, valued by its place in the data.
    for (const auto& [height, rows] :
         {std::pair<int, Bytes>{3, {0, 2, 1}}, std::pair<int, Bytes>{5, {0, 3, 2, 4, 1}}}) {
        Bytes order(height);
        std::iota(order.begin(), order.end(), 0);
        const Bytes data = gif_test::joinSubBlocks(compress(order, 1, height, 4)).payload;
        EXPECT_EQ(decompress(data, 4, 1, height, true).pixels, rows) << "height " << height;
    }
}

}  // namespace
