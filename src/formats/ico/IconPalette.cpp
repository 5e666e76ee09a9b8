#include "formats/ico/IconPalette.h"

#include <algorithm>
#include <new>
#include <vector>

#include "image/filters/reduction/Quantizer.h"

namespace s::image::ico {

namespace {

using s::image::filters::reduction::Quantizer;

std::uint32_t brightness(std::uint32_t colour) {
    return ((colour >> 16) & 0xFF) + ((colour >> 8) & 0xFF) + (colour & 0xFF);
}

void copyPalette(const Quantizer& quantizer, std::int32_t colours, std::uint8_t* table) {
    const std::int32_t used = std::min(quantizer.getColourCount(), colours);
    for (std::int32_t i = 0; i < used; ++i) {
        const std::uint32_t c = quantizer.getPalette()[i];
        std::uint8_t* e = table + 4 * i;
        e[0] = static_cast<std::uint8_t>(c);
        e[1] = static_cast<std::uint8_t>(c >> 8);
        e[2] = static_cast<std::uint8_t>(c >> 16);
        e[3] = 0;
    }
}

}  // namespace

bool IconPalette::encode(const s::image::win::BufferedImage& source,
                         s::image::bmp::win::Bitmap& colour) {
    const std::int32_t bitCount = colour.getBitCount();
    if (bitCount != 1 && bitCount != 4 && bitCount != 8) return false;
    const std::int32_t colours = bitCount == 1 ? 2 : (1 << bitCount) - 1;
    s::thread::Pooled<Quantizer> quantizer = Quantizer::take();
    if (!quantizer || !quantizer->build(source, colours)) return false;
    copyPalette(*quantizer, colours, colour.getColourTable());

    const std::int32_t width = source.getWidth(), height = source.getHeight();
    if (bitCount != 1) {
        // The quantizer's transparency slot is index `colours`, the last
        // table entry, which stays black.
        for (std::int32_t y = 0; y < height; ++y) {
            quantizer->mapRow(source.getRow(y), width, colour.getRow(y), bitCount);
        }
        return true;
    }
    const std::uint32_t* palette = quantizer->getPalette();
    const std::uint8_t darker = brightness(palette[1]) < brightness(palette[0]) ? 1 : 0;
    try {
        std::vector<std::uint8_t> indices(static_cast<std::size_t>(width));
        for (std::int32_t y = 0; y < height; ++y) {
            quantizer->mapRow(source.getRow(y), width, indices.data(), 8);
            packOneBit(source, colour, indices.data(), y, darker);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void IconPalette::packOneBit(const s::image::win::BufferedImage& source,
                             s::image::bmp::win::Bitmap& colour, const std::uint8_t* indices,
                             std::int32_t y, std::uint8_t transparentIndex) {
    std::uint8_t* row = colour.getRow(y);
    for (std::int32_t x = 0; x < source.getWidth(); ++x) {
        // Index 2 is the quantizer's transparency slot.
        const std::uint8_t index = indices[x] > 1 ? transparentIndex : indices[x];
        if (index != 0) row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    }
}

}  // namespace s::image::ico
