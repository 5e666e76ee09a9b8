#include "image/filters/scale/Resampler.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "image/ImageLimits.h"
#include "image/filters/scale/BilinearFilter.h"
#include "image/filters/scale/BlackmanFilter.h"
#include "image/filters/scale/BoxFilter.h"
#include "image/filters/scale/Contribution.h"
#include "image/filters/scale/GaussianFilter.h"
#include "image/filters/scale/HammingFilter.h"
#include "image/filters/scale/WidePasses.h"

namespace s::image::filters::scale {

using s::image::win::BufferedImage;

namespace {

// Pixel rows in memory order: row 0 is the bottom logical row.
struct Plane {
    std::uint8_t* base;
    std::ptrdiff_t stride;
};

// One destination pixel from the source samples first..last (step bytes
// apart) of one line, in plain integer arithmetic: the reference form of a
// pass, used where the vector form is not available or not proven exact.
// Alpha is weighted like the colours (straight alpha).
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

void scalarHorizontal(const Contribution& table, Plane source, Plane destination,
                      std::int32_t lines) {
    const std::int32_t count = table.getDestCount();
    for (std::int32_t y = 0; y < lines; ++y) {
        const std::uint8_t* line = source.base + y * source.stride;
        std::uint8_t* out = destination.base + y * destination.stride;
        for (std::int32_t i = 0; i < count; ++i) blendPixel(table, i, line, 4, out + i * 4);
    }
}

void scalarVertical(const Contribution& table, Plane source, Plane destination,
                    std::int32_t columns) {
    const std::int32_t count = table.getDestCount();
    for (std::int32_t i = 0; i < count; ++i) {
        std::uint8_t* out = destination.base + i * destination.stride;
        for (std::int32_t x = 0; x < columns; ++x)
            blendPixel(table, i, source.base + x * 4, source.stride, out + x * 4);
    }
}

#if defined(__SSE2__)

// The vector form. A weight w (0..65536) is split as w = lo + 128 * hi with
// lo < 128 and hi <= 512, and each channel value c as the 16-bit pair
// (c, c << 7) (c << 7 <= 32640): one _mm_madd_epi16 then yields
// lo * c + hi * (c << 7) = w * c in a 32-bit lane, exactly. A record's
// weights summing to at most 2^23 keep every sum below 2^31, so the signed
// vector sums equal the unsigned sums of the reference form bit for bit.
constexpr std::int64_t kMaxWeightSum = std::int64_t{1} << 23;

// The table in the form the vector passes read: per record the first index,
// the tap count (1 = copy) and the offset of its packed weights.
struct PackedTable {
    std::vector<std::int32_t> first;
    std::vector<std::int32_t> taps;
    std::vector<std::int32_t> offset;
    std::vector<std::int32_t> weights;  // lo | hi << 16 per tap
};

// Packs the table; false when a weight or a record's sum falls outside what
// the vector form computes exactly (the caller then uses the scalar form).
bool packTable(const Contribution& table, PackedTable& packed) {
    const std::int32_t count = table.getDestCount();
    packed.first.resize(static_cast<std::size_t>(count));
    packed.taps.resize(static_cast<std::size_t>(count));
    packed.offset.resize(static_cast<std::size_t>(count));
    packed.weights.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t taps = table.last(i) - table.first(i) + 1;
        packed.first[i] = table.first(i);
        packed.taps[i] = taps;
        packed.offset[i] = static_cast<std::int32_t>(packed.weights.size());
        if (taps == 1) continue;
        const std::int32_t* weights = table.weights(i);
        std::int64_t sum = 0;
        for (std::int32_t k = 0; k < taps; ++k) {
            const std::int32_t w = weights[k];
            if (w < 0 || w > 65536) return false;
            sum += w;
            packed.weights.push_back((w & 0x7F) | (w >> 7) << 16);
        }
        if (sum > kMaxWeightSum) return false;
    }
    return true;
}

// Four channels of one pixel as (c, c << 7) pairs.
inline __m128i channelPairs(__m128i pixel16) {
    return _mm_unpacklo_epi16(pixel16, _mm_slli_epi16(pixel16, 7));
}

// ((sum + 0x8000) >> 16) & 0xFF for four sums.
inline __m128i roundSums(__m128i sums) {
    const __m128i half = _mm_set1_epi32(0x8000);
    const __m128i mask = _mm_set1_epi32(0xFF);
    return _mm_and_si128(_mm_srli_epi32(_mm_add_epi32(sums, half), 16), mask);
}

inline void storePixel(__m128i sums, std::uint8_t* out) {
    const __m128i bytes16 = _mm_packs_epi32(roundSums(sums), _mm_setzero_si128());
    const std::int32_t value = _mm_cvtsi128_si32(_mm_packus_epi16(bytes16, bytes16));
    std::memcpy(out, &value, 4);
}

inline __m128i loadPixel16(const std::uint8_t* sample) {
    std::int32_t value;
    std::memcpy(&value, sample, 4);
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(value), _mm_setzero_si128());
}

