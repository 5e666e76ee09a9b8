// The quantizer on a photo-sized image: building the palette, and mapping
// rows to indices at 8 bits (256 colours) and 4 bits (16 colours).
#include <benchmark/benchmark.h>

#include <vector>

#include "SyntheticImage.h"
#include "image/filters/reduction/Quantizer.h"

namespace {

using s::image::filters::reduction::Quantizer;
using s::image::win::BufferedImage;

constexpr std::int32_t kWidth = 1920;
constexpr std::int32_t kHeight = 1080;

const BufferedImage& photo() {
    static BufferedImage image;
    static const bool filled = tarvex::bench::fillPhotoLike(image, kWidth, kHeight, 11, false);
    (void)filled;
    return image;
}

void countPixels(benchmark::State& state) {
    state.counters["MP/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kWidth * kHeight / 1e6,
                           benchmark::Counter::kIsRate);
}

void BM_QuantizerBuild(benchmark::State& state) {
    const std::int32_t colours = static_cast<std::int32_t>(state.range(0));
    Quantizer quantizer;
    for (auto _ : state) {
        benchmark::DoNotOptimize(quantizer.build(photo(), colours));
    }
    countPixels(state);
}

void BM_QuantizerMapRows(benchmark::State& state) {
    const std::int32_t colours = static_cast<std::int32_t>(state.range(0));
    const std::int32_t bits = colours > 16 ? 8 : 4;
    Quantizer quantizer;
    if (!quantizer.build(photo(), colours)) {
        state.SkipWithError("build failed");
        return;
    }
    std::vector<std::uint8_t> row(kWidth);
    for (auto _ : state) {
        for (std::int32_t y = 0; y < kHeight; ++y)
            quantizer.mapRow(photo().getRow(y), kWidth, row.data(), bits);
        benchmark::DoNotOptimize(row.data());
    }
    countPixels(state);
}

}  // namespace

BENCHMARK(BM_QuantizerBuild)->Arg(255)->Arg(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuantizerMapRows)->Arg(256)->Arg(255)->Arg(16)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
