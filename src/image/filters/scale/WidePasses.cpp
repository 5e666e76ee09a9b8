#include "image/filters/scale/WidePasses.h"

#include <algorithm>
#include <cstring>
#include <new>

#if defined(__x86_64__) && defined(__GNUC__)
#define TARVEX_WIDE_PASSES 1
#include <immintrin.h>
#endif

namespace s::image::filters::scale {

namespace {

constexpr std::int32_t kMaxWeight = 32767;
// Keeps every 32-bit sum of weight times channel value below 2^31.
constexpr std::int64_t kMaxWeightSum = std::int64_t{1} << 23;
constexpr std::int32_t kTapsPerGroup = 4;

std::int32_t pairOf(std::int32_t w0, std::int32_t w1) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(w0) | static_cast<std::uint32_t>(w1)
                                                                          << 16);
}

// True when every weight of record i fits the wide form.
bool weightsFit(const Contribution& table, std::int32_t i) {
    const std::int32_t taps = table.last(i) - table.first(i) + 1;
    const std::int32_t* weights = table.weights(i);
    std::int64_t sum = 0;
    for (std::int32_t k = 0; k < taps; ++k) {
        if (weights[k] < 0 || weights[k] > kMaxWeight) return false;
        sum += weights[k];
    }
    return sum <= kMaxWeightSum;
}

void startRecords(const Contribution& table, WideTable& packed) {
    const auto count = static_cast<std::size_t>(table.getDestCount());
    packed.first.resize(count);
    packed.groups.resize(count);
    packed.offset.resize(count);
    packed.weights.clear();
}

// One horizontal record: window moved left so its padded length stays in
// the line, weights placed where their pixels now fall.
bool packHorizontalRecord(const Contribution& table, std::int32_t i, std::int32_t sourceLength,
                          WideTable& packed) {
    const std::int32_t first = table.first(i);
    const std::int32_t taps = table.last(i) - first + 1;
    packed.offset[i] = static_cast<std::int32_t>(packed.weights.size());
    if (taps == 1) {
        packed.first[i] = first;
        packed.groups[i] = 0;
        return true;
    }
    const std::int32_t groups = (taps + kTapsPerGroup - 1) / kTapsPerGroup;
    const std::int32_t padded = groups * kTapsPerGroup;
    if (padded > sourceLength || !weightsFit(table, i)) return false;
    const std::int32_t start = std::min(first, sourceLength - padded);
    std::vector<std::int32_t> spread(static_cast<std::size_t>(padded), 0);
    std::copy_n(table.weights(i), taps, spread.begin() + (first - start));
    for (std::int32_t g = 0; g < groups; ++g) {
        const std::int32_t* w = spread.data() + g * kTapsPerGroup;
        for (int lane = 0; lane < 4; ++lane) packed.weights.push_back(pairOf(w[0], w[1]));
        for (int lane = 0; lane < 4; ++lane) packed.weights.push_back(pairOf(w[2], w[3]));
    }
    packed.first[i] = start;
    packed.groups[i] = groups;
    return true;
}

bool packVerticalRecord(const Contribution& table, std::int32_t i, WideTable& packed) {
    const std::int32_t first = table.first(i);
    const std::int32_t taps = table.last(i) - first + 1;
    packed.first[i] = first;
    packed.offset[i] = static_cast<std::int32_t>(packed.weights.size());
    if (taps == 1) {
        packed.groups[i] = 0;
        return true;
    }
    if (!weightsFit(table, i)) return false;
    const std::int32_t* w = table.weights(i);
    for (std::int32_t k = 0; k < taps; k += 2) {
        packed.weights.push_back(pairOf(w[k], k + 1 < taps ? w[k + 1] : 0));
    }
    packed.groups[i] = taps;
    return true;
}

