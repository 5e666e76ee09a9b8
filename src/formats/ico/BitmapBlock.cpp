#include "formats/ico/BitmapBlock.h"

#include <array>
#include <new>

#include "foundation/MemoryStreams.h"
#include "image/ImageLimits.h"

namespace s::image::ico {

namespace {

using s::image::bmp::InfoHeader;

constexpr std::size_t kHeightOffset = 8;

std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Header sizes of the Windows family (40 bytes and its successors); the
// OS/2 headers never appear in icons.
bool isIconHeaderSize(std::uint32_t size) {
    return size >= InfoHeader::kSize && InfoHeader::isKnownSize(size) &&
           !InfoHeader::isOs2Size(size);
}

// Length of the header, bit-field masks, colour table and colour rows, or 0
// when the header does not describe an icon bitmap this reader can hold.
std::uint64_t colourPartLength(const InfoHeader& h) {
    if (h.compression != s::image::bmp::kRgb && h.compression != s::image::bmp::kBitFields) {
        return 0;
    }
    // Negative heights (top-down rows) are not an icon layout.
    const std::int64_t height = h.height / 2;
    if (h.height <= 0 || !s::image::ImageLimits::fits(h.width, height)) return 0;
    if (h.bitCount == 0 || h.bitCount > 32) return 0;
    const std::uint64_t entries =
        h.clrUsed != 0 ? h.clrUsed : (h.bitCount <= 8 ? 1u << h.bitCount : 0u);
    if (entries > static_cast<std::uint64_t>(s::image::bmp::win::Bitmap::kMaxColours)) return 0;
    const std::uint64_t masks =
        h.compression == s::image::bmp::kBitFields && h.size == InfoHeader::kSize ? 12 : 0;
    const std::uint64_t stride =
        ((static_cast<std::uint64_t>(h.width) * h.bitCount + 31) >> 3) & ~std::uint64_t{3};
    return h.size + masks + entries * 4 + stride * static_cast<std::uint64_t>(height);
}

}  // namespace

bool BitmapBlock::read(std::vector<std::uint8_t>& block, s::image::bmp::win::Bitmap& colour,
                       IconMask& mask) {
    colour.reset();
    mask.clear();
    if (block.size() < 4) return false;
    const std::uint32_t headerSize = u32(block.data());
    if (!isIconHeaderSize(headerSize) || block.size() < headerSize) return false;
    std::array<std::uint32_t, 4> masks{};
    const InfoHeader header = InfoHeader::parse(block.data(), headerSize, masks);
    const std::uint64_t colourEnd = colourPartLength(header);
    if (colourEnd == 0 || colourEnd > block.size()) return false;

    // The BMP reader sees the colour part alone, with the height of the
    // colour rows; the doubled height is put back afterwards.
    const std::int32_t height = header.height / 2;
    put32(block.data() + kHeightOffset, static_cast<std::uint32_t>(height));
    s::io::MemoryInputStream colourPart(block.data(), static_cast<std::size_t>(colourEnd));
    const bool read = colour.readHeaderless(colourPart);
    put32(block.data() + kHeightOffset, static_cast<std::uint32_t>(header.height));
    if (!read || !mask.allocate(header.width, height)) {
        colour.reset();
        return false;
    }
    mask.read(block.data() + colourEnd, block.size() - static_cast<std::size_t>(colourEnd));
    return true;
}

bool BitmapBlock::write(s::image::bmp::win::Bitmap& colour, const IconMask& mask,
                        std::vector<std::uint8_t>& out) {
    s::io::MemoryOutputStream stream;
    if (!colour.isValid() || !colour.writeHeaderless(stream)) return false;
    try {
        out = stream.take();
        InfoHeader header = colour.getInfoHeader();
        header.height *= 2;
        // The pixel count, as icon writers have always put it here.
        header.sizeImage = static_cast<std::uint32_t>(header.width) *
                           static_cast<std::uint32_t>(colour.getHeight());
        header.serialize(out.data());
        out.insert(out.end(), mask.bytes().begin(), mask.bytes().end());
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
    return true;
}

}  // namespace s::image::ico