// One destination pixel from `taps` samples `step` bytes apart.
inline void blendVector(const std::uint8_t* sample, std::ptrdiff_t step,
                        const std::int32_t* weights, std::int32_t taps, std::uint8_t* out) {
    __m128i sums = _mm_setzero_si128();
    for (std::int32_t k = 0; k < taps; ++k, sample += step) {
        const __m128i pairs = channelPairs(loadPixel16(sample));
        sums = _mm_add_epi32(sums, _mm_madd_epi16(pairs, _mm_set1_epi32(weights[k])));
    }
    storePixel(sums, out);
}

void vectorHorizontal(const PackedTable& table, Plane source, Plane destination,
                      std::int32_t lines) {
    const std::size_t count = table.first.size();
    for (std::int32_t y = 0; y < lines; ++y) {
        const std::uint8_t* line = source.base + y * source.stride;
        std::uint8_t* out = destination.base + y * destination.stride;
        for (std::size_t i = 0; i < count; ++i, out += 4) {
            const std::uint8_t* sample = line + static_cast<std::ptrdiff_t>(table.first[i]) * 4;
            if (table.taps[i] == 1) {
                std::memcpy(out, sample, 4);
                continue;
            }
            blendVector(sample, 4, table.weights.data() + table.offset[i], table.taps[i], out);
        }
    }
}

// Four neighbouring pixels of one destination row: each tap reads 16 bytes
// of one source row.
inline void blendFourPixels(const std::uint8_t* sample, std::ptrdiff_t stride,
                            const std::int32_t* weights, std::int32_t taps, std::uint8_t* out) {
    const __m128i zero = _mm_setzero_si128();
    __m128i s0 = zero, s1 = zero, s2 = zero, s3 = zero;
    for (std::int32_t k = 0; k < taps; ++k, sample += stride) {
        const __m128i w = _mm_set1_epi32(weights[k]);
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sample));
        const __m128i lo = _mm_unpacklo_epi8(v, zero);
        const __m128i hi = _mm_unpackhi_epi8(v, zero);
        const __m128i loShift = _mm_slli_epi16(lo, 7);
        const __m128i hiShift = _mm_slli_epi16(hi, 7);
        s0 = _mm_add_epi32(s0, _mm_madd_epi16(_mm_unpacklo_epi16(lo, loShift), w));
        s1 = _mm_add_epi32(s1, _mm_madd_epi16(_mm_unpackhi_epi16(lo, loShift), w));
        s2 = _mm_add_epi32(s2, _mm_madd_epi16(_mm_unpacklo_epi16(hi, hiShift), w));
        s3 = _mm_add_epi32(s3, _mm_madd_epi16(_mm_unpackhi_epi16(hi, hiShift), w));
    }
    const __m128i low = _mm_packs_epi32(roundSums(s0), roundSums(s1));
    const __m128i high = _mm_packs_epi32(roundSums(s2), roundSums(s3));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(low, high));
}

void vectorVertical(const PackedTable& table, Plane source, Plane destination,
                    std::int32_t columns) {
    const std::size_t count = table.first.size();
    const std::size_t rowBytes = static_cast<std::size_t>(columns) * 4;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* top = source.base + table.first[i] * source.stride;
        std::uint8_t* out = destination.base + static_cast<std::ptrdiff_t>(i) * destination.stride;
        const std::int32_t taps = table.taps[i];
        if (taps == 1) {
            std::memcpy(out, top, rowBytes);
            continue;
        }
        const std::int32_t* weights = table.weights.data() + table.offset[i];
        std::int32_t x = 0;
        for (; x + 4 <= columns; x += 4)
            blendFourPixels(top + x * 4, source.stride, weights, taps, out + x * 4);
        for (; x < columns; ++x)
            blendVector(top + x * 4, source.stride, weights, taps, out + x * 4);
    }
}

#endif

// A pass direction: its scalar and vector forms.
struct Horizontal {
    static void scalar(const Contribution& t, Plane s, Plane d, std::int32_t n) {
        scalarHorizontal(t, s, d, n);
    }
    static bool packWide(const Contribution& t, std::int32_t sourceLength, WideTable& wide) {
        return WidePasses::packHorizontal(t, sourceLength, wide);
    }
    static void wide(const WideTable& t, Plane s, Plane d, std::int32_t n) {
        WidePasses::horizontal(t, s.base, s.stride, d.base, d.stride, n);
    }
#if defined(__SSE2__)
    static void vector(const PackedTable& t, Plane s, Plane d, std::int32_t n) {
        vectorHorizontal(t, s, d, n);
    }
#endif
};

