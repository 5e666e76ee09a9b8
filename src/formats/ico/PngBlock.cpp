#include "formats/ico/PngBlock.h"

#include "formats/png/Png.h"
#include "foundation/MemoryStreams.h"
#include "image/ImageLimits.h"

namespace s::image::ico {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// Signature, chunk length and type, then width, height, bit depth, colour type.
constexpr std::size_t kHeaderEnd = 8 + 8 + 13;
// The best ratio deflate can reach.
constexpr std::uint64_t kMaxExpansion = 1032;

std::uint32_t be32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

// Samples per pixel of a PNG colour type; 0 for unknown types.
std::uint64_t channelsOf(std::uint8_t colourType) {
    switch (colourType) {
        case 0:
        case 3:
            return 1;
        case 2:
            return 3;
        case 4:
            return 2;
        case 6:
            return 4;
        default:
            return 0;
    }
}

}  // namespace

bool PngBlock::isPng(const std::vector<std::uint8_t>& block) {
    if (block.size() <= 7) return false;
    for (std::size_t i = 0; i < sizeof kSignature; ++i) {
        if (block[i] != kSignature[i]) return false;
    }
    return true;
}

bool PngBlock::isPlausible(const std::vector<std::uint8_t>& block) {
    if (block.size() < kHeaderEnd) return false;
    const std::uint8_t* ihdr = block.data() + 16;
    const std::uint64_t width = be32(ihdr), height = be32(ihdr + 4);
    if (!s::image::ImageLimits::fits(static_cast<std::int64_t>(width),
                                     static_cast<std::int64_t>(height))) {
        return false;
    }
    const std::uint64_t bits = ihdr[8] * channelsOf(ihdr[9]);
    // An unknown colour type or depth is the PNG reader's to refuse.
    if (bits == 0) return true;
    // Every row is a filter byte and its packed samples.
    const std::uint64_t filtered = height * (1 + (width * bits + 7) / 8);
    return filtered <= (block.size() + 64) * kMaxExpansion;
}

s::thread::Pooled<s::image::win::BufferedImage> PngBlock::decode(
    const std::vector<std::uint8_t>& block) {
    s::thread::Pooled<s::image::png::win::Png> png = s::image::png::win::Png::take();
    if (!png) return nullptr;
    s::io::MemoryInputStream stream(block.data(), block.size());
    s::thread::Pooled<s::image::win::BufferedImage> image;
    if (!png->readFrom(stream) || !png->decode(0, nullptr, image)) return nullptr;
    return image;
}

bool PngBlock::encode(s::image::win::BufferedImage& image, std::vector<std::uint8_t>& out) {
    s::thread::Pooled<s::image::png::win::Png> png = s::image::png::win::Png::take();
    if (!png || !png->fromImage(image, false, true, 255, 255, 255)) return false;
    s::io::MemoryOutputStream stream;
    if (!png->writeTo(stream)) return false;
    out = stream.take();
    return true;
}

}  // namespace s::image::ico