template <class PackRecord>
bool packAll(const Contribution& table, WideTable& packed, PackRecord packRecord) {
    try {
        startRecords(table, packed);
        for (std::int32_t i = 0; i < table.getDestCount(); ++i) {
            if (!packRecord(i)) return false;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

#if defined(TARVEX_WIDE_PASSES)

#define TARVEX_AVX2 __attribute__((target("avx2")))

// The plain arithmetic for one pixel of a vertical record, from its packed
// pairs: the few columns right of the last block of eight.
void blendColumn(const std::uint8_t* top, std::ptrdiff_t stride, const std::int32_t* pairs,
                 std::int32_t taps, std::uint8_t* out) {
    std::uint32_t sum[4] = {0, 0, 0, 0};
    for (std::int32_t k = 0; k < taps; ++k) {
        const auto pair = static_cast<std::uint32_t>(pairs[k / 2]);
        const std::uint32_t weight = (k % 2 == 0) ? (pair & 0xFFFF) : (pair >> 16);
        const std::uint8_t* sample = top + k * stride;
        for (int c = 0; c < 4; ++c) sum[c] += weight * sample[c];
    }
    for (int c = 0; c < 4; ++c)
        out[c] = static_cast<std::uint8_t>(((sum[c] + 0x8000) >> 16) & 0xFF);
}

// ((sum + 0x8000) >> 16) & 0xFF in every lane.
TARVEX_AVX2 inline __m256i roundSums(__m256i sums) {
    const __m256i half = _mm256_set1_epi32(0x8000);
    const __m256i mask = _mm256_set1_epi32(0xFF);
    return _mm256_and_si256(_mm256_srli_epi32(_mm256_add_epi32(sums, half), 16), mask);
}

// One destination pixel: each group reads four source pixels, reorders them
// to channel pairs of neighbouring taps and multiplies them by their weights.
TARVEX_AVX2 inline void blendRecord(const std::uint8_t* sample, const __m256i* weights,
                                    std::int32_t groups, std::uint8_t* out) {
    const __m128i order = _mm_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15);
    __m256i sums = _mm256_setzero_si256();
    for (std::int32_t g = 0; g < groups; ++g, sample += 16) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sample));
        const __m256i pairs = _mm256_cvtepu8_epi16(_mm_shuffle_epi8(pixels, order));
        sums = _mm256_add_epi32(sums, _mm256_madd_epi16(pairs, _mm256_loadu_si256(weights + g)));
    }
    const __m128i total =
        _mm_add_epi32(_mm256_castsi256_si128(sums), _mm256_extracti128_si256(sums, 1));
    const __m128i rounded = _mm_and_si128(
        _mm_srli_epi32(_mm_add_epi32(total, _mm_set1_epi32(0x8000)), 16), _mm_set1_epi32(0xFF));
    const __m128i words = _mm_packs_epi32(rounded, rounded);
    const std::int32_t value = _mm_cvtsi128_si32(_mm_packus_epi16(words, words));
    std::memcpy(out, &value, 4);
}

TARVEX_AVX2 void horizontalAvx2(const WideTable& table, const std::uint8_t* source,
                                std::ptrdiff_t sourceStride, std::uint8_t* destination,
                                std::ptrdiff_t destinationStride, std::int32_t lines) {
    const std::size_t count = table.first.size();
    const auto* weights = reinterpret_cast<const __m256i*>(table.weights.data());
    for (std::int32_t y = 0; y < lines; ++y) {
        const std::uint8_t* line = source + y * sourceStride;
        std::uint8_t* out = destination + y * destinationStride;
        for (std::size_t i = 0; i < count; ++i, out += 4) {
            const std::uint8_t* sample = line + static_cast<std::ptrdiff_t>(table.first[i]) * 4;
            if (table.groups[i] == 0) {
                std::memcpy(out, sample, 4);
                continue;
            }
            blendRecord(sample, weights + table.offset[i] / 8, table.groups[i], out);
        }
    }
}

// Adds one pair of source rows (a, b) for eight pixels into four sums, each
// holding two pixels (0 and 4, 1 and 5, 2 and 6, 3 and 7).
TARVEX_AVX2 inline void addRowPair(__m256i a, __m256i b, __m256i weight, __m256i sums[4]) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i low = _mm256_unpacklo_epi8(a, b);
    const __m256i high = _mm256_unpackhi_epi8(a, b);
    sums[0] = _mm256_add_epi32(sums[0], _mm256_madd_epi16(_mm256_unpacklo_epi8(low, zero), weight));
    sums[1] = _mm256_add_epi32(sums[1], _mm256_madd_epi16(_mm256_unpackhi_epi8(low, zero), weight));
    sums[2] =
        _mm256_add_epi32(sums[2], _mm256_madd_epi16(_mm256_unpacklo_epi8(high, zero), weight));
    sums[3] =
        _mm256_add_epi32(sums[3], _mm256_madd_epi16(_mm256_unpackhi_epi8(high, zero), weight));
}