struct Vertical {
    static void scalar(const Contribution& t, Plane s, Plane d, std::int32_t n) {
        scalarVertical(t, s, d, n);
    }
    static bool packWide(const Contribution& t, std::int32_t, WideTable& wide) {
        return WidePasses::packVertical(t, wide);
    }
    static void wide(const WideTable& t, Plane s, Plane d, std::int32_t n) {
        WidePasses::vertical(t, s.base, s.stride, d.base, d.stride, n);
    }
#if defined(__SSE2__)
    static void vector(const PackedTable& t, Plane s, Plane d, std::int32_t n) {
        vectorVertical(t, s, d, n);
    }
#endif
};

Resampler::Passes widestPasses() {
    if (WidePasses::available()) return Resampler::Passes::Wide;
#if defined(__SSE2__)
    return Resampler::Passes::Vector;
#else
    return Resampler::Passes::Plain;
#endif
}

std::atomic<Resampler::Passes>& passesInUse() {
    static std::atomic<Resampler::Passes> passes{widestPasses()};
    return passes;
}

bool isDefaultKernel(const IScaleFilter& kernel) {
    for (std::int32_t kind = 1; kind <= 5; ++kind)
        if (&kernel == &Resampler::defaultKernel(kind)) return true;
    return false;
}

// The table of one pass direction, kept for the next call: several sizes of
// one source share a dimension, and a batch of same-sized photos shares all
// of them, so the weights are computed once per kernel, size and direction.
struct CachedTable {
    const IScaleFilter* kernel = nullptr;
    double support = 0.0;
    std::int32_t destLength = 0;
    std::int32_t sourceLength = 0;
    bool valid = false;
    Contribution table;
#if defined(__SSE2__)
    bool packedOk = false;
    PackedTable packed;
#endif
    bool wideOk = false;
    WideTable wide;

    // Only the process-wide default kernels are remembered: they never change
    // and never move, while another kernel object's address may be reused by
    // a different kernel.
    template <class Axis>
    bool prepare(const IScaleFilter& k, std::int32_t dest, std::int32_t source) {
        if (valid && kernel == &k && support == k.getSupport() && destLength == dest &&
            sourceLength == source) {
            return true;
        }
        valid = false;
        if (!table.compute(k, dest, source)) return false;
#if defined(__SSE2__)
        try {
            packedOk = packTable(table, packed);
        } catch (const std::bad_alloc&) {
            packedOk = false;
        }
#endif
        wideOk = WidePasses::available() && Axis::packWide(table, source, wide);
        kernel = &k;
        support = k.getSupport();
        destLength = dest;
        sourceLength = source;
        valid = isDefaultKernel(k);
        return true;
    }
};

// The scratch image between the two passes, kept at its largest size for
// the next call, and the two direction tables. Each thread has its own, so
// the job's workers resample side by side and the locks (the buffer lock for
// a whole resample, the table lock inside it for each pass) never wait.
struct SharedState {
    std::mutex bufferLock;
    std::vector<std::uint8_t> buffer;
    std::mutex tableLock;
    CachedTable horizontal;
    CachedTable vertical;
};

SharedState& shared() {
    thread_local SharedState state;
    return state;
}

template <class Axis>
CachedTable& tableFor(SharedState& state);
template <>
CachedTable& tableFor<Horizontal>(SharedState& state) {
    return state.horizontal;
}
template <>
CachedTable& tableFor<Vertical>(SharedState& state) {
    return state.vertical;
}

// Prepares the table for sourceLength -> destLength and runs the pass over
// `lines` rows (horizontal) or columns (vertical).
template <class Axis>
bool scalePass(const IScaleFilter& kernel, Plane source, Plane destination,
               std::int32_t sourceLength, std::int32_t destLength, std::int32_t lines) {
    SharedState& state = shared();
    std::lock_guard lock(state.tableLock);
    CachedTable& cached = tableFor<Axis>(state);
    if (!cached.template prepare<Axis>(kernel, destLength, sourceLength)) return false;
    const Resampler::Passes passes = passesInUse().load(std::memory_order_relaxed);
    if (passes == Resampler::Passes::Wide && cached.wideOk) {
        Axis::wide(cached.wide, source, destination, lines);
        return true;
    }
#if defined(__SSE2__)
    if (passes != Resampler::Passes::Plain && cached.packedOk) {
        Axis::vector(cached.packed, source, destination, lines);
        return true;
    }
#endif
    Axis::scalar(cached.table, source, destination, lines);
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

Resampler::Passes Resampler::usePasses(Passes wanted) {
    const Passes passes = std::min(wanted, widestPasses());
    passesInUse().store(passes, std::memory_order_relaxed);
    return passes;
}

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

    if (!destination.resetSizeGrowing(w, h)) return false;
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
