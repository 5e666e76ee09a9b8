// s::image::bmp::RowConverter -- turns one stored BMP row of any supported
// depth into 32-bit pixels (0xAARRGGBB).
//
// Palette depths (1, 4, 8 bits) look up a full 256-entry table in which the
// entries beyond the file's colour table are opaque black, so no index can
// read outside it. 16-bit and bit-field rows go through ChannelMasks;
// 24-bit rows are blue-green-red bytes; plain 32-bit rows are copied with
// their fourth byte as alpha. Every other depth gives opaque pixels.
// The converter is chosen once per image; each row is one tight loop.
#pragma once

#include <array>
#include <cstdint>

#include "formats/bmp/ChannelMasks.h"

namespace s::image::bmp {

class RowConverter {
public:
    // colourTable holds colourCount entries of blue, green, red, reserved
    // (at most 256 are used). masks are used for 16 bits and bit fields.
    RowConverter(std::int32_t bitCount, bool bitFields, const std::uint8_t* colourTable,
                 std::int32_t colourCount, const ChannelMasks& masks);

    // Converts `width` pixels; source holds at least the row's stride bytes.
    void convert(const std::uint8_t* source, std::uint32_t* target, std::int32_t width) const {
        convert_(*this, source, target, width);
    }

private:
    using Convert = void (*)(const RowConverter&, const std::uint8_t*, std::uint32_t*,
                             std::int32_t);
    static void indexed1(const RowConverter&, const std::uint8_t*, std::uint32_t*, std::int32_t);
    static void indexed4(const RowConverter&, const std::uint8_t*, std::uint32_t*, std::int32_t);
    static void indexed8(const RowConverter&, const std::uint8_t*, std::uint32_t*, std::int32_t);
    static void masked16(const RowConverter&, const std::uint8_t*, std::uint32_t*, std::int32_t);
    static void masked32(const RowConverter&, const std::uint8_t*, std::uint32_t*, std::int32_t);
    static void bgr24(const RowConverter&, const std::uint8_t*, std::uint32_t*, std::int32_t);
    static void bgra32(const RowConverter&, const std::uint8_t*, std::uint32_t*, std::int32_t);

    std::array<std::uint32_t, 256> palette_{};
    ChannelMasks masks_;
    Convert convert_;
};

}  // namespace s::image::bmp
