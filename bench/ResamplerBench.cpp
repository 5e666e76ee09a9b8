// Resampler passes at photo sizes: each pass alone (horizontal, vertical),
// a shrink and an enlarge through both passes. Throughput is counted in
// source pixels per second.
#include <benchmark/benchmark.h>

#include "SyntheticImage.h"
#include "image/filters/scale/Resampler.h"

namespace {

using s::image::filters::scale::Kernel;
using s::image::filters::scale::Resampler;
using s::image::win::BufferedImage;

void runResample(benchmark::State& state, std::int32_t sw, std::int32_t sh, std::int32_t dw,
                 std::int32_t dh, Kernel kernel) {
    BufferedImage source;
    BufferedImage destination;
    if (!tarvex::bench::fillPhotoLike(source, sw, sh, 7, false)) {
        state.SkipWithError("no memory for the source");
        return;
    }
    for (auto _ : state) {
        if (!Resampler::resample(kernel, source, dw, dh, destination)) {
            state.SkipWithError("resample failed");
            return;
        }
        benchmark::DoNotOptimize(destination.getBits());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(sw) * sh);
    state.counters["MP/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * sw * sh / 1e6, benchmark::Counter::kIsRate);
}

void BM_HorizontalShrink(benchmark::State& state) {
    runResample(state, 4000, 3000, 800, 3000, Kernel::Bilinear);
}
void BM_VerticalShrink(benchmark::State& state) {
    runResample(state, 4000, 3000, 4000, 600, Kernel::Bilinear);
}
void BM_ShrinkPhoto(benchmark::State& state) {
    runResample(state, 4000, 3000, 800, 600, Kernel::Bilinear);
}
void BM_ShrinkPhotoSmall(benchmark::State& state) {
    runResample(state, 4000, 3000, 120, 90, Kernel::Bilinear);
}
void BM_ShrinkPhotoGaussian(benchmark::State& state) {
    runResample(state, 4000, 3000, 800, 600, Kernel::Gaussian);
}
void BM_EnlargePhoto(benchmark::State& state) {
    runResample(state, 1920, 1080, 3840, 2160, Kernel::Bilinear);
}
void BM_HorizontalEnlarge(benchmark::State& state) {
    runResample(state, 1920, 1080, 3840, 1080, Kernel::Bilinear);
}
void BM_VerticalEnlarge(benchmark::State& state) {
    runResample(state, 1920, 1080, 1920, 2160, Kernel::Bilinear);
}

}  // namespace

BENCHMARK(BM_HorizontalShrink)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VerticalShrink)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShrinkPhoto)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShrinkPhotoSmall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShrinkPhotoGaussian)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HorizontalEnlarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VerticalEnlarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnlargePhoto)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
