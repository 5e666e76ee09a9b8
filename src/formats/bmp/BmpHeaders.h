// The two BMP headers as plain values, with their little-endian byte forms.
//
// FileHeader is the 14-byte BITMAPFILEHEADER; InfoHeader holds the fields of
// the 40-byte BITMAPINFOHEADER. Parsing takes the info header in any of the
// sizes in use (12-byte OS/2 1.x core header, 16 to 64-byte OS/2 2.x
// headers, the 40-byte Windows header and its 52/56/108/124-byte successors)
// and keeps the colour masks that the larger Windows headers carry.
// Parsing only decodes bytes; whether the values make sense is decided by
// the reader (Bitmap).
#pragma once

#include <array>
#include <cstdint>

namespace s::image::bmp {

// biCompression values.
enum Compression : std::uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
};

struct FileHeader {
    static constexpr std::size_t kSize = 14;
    static constexpr std::uint16_t kMagic = 0x4D42;  // "BM"

    std::uint16_t type = kMagic;
    std::uint32_t size = 54;
    std::uint16_t reserved1 = 0;
    std::uint16_t reserved2 = 0;
    std::uint32_t offBits = 54;

    static FileHeader parse(const std::uint8_t* bytes);
    void serialize(std::uint8_t* bytes) const;
};

struct InfoHeader {
    static constexpr std::size_t kSize = 40;
    // The largest header in use (BITMAPV5HEADER).
    static constexpr std::size_t kMaxSize = 124;

    std::uint32_t size = kSize;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 32;
    std::uint32_t compression = kRgb;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;

    // True for the header sizes this reader understands.
    static bool isKnownSize(std::uint32_t size);
    // True for the OS/2 header family, whose compression codes 3 and 4 mean
    // Huffman 1D and RLE24 rather than bit fields.
    static bool isOs2Size(std::uint32_t size) { return size == 12 || size == 16 || size == 64; }
    // Colour-table entries are 3 bytes in the 12-byte core header, 4 otherwise.
    static std::uint32_t paletteEntrySize(std::uint32_t size) { return size == 12 ? 3 : 4; }

    // Decodes a header of `size` bytes (isKnownSize). Fields absent from a
    // short header stay zero; masks (red, green, blue, alpha) are filled
    // when the header holds them, else zero.
    static InfoHeader parse(const std::uint8_t* bytes, std::uint32_t size,
                            std::array<std::uint32_t, 4>& masks);
    // Writes the 40-byte form.
    void serialize(std::uint8_t* bytes) const;
};

}  // namespace s::image::bmp
