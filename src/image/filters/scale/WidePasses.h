// s::image::filters::scale::WidePasses -- the resampler's two passes in
// 256-bit integer vectors (AVX2), chosen at run time on processors that have
// them; every other processor and build keeps the 128-bit and plain forms.
//
// Exactness: weights of a table are used as signed 16-bit values, two taps
// per multiply-add, so a table is accepted only when every weight lies in
// 0..32767 (the pack functions say no otherwise, and the caller uses another
// form). Each 32-bit sum then equals the plain form's unsigned sum bit for
// bit, and the rounding is the same, so the bytes are identical.
//
// Reads stay inside the source: a horizontal record is padded to a multiple
// of four taps with zero weights and its window moved left where the padding
// would pass the end of the line; a vertical record with an odd number of
// taps reads its last row twice with a zero weight.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/filters/scale/Contribution.h"

namespace s::image::filters::scale {

// A contribution table in the form the wide passes read.
struct WideTable {
    // Per record: first source index read, and the number of four-tap groups
    // (horizontal) or tap pairs (vertical); 0 means "copy the pixel at first".
    std::vector<std::int32_t> first;
    std::vector<std::int32_t> groups;
    // Horizontal: per group 16 weights (w0 w1 four times, w2 w3 four times).
    // Vertical: per pair one 32-bit value w0 | w1 << 16.
    std::vector<std::int32_t> weights;
    std::vector<std::int32_t> offset;
};

class WidePasses {
public:
    // True when this build and this processor can run the wide passes.
    static bool available();

    // Pack a table for one direction; false when it is outside what the wide
    // form computes exactly or memory cannot be had.
    static bool packHorizontal(const Contribution& table, std::int32_t sourceLength,
                               WideTable& packed);
    static bool packVertical(const Contribution& table, WideTable& packed);

    // One pass over `lines` rows (horizontal) or `columns` pixels per row
    // (vertical); rows are `stride` bytes apart.
    static void horizontal(const WideTable& table, const std::uint8_t* source,
                           std::ptrdiff_t sourceStride, std::uint8_t* destination,
                           std::ptrdiff_t destinationStride, std::int32_t lines);
    static void vertical(const WideTable& table, const std::uint8_t* source,
                         std::ptrdiff_t sourceStride, std::uint8_t* destination,
                         std::ptrdiff_t destinationStride, std::int32_t columns);
};

}  // namespace s::image::filters::scale
