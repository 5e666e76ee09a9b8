#include "image/filters/scale/Resampler.h"

#include <cstddef>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "image/ImageLimits.h"
#include "image/filters/scale/BilinearFilter.h"
#include "image/filters/scale/BlackmanFilter.h"
#include "image/filters/scale/BoxFilter.h"
#include "image/filters/scale/Contribution.h"
#include "image/filters/scale/GaussianFilter.h"
#include "image/filters/scale/HammingFilter.h"

namespace s::image::filters::scale {

using s::image::win::BufferedImage;

namespace {

// Pixel rows in memory order: row 0 is the bottom logical row.
struct Plane {
    std::uint8_t* base;
    std::ptrdiff_t stride;
};

// The scratch image between the two passes, kept at its largest size for
// the next call, and the contribution table, with the locks that guard them.
// The buffer lock is held for a whole resample, the table lock inside it for
// each pass that scales.
struct SharedState {
    std::mutex bufferLock;
    std::vector<std::uint8_t> buffer;
    std::mutex tableLock;
    Contribution table;
};

SharedState& shared() {
    static SharedState state;
    return state;
}

// A horizontal pass walks each row pixel by pixel; a vertical pass walks
// down the columns. The vertical pass visits destination rows in the outer
// loop so that memory is read row after row.
struct Horizontal {
    static constexpr bool kIndexInner = true;
    static std::ptrdiff_t sampleStep(std::ptrdiff_t) { return 4; }
    static std::ptrdiff_t lineStep(std::ptrdiff_t stride) { return stride; }
};

struct Vertical {
    static constexpr bool kIndexInner = false;
    static std::ptrdiff_t sampleStep(std::ptrdiff_t stride) { return stride; }
    static std::ptrdiff_t lineStep(std::ptrdiff_t) { return 4; }
};

// One destination pixel from the source samples first..last (step bytes
// apart) of one line. Alpha is weighted like the colours (straight alpha).
inline void blendPixel(const Contribution& table, std::int32_t i, const std::uint8_t* line,
                       std::ptrdiff_t step, std::uint8_t* out) {
    const std::int32_t first = table.first(i);
    const std::int32_t last = table.last(i);
    const std::uint8_t* sample = line + first * step;
    if (first == last) {
        std::memcpy(out, sample, 4);
        return;
    }
    const std::int32_t* weights = table.weights(i);
    std::uint32_t sum[4] = {0, 0, 0, 0};
    for (std::int32_t k = 0; k <= last - first; ++k, sample += step) {
        const std::uint32_t weight = static_cast<std::uint32_t>(weights[k]);
        for (int c = 0; c < 4; ++c) sum[c] += weight * sample[c];
    }
    for (int c = 0; c < 4; ++c)
        out[c] = static_cast<std::uint8_t>(((sum[c] + 0x8000) >> 16) & 0xFF);
}

// Applies the table along Axis to `lines` lines of the source.
template <class Axis>
void runPass(const Contribution& table, Plane source, Plane destination, std::int32_t lines) {
    const std::ptrdiff_t sourceSample = Axis::sampleStep(source.stride);
    const std::ptrdiff_t sourceLine = Axis::lineStep(source.stride);
    const std::ptrdiff_t destSample = Axis::sampleStep(destination.stride);
    const std::ptrdiff_t destLine = Axis::lineStep(destination.stride);
    const std::int32_t count = table.getDestCount();
    const std::int32_t outer = Axis::kIndexInner ? lines : count;
    const std::int32_t inner = Axis::kIndexInner ? count : lines;
    for (std::int32_t o = 0; o < outer; ++o) {
        for (std::int32_t n = 0; n < inner; ++n) {
            const std::int32_t line = Axis::kIndexInner ? o : n;
            const std::int32_t i = Axis::kIndexInner ? n : o;
            blendPixel(table, i, source.base + line * sourceLine, sourceSample,
                       destination.base + line * destLine + i * destSample);
        }
    }
}

// Computes the table for sourceLength -> destLength and runs the pass.
template <class Axis>
bool scalePass(const IScaleFilter& kernel, Plane source, Plane destination,
               std::int32_t sourceLength, std::int32_t destLength, std::int32_t lines) {
    SharedState& state = shared();
    std::lock_guard lock(state.tableLock);
    if (!state.table.compute(kernel, destLength, sourceLength)) return false;
    runPass<Axis>(state.table, source, destination, lines);
    return true;
}

void copyRows(Plane source, Plane destination, std::int32_t rows, std::size_t rowBytes) {
    if (source.stride == destination.stride) {
        std::memcpy(destination.base, source.base,
                    static_cast<std::size_t>(source.stride) * (rows - 1) + rowBytes);
        return;
    }
    for (std::int32_t y = 0; y < rows; ++y)
        std::memcpy(destination.base + y * destination.stride, source.base + y * source.stride,
                    rowBytes);
}

bool growBuffer(std::vector<std::uint8_t>& buffer, std::size_t size) {
    if (buffer.size() >= size) return true;
    try {
        buffer.resize(size);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

const IScaleFilter& bilinearKernel() {
    return BilinearFilter::getDefault();
}
const IScaleFilter& boxKernel() {
    return BoxFilter::getDefault();
}
const IScaleFilter& hammingKernel() {
    return HammingFilter::getDefault();
}
const IScaleFilter& blackmanKernel() {
    return BlackmanFilter::getDefault();
}
const IScaleFilter& gaussianKernel() {
    return GaussianFilter::getDefault();
}

}  // namespace

const IScaleFilter& Resampler::defaultKernel(std::int32_t kind) {
    using Getter = const IScaleFilter& (*)();
    static constexpr Getter kKernels[] = {bilinearKernel, boxKernel, hammingKernel, blackmanKernel,
                                          gaussianKernel};
    if (kind < 1 || kind > 5) kind = 1;
    return kKernels[kind - 1]();
}

bool Resampler::resample(Kernel kernel, const BufferedImage& source, std::int32_t w, std::int32_t h,
                         BufferedImage& destination) {
    return resampleWith(defaultKernel(static_cast<std::int32_t>(kernel)), source, w, h,
                        destination);
}

s::thread::Pooled<BufferedImage> Resampler::resample(Kernel kernel, const BufferedImage& source,
                                                     std::int32_t w, std::int32_t h) {
    s::thread::Pooled<BufferedImage> destination = BufferedImage::take();
    if (!destination || !resample(kernel, source, w, h, *destination)) return nullptr;
    return destination;
}

bool Resampler::resampleWith(const IScaleFilter& kernel, const BufferedImage& source,
                             std::int32_t w, std::int32_t h, BufferedImage& destination) {
    const std::int32_t sw = source.getWidth();
    const std::int32_t sh = source.getHeight();
    if (&source == &destination || !source.getBits() || !ImageLimits::fits(sw, sh) ||
        !ImageLimits::fits(w, h)) {
        return false;
    }
    // The intermediate image (w x sh) obeys the same bound as any image.
    const bool bothScale = sw != w && sh != h;
    if (bothScale && !ImageLimits::fits(w, sh)) return false;

    destination.setSize(0, 0);
    if (!destination.reserveGrowing(w, h)) return false;
    destination.setSize(w, h);
    destination.setAlpha(source.hasAlpha());

    const Plane from{const_cast<std::uint8_t*>(source.getRow(sh - 1)),
                     source.getCapacityBytesPerLine()};
    const Plane to{destination.getRow(h - 1), destination.getCapacityBytesPerLine()};
    const std::size_t rowBytes = static_cast<std::size_t>(w) * 4;

    SharedState& state = shared();
    std::lock_guard lock(state.bufferLock);
    if (!bothScale) {
        // One pass at most: the unchanged dimension needs no scratch image.
        if (sw != w) return scalePass<Horizontal>(kernel, from, to, sw, w, sh);
        if (sh != h) return scalePass<Vertical>(kernel, from, to, sh, h, w);
        copyRows(from, to, h, rowBytes);
        return true;
    }
    if (!growBuffer(state.buffer, rowBytes * static_cast<std::size_t>(sh))) return false;
    const Plane scratch{state.buffer.data(), static_cast<std::ptrdiff_t>(rowBytes)};
    return scalePass<Horizontal>(kernel, from, scratch, sw, w, sh) &&
           scalePass<Vertical>(kernel, scratch, to, sh, h, w);
}

}  // namespace s::image::filters::scale