TARVEX_AVX2 inline void blendEight(const std::uint8_t* top, std::ptrdiff_t stride,
                                   const std::int32_t* pairs, std::int32_t taps,
                                   std::uint8_t* out) {
    __m256i sums[4] = {_mm256_setzero_si256(), _mm256_setzero_si256(), _mm256_setzero_si256(),
                       _mm256_setzero_si256()};
    const std::uint8_t* row = top;
    std::int32_t k = 0;
    for (; k + 2 <= taps; k += 2, row += 2 * stride) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + stride));
        addRowPair(a, b, _mm256_set1_epi32(pairs[k / 2]), sums);
    }
    if (k < taps) {
        // The odd last row, paired with itself under a zero weight.
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row));
        addRowPair(a, a, _mm256_set1_epi32(pairs[k / 2]), sums);
    }
    const __m256i first = _mm256_packs_epi32(roundSums(sums[0]), roundSums(sums[1]));
    const __m256i second = _mm256_packs_epi32(roundSums(sums[2]), roundSums(sums[3]));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_packus_epi16(first, second));
}

TARVEX_AVX2 void verticalAvx2(const WideTable& table, const std::uint8_t* source,
                              std::ptrdiff_t sourceStride, std::uint8_t* destination,
                              std::ptrdiff_t destinationStride, std::int32_t columns) {
    const std::size_t count = table.first.size();
    const std::size_t rowBytes = static_cast<std::size_t>(columns) * 4;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* top = source + table.first[i] * sourceStride;
        std::uint8_t* out = destination + static_cast<std::ptrdiff_t>(i) * destinationStride;
        const std::int32_t taps = table.groups[i];
        if (taps == 0) {
            std::memcpy(out, top, rowBytes);
            continue;
        }
        const std::int32_t* pairs = table.weights.data() + table.offset[i];
        std::int32_t x = 0;
        for (; x + 8 <= columns; x += 8)
            blendEight(top + x * 4, sourceStride, pairs, taps, out + x * 4);
        for (; x < columns; ++x) blendColumn(top + x * 4, sourceStride, pairs, taps, out + x * 4);
    }
}

#endif

}  // namespace

bool WidePasses::available() {
#if defined(TARVEX_WIDE_PASSES)
    static const bool hasAvx2 = __builtin_cpu_supports("avx2");
    return hasAvx2;
#else
    return false;
#endif
}

bool WidePasses::packHorizontal(const Contribution& table, std::int32_t sourceLength,
                                WideTable& packed) {
    return packAll(table, packed, [&](std::int32_t i) {
        return packHorizontalRecord(table, i, sourceLength, packed);
    });
}

bool WidePasses::packVertical(const Contribution& table, WideTable& packed) {
    return packAll(table, packed,
                   [&](std::int32_t i) { return packVerticalRecord(table, i, packed); });
}

void WidePasses::horizontal(const WideTable& table, const std::uint8_t* source,
                            std::ptrdiff_t sourceStride, std::uint8_t* destination,
                            std::ptrdiff_t destinationStride, std::int32_t lines) {
#if defined(TARVEX_WIDE_PASSES)
    horizontalAvx2(table, source, sourceStride, destination, destinationStride, lines);
#else
    (void)table, (void)source, (void)sourceStride, (void)destination, (void)destinationStride,
        (void)lines;
#endif
}

void WidePasses::vertical(const WideTable& table, const std::uint8_t* source,
                          std::ptrdiff_t sourceStride, std::uint8_t* destination,
                          std::ptrdiff_t destinationStride, std::int32_t columns) {
#if defined(TARVEX_WIDE_PASSES)
    verticalAvx2(table, source, sourceStride, destination, destinationStride, columns);
#else
    (void)table, (void)source, (void)sourceStride, (void)destination, (void)destinationStride,
        (void)columns;
#endif
}

}  // namespace s::image::filters::scale
