// The GIF LZW coder on a photo's palette indices (1920 x 1080, as the GIF
// writer produces them): compressing into sub-blocks and decompressing the
// joined payload, at 8 bits (256 colours) and 4 bits (16 colours).
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "SyntheticImage.h"
#include "formats/gif/GifLzw.h"
#include "formats/gif/GifLzwDecoder.h"
#include "foundation/MemoryStreams.h"
#include "image/filters/reduction/Quantizer.h"

namespace {

using s::image::filters::reduction::Quantizer;
using s::image::gif::win::GifLzw;
using s::image::gif::win::GifLzwDecoder;
using Bytes = std::vector<std::uint8_t>;

constexpr std::int32_t kWidth = 1920;
constexpr std::int32_t kHeight = 1080;

// Top-down palette indices (one byte each) of the photo quantized to 2^bits
// colours.
Bytes indices(std::int32_t bits) {
    s::image::win::BufferedImage photo;
    tarvex::bench::fillPhotoLike(photo, kWidth, kHeight, 11, false);
    Quantizer quantizer;
    Bytes out(static_cast<std::size_t>(kWidth) * kHeight);
    if (!quantizer.build(photo, 1 << bits)) return {};
    for (std::int32_t y = 0; y < kHeight; ++y)
        quantizer.mapRow(photo.getRow(y), kWidth, out.data() + std::size_t(y) * kWidth, 8);
    return out;
}

const Bytes& indicesAt(std::int32_t bits) {
    static const Bytes eight = indices(8);
    static const Bytes four = indices(4);
    return bits == 8 ? eight : four;
}

// The sub-block payloads joined, plus the spare bytes the decoder may fetch.
Bytes joinedPayload(const Bytes& blocks) {
    Bytes joined;
    for (std::size_t at = 0; at < blocks.size() && blocks[at] != 0; at += blocks[at] + 1u)
        joined.insert(joined.end(), blocks.begin() + at + 1, blocks.begin() + at + 1 + blocks[at]);
    return joined;
}

void countPixels(benchmark::State& state) {
    state.counters["MP/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kWidth * kHeight / 1e6,
                           benchmark::Counter::kIsRate);
}

void BM_LzwCompress(benchmark::State& state) {
    const std::int32_t bits = static_cast<std::int32_t>(state.range(0));
    const Bytes& pixels = indicesAt(bits);
    s::thread::Pooled<GifLzw> lzw = GifLzw::take();
    std::size_t size = 0;
    for (auto _ : state) {
        s::io::MemoryOutputStream out;
        lzw->compress(pixels.data(), kWidth, kHeight, bits, kWidth, out);
        size = out.bytes().size();
        benchmark::DoNotOptimize(out.bytes().data());
    }
    state.counters["bytes"] = static_cast<double>(size);
    countPixels(state);
}

void BM_LzwDecompress(benchmark::State& state) {
    const std::int32_t bits = static_cast<std::int32_t>(state.range(0));
    s::thread::Pooled<GifLzw> lzw = GifLzw::take();
    s::io::MemoryOutputStream out;
    lzw->compress(indicesAt(bits).data(), kWidth, kHeight, bits, kWidth, out);
    Bytes data = joinedPayload(out.bytes());
    const std::size_t size = data.size();
    data.resize(size + GifLzwDecoder::kSpareBytes, 0);
    Bytes pixels(static_cast<std::size_t>(kWidth) * kHeight);
    for (auto _ : state) {
        benchmark::DoNotOptimize(GifLzwDecoder::decompress(data.data(), size, pixels.data(), bits,
                                                           kWidth, kWidth, kHeight, false));
    }
    if (pixels != indicesAt(bits)) state.SkipWithError("round trip differs");
    countPixels(state);
}

}  // namespace

BENCHMARK(BM_LzwCompress)->Arg(8)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzwDecompress)->Arg(8)->Arg(4)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
