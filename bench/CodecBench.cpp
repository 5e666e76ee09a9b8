// Each codec's encode (pixel image -> file bytes) and decode (file bytes ->
// pixel image) on photo-like content in memory, so disk speed stays out of
// the figures. Opaque 1920 x 1080 photo-like pixels for BMP, JPEG and GIF,
// the same with alpha for PNG; icons start from a sample icon file, since an
// icon's entry sizes and depths come from the set being encoded.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "SyntheticImage.h"
#include "formats/bmp/Bitmap.h"
#include "formats/gif/Gif.h"
#include "formats/ico/Icon.h"
#include "formats/jpeg/Jpeg.h"
#include "formats/png/Png.h"
#include "foundation/MemoryStreams.h"

namespace {

using s::image::IEncodedImage;
using s::image::win::BufferedImage;

template <class Codec>
s::thread::Pooled<IEncodedImage> encodeOnce(BufferedImage& image) {
    s::thread::Pooled<Codec> codec = Codec::take();
    return codec ? codec->encodeImage(image) : nullptr;
}

template <class Codec>
void BM_Encode(benchmark::State& state) {
    const std::int32_t w = static_cast<std::int32_t>(state.range(0));
    const std::int32_t h = static_cast<std::int32_t>(state.range(1));
    BufferedImage image;
    tarvex::bench::fillPhotoLike(image, w, h, 3, state.range(2) != 0);
    for (auto _ : state) {
        s::thread::Pooled<IEncodedImage> encoded = encodeOnce<Codec>(image);
        s::io::MemoryOutputStream out;
        if (!encoded || !encoded->writeTo(out)) {
            state.SkipWithError("encode failed");
            return;
        }
        benchmark::DoNotOptimize(out.bytes().data());
    }
    state.counters["MP/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * w * h / 1e6, benchmark::Counter::kIsRate);
}

template <class Codec>
void BM_Decode(benchmark::State& state) {
    const std::int32_t w = static_cast<std::int32_t>(state.range(0));
    const std::int32_t h = static_cast<std::int32_t>(state.range(1));
    BufferedImage image;
    tarvex::bench::fillPhotoLike(image, w, h, 3, state.range(2) != 0);
    s::thread::Pooled<IEncodedImage> encoded = encodeOnce<Codec>(image);
    s::io::MemoryOutputStream out;
    if (!encoded || !encoded->writeTo(out)) {
        state.SkipWithError("encode failed");
        return;
    }
    const std::vector<std::uint8_t> bytes = out.take();
    BufferedImage target;
    for (auto _ : state) {
        s::thread::Pooled<Codec> codec = Codec::take();
        s::io::MemoryInputStream in(bytes.data(), bytes.size());
        s::thread::Pooled<BufferedImage> created;
        if (!codec || !codec->readFrom(in) || !codec->decode(0, &target, created)) {
            state.SkipWithError("decode failed");
            return;
        }
        benchmark::DoNotOptimize(target.getBits());
    }
    state.counters["MP/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * w * h / 1e6, benchmark::Counter::kIsRate);
}

std::vector<std::uint8_t> readFile(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (FILE* file = std::fopen(path, "rb")) {
        std::uint8_t buffer[65536];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.insert(bytes.end(), buffer, buffer + n);
        std::fclose(file);
    }
    return bytes;
}

template <class Codec>
s::thread::Pooled<Codec> readCodec(const std::vector<std::uint8_t>& bytes) {
    s::thread::Pooled<Codec> codec = Codec::take();
    s::io::MemoryInputStream in(bytes.data(), bytes.size());
    return codec && codec->readFrom(in) ? std::move(codec) : nullptr;
}

// Decoding every image of the sample icon, and encoding that set again.
void BM_IconDecodeAll(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = readFile(TARVEX_ICO_SAMPLE);
    for (auto _ : state) {
        auto icon = readCodec<s::image::ico::win::Icon>(bytes);
        auto set = icon ? icon->decodeAll() : nullptr;
        if (!set) {
            state.SkipWithError("decode failed");
            return;
        }
        benchmark::DoNotOptimize(set.get());
    }
}

void BM_IconEncodeSet(benchmark::State& state) {
    auto icon = readCodec<s::image::ico::win::Icon>(readFile(TARVEX_ICO_SAMPLE));
    auto set = icon ? icon->decodeAll() : nullptr;
    if (!set) {
        state.SkipWithError("sample icon missing or unreadable");
        return;
    }
    for (auto _ : state) {
        auto encoded = icon->encodeSet(*set);
        s::io::MemoryOutputStream out;
        if (!encoded || !encoded->writeTo(out)) {
            state.SkipWithError("encode failed");
            return;
        }
        benchmark::DoNotOptimize(out.bytes().data());
    }
}

using s::image::bmp::win::Bitmap;
using s::image::gif::win::Gif;
using s::image::jpg::win::Jpeg;
using s::image::png::win::Png;

}  // namespace

// Arguments: width, height, alpha.
#define TARVEX_CODEC_BENCH(Codec, ...)                                               \
    BENCHMARK(BM_Encode<Codec>)->Args({__VA_ARGS__})->Unit(benchmark::kMillisecond); \
    BENCHMARK(BM_Decode<Codec>)->Args({__VA_ARGS__})->Unit(benchmark::kMillisecond)

TARVEX_CODEC_BENCH(Bitmap, 1920, 1080, 0);
TARVEX_CODEC_BENCH(Jpeg, 1920, 1080, 0);
TARVEX_CODEC_BENCH(Png, 1920, 1080, 1);
TARVEX_CODEC_BENCH(Gif, 1920, 1080, 0);
BENCHMARK(BM_IconDecodeAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IconEncodeSet)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
