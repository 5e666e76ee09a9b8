#include "formats/bmp/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "formats/bmp/EncodeSetting.h"
#include "formats/bmp/RleDecoder.h"
#include "formats/bmp/RowConverter.h"
#include "image/ImageLimits.h"
#include "image/filters/reduction/Quantizer.h"

namespace s::image::bmp::win {

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

namespace {

bool isSupportedDepth(std::int32_t bitCount) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            return true;
        default:
            return false;
    }
}

// The depth and compression pairs the reader accepts. Run-length coding is
// only defined for bottom-up files; bit fields do not exist in OS/2 headers,
// whose code 3 means Huffman coding instead.
struct Coding {
    std::uint32_t compression;
    std::uint16_t bitCount;
    bool topDownAllowed;
    bool os2Allowed;
};
constexpr Coding kCodings[] = {
    {kRgb, 1, true, true},         {kRgb, 4, true, true},   {kRgb, 8, true, true},
    {kRgb, 16, true, true},        {kRgb, 24, true, true},  {kRgb, 32, true, true},
    {kRle8, 8, false, true},       {kRle4, 4, false, true}, {kBitFields, 16, true, false},
    {kBitFields, 32, true, false},
};

bool isAcceptedCoding(const InfoHeader& h, bool topDown) {
    const bool os2 = InfoHeader::isOs2Size(h.size);
    for (const Coding& c : kCodings) {
        if (c.compression == h.compression && c.bitCount == h.bitCount &&
            (c.topDownAllowed || !topDown) && (c.os2Allowed || !os2)) {
            return true;
        }
    }
    return false;
}

std::int64_t strideFor(std::int64_t width, std::int64_t bitCount) {
    return ((bitCount * width + 31) >> 3) & ~std::int64_t{3};
}

// Reads until n bytes arrived or the data ends; returns the bytes read.
std::size_t readUpTo(s::io::IInputStream& stream, std::uint8_t* buffer, std::size_t n) {
    std::size_t total = 0;
    while (total < n) {
        std::size_t got = 0;
        if (!stream.read(buffer + total, n - total, got) || got == 0) break;
        total += got;
    }
    return total;
}

// Reads the rest of the data, at most `limit` bytes, in blocks, so a stream
// of unknown size never drives one large allocation.
std::vector<std::uint8_t> readRest(s::io::IInputStream& stream, std::size_t limit) {
    constexpr std::size_t kBlock = 64 * 1024;
    std::vector<std::uint8_t> data;
    while (data.size() < limit) {
        const std::size_t at = data.size();
        data.resize(at + std::min(kBlock, limit - at));
        const std::size_t got = readUpTo(stream, data.data() + at, data.size() - at);
        data.resize(at + got);
        if (got == 0) break;
    }
    return data;
}

void putU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Row writers of the direct depths. `background` replaces the colour of
// fully transparent pixels when alpha is kept.
struct PackContext {
    bool keepAlpha;
    std::uint32_t background;
};
using PackRow = void (*)(const std::uint32_t*, std::uint8_t*, std::int32_t, const PackContext&);

void pack32(const std::uint32_t* s, std::uint8_t* t, std::int32_t width, const PackContext& c) {
    for (std::int32_t x = 0; x < width; ++x) {
        std::uint32_t p = s[x];
        if (!c.keepAlpha) {
            p |= 0xFF000000u;
        } else if ((p >> 24) == 0) {
            p = c.background;
        }
        putU32(t + 4 * x, p);
    }
}

void pack24(const std::uint32_t* s, std::uint8_t* t, std::int32_t width, const PackContext&) {
    for (std::int32_t x = 0; x < width; ++x) {
        t[3 * x] = static_cast<std::uint8_t>(s[x]);
        t[3 * x + 1] = static_cast<std::uint8_t>(s[x] >> 8);
        t[3 * x + 2] = static_cast<std::uint8_t>(s[x] >> 16);
    }
}

// 5-5-5: the top five bits of red, green and blue, the top bit unused.
void pack16(const std::uint32_t* s, std::uint8_t* t, std::int32_t width, const PackContext&) {
    for (std::int32_t x = 0; x < width; ++x) {
        const std::uint32_t p = s[x];
        const std::uint32_t v =
            ((p >> 19) & 0x1F) << 10 | ((p >> 11) & 0x1F) << 5 | ((p >> 3) & 0x1F);
        t[2 * x] = static_cast<std::uint8_t>(v);
        t[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
    }
}

PackRow directPacker(std::int32_t bitCount) {
    switch (bitCount) {
        case 32:
            return pack32;
        case 24:
            return pack24;
        case 16:
            return pack16;
        default:
            return nullptr;
    }
}

bool isOpaque(const BufferedImage& image) {
    for (std::int32_t y = 0; y < image.getHeight(); ++y) {
        const std::uint32_t* row = image.getPixelRow(y);
        for (std::int32_t x = 0; x < image.getWidth(); ++x) {
            if ((row[x] >> 24) != 0xFF) return false;
        }
    }
    return true;
}

}  // namespace

// What the reader learned from the info header before the pixels.
struct Bitmap::Layout {
    std::uint64_t start = 0;           // stream position of the file (or header) start
    const FileHeader* file = nullptr;  // null for the header-less form
    InfoHeader header;
    std::array<std::uint32_t, 4> masks{};
    bool topDown = false;
    std::int64_t height = 0;          // rows, always positive
    std::uint32_t colourEntries = 0;  // as declared
    std::uint64_t pixelOffset = 0;    // where the pixel data starts, from start
};

Bitmap::Bitmap() {
    clear();
}

void Bitmap::reset() {
    clear();
}

void Bitmap::clear() {
    fileHeader_ = FileHeader{};
    infoHeader_ = InfoHeader{};
    if (colourCount_ != 0) colourTable_.fill(0);
    std::vector<std::uint8_t>().swap(pixels_);  // give the memory back, not just the size
    stride_ = 0;
    colourCount_ = 0;
    transparentColour_ = -1;
    masks_ = ChannelMasks{};
    valid_ = false;
}

bool Bitmap::refuse() {
    clear();
    return false;
}

bool Bitmap::isAlphaBitmap() const {
    if (infoHeader_.compression == kBitFields) return masks_.hasAlpha();
    return infoHeader_.bitCount == 32;
}

std::uint8_t* Bitmap::getRow(std::int32_t y) {
    return pixels_.data() + static_cast<std::size_t>(infoHeader_.height - y - 1) * stride_;
}

const std::uint8_t* Bitmap::getRow(std::int32_t y) const {
    return pixels_.data() + static_cast<std::size_t>(infoHeader_.height - y - 1) * stride_;
}

std::uint32_t Bitmap::maskBytes() const {
    return infoHeader_.compression == kBitFields ? 12 : 0;
}

// ---------------------------------------------------------------- reading

bool Bitmap::readFrom(s::io::IInputStream& stream) {
    clear();
    const std::uint64_t start = stream.position();
    std::uint8_t bytes[FileHeader::kSize];
    if (!stream.readFully(bytes, sizeof bytes)) return refuse();
    const FileHeader file = FileHeader::parse(bytes);
    if (file.type != FileHeader::kMagic) return refuse();
    return readBody(stream, start, &file);
}

bool Bitmap::readHeaderless(s::io::IInputStream& stream) {
    clear();
    return readBody(stream, stream.position(), nullptr);
}

bool Bitmap::readBody(s::io::IInputStream& stream, std::uint64_t start, const FileHeader* file) {
    try {
        Layout layout;
        layout.start = start;
        layout.file = file;
        if (!readInfoHeader(stream, layout) || !readColourTable(stream, layout) ||
            !seekToPixels(stream, layout)) {
            return refuse();
        }
        allocatePixels();
        readPixels(stream, layout);
    } catch (const std::bad_alloc&) {
        return refuse();
    }
    finishHeaders();
    valid_ = true;
    return true;
}

bool Bitmap::readInfoHeader(s::io::IInputStream& stream, Layout& layout) {
    std::uint8_t bytes[InfoHeader::kMaxSize] = {};
    if (!stream.readFully(bytes, 4)) return false;
    const std::uint32_t size =
        bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    if (!InfoHeader::isKnownSize(size) || !stream.readFully(bytes + 4, size - 4)) return false;

    InfoHeader& h = layout.header;
    h = InfoHeader::parse(bytes, size, layout.masks);
    layout.topDown = h.height < 0;
    layout.height = layout.topDown ? -static_cast<std::int64_t>(h.height) : h.height;
    if (h.planes != 1 || !s::image::ImageLimits::fits(h.width, layout.height)) return false;
    if (!isAcceptedCoding(h, layout.topDown)) return false;

    if (h.compression == kBitFields) {
        if (size == InfoHeader::kSize) {
            // Masks follow a 40-byte header: red, green, blue.
            std::uint8_t m[12];
            if (!stream.readFully(m, sizeof m)) return false;
            std::array<std::uint32_t, 4> masks{};
            for (int i = 0; i < 3; ++i) {
                masks[i] = m[4 * i] | m[4 * i + 1] << 8 | m[4 * i + 2] << 16 |
                           static_cast<std::uint32_t>(m[4 * i + 3]) << 24;
            }
            layout.masks = masks;
        }
        if (!masks_.assign(layout.masks, h.bitCount)) return false;
    } else if (h.bitCount == 16 || h.bitCount == 32) {
        masks_ = ChannelMasks::defaults(h.bitCount);
    }

    // The core header has no colour count: its table is always full.
    layout.colourEntries = h.clrUsed != 0 ? h.clrUsed : (h.bitCount <= 8 ? 1u << h.bitCount : 0);
    if (layout.colourEntries > static_cast<std::uint32_t>(kMaxColours)) return false;

    infoHeader_ = h;
    infoHeader_.height = static_cast<std::int32_t>(layout.height);
    return true;
}

bool Bitmap::readColourTable(s::io::IInputStream& stream, Layout& layout) {
    const std::uint32_t entrySize = InfoHeader::paletteEntrySize(layout.header.size);
    const std::uint64_t here = stream.position() - layout.start;
    std::uint64_t entries = layout.colourEntries;
    layout.pixelOffset = here + entries * entrySize;
    if (layout.file) {
        // Pixels that start inside the headers make no sense at all.
        const std::uint64_t offBits = layout.file->offBits;
        if (offBits < here) return false;
        if (offBits >= layout.pixelOffset) {
            layout.pixelOffset = offBits;
        } else if (holdsPixelsAt(stream, layout, offBits)) {
            // A table that would run into the pixel data is cut at the
            // pixels (seen in OS/2 files with short palettes).
            entries = (offBits - here) / entrySize;
            layout.pixelOffset = offBits;
        }
        // Otherwise the writer left the table out of the offset: the whole
        // table is read and the pixels follow it, instead of decoding the
        // table as pixels.
    }
    std::uint8_t bytes[kMaxColours * 4];
    if (!stream.readFully(bytes, static_cast<std::size_t>(entries * entrySize))) return false;
    for (std::uint64_t i = 0; i < entries; ++i) {
        std::uint8_t* e = colourTable_.data() + 4 * i;
        std::memcpy(e, bytes + entrySize * i, 3);
        e[3] = 0;
    }
    colourCount_ = static_cast<std::int32_t>(entries);
    return true;
}

// For an offset inside the declared colour table: true when the file has
// room for the uncompressed pixels from that offset on but not from the end
// of the whole table, which only a table shorter than declared explains.
bool Bitmap::holdsPixelsAt(const s::io::IInputStream& stream, const Layout& layout,
                           std::uint64_t offset) {
    const std::uint32_t compression = layout.header.compression;
    if (compression == kRle8 || compression == kRle4) return false;
    const std::uint64_t total = stream.size();
    if (total == std::numeric_limits<std::uint64_t>::max() || total < layout.start) return false;
    const std::uint64_t available = total - layout.start;
    const auto pixelBytes = static_cast<std::uint64_t>(
        strideFor(layout.header.width, layout.header.bitCount) * layout.height);
    return offset + pixelBytes <= available && layout.pixelOffset + pixelBytes > available;
}

// Throws std::bad_alloc when memory cannot be had.
void Bitmap::allocatePixels() {
    const std::int64_t stride = strideFor(infoHeader_.width, infoHeader_.bitCount);
    // ImageLimits bounds width x height to 2^27 pixels, so at 32 bits the
    // block stays below 2^29 bytes: no overflow in the product.
    pixels_.assign(static_cast<std::size_t>(stride * infoHeader_.height), 0);
    stride_ = static_cast<std::int32_t>(stride);
}

// Moves to the pixel data (bfOffBits, or the end of a colour table the
// offset forgot), which must lie inside the file. The header-less form has
// its pixels right after the colour table.
bool Bitmap::seekToPixels(s::io::IInputStream& stream, const Layout& layout) {
    if (!layout.file) return true;
    const std::uint64_t offset = layout.pixelOffset;
    const std::uint64_t total = stream.size();
    if (total != std::numeric_limits<std::uint64_t>::max() && layout.start + offset > total) {
        return false;
    }
    return stream.position() - layout.start == offset || stream.seek(layout.start + offset);
}

void Bitmap::readPixels(s::io::IInputStream& stream, const Layout& layout) {
    const std::int32_t height = infoHeader_.height;
    if (infoHeader_.compression == kRle8 || infoHeader_.compression == kRle4) {
        // Sensible coded data needs at most two bytes per pixel (four per
        // byte of 4-bit rows) plus an end-of-line code per row; anything
        // beyond that is not read.
        const std::size_t limit = pixels_.size() * 4 + static_cast<std::size_t>(height) * 2 + 16;
        const std::vector<std::uint8_t> coded = readRest(stream, limit);
        RleDecoder(pixels_.data(), infoHeader_.width, height, stride_, infoHeader_.bitCount)
            .decode(coded.data(), coded.size());
        infoHeader_.compression = kRgb;
        return;
    }
    // A short file leaves the remaining rows zero.
    readUpTo(stream, pixels_.data(), pixels_.size());
    if (layout.topDown) {
        std::vector<std::uint8_t> swap(stride_);
        for (std::int32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
            std::uint8_t* a = pixels_.data() + static_cast<std::size_t>(top) * stride_;
            std::uint8_t* b = pixels_.data() + static_cast<std::size_t>(bottom) * stride_;
            std::memcpy(swap.data(), a, stride_);
            std::memcpy(a, b, stride_);
            std::memcpy(b, swap.data(), stride_);
        }
    }
}

// Brings the headers to the form this bitmap is written in.
void Bitmap::finishHeaders() {
    InfoHeader& h = infoHeader_;
    h.size = InfoHeader::kSize;
    h.planes = 1;
    const std::uint64_t pixels = static_cast<std::uint64_t>(h.width) * h.height;
    h.sizeImage = static_cast<std::uint32_t>((pixels * h.bitCount + 7) / 8);
    h.clrUsed = static_cast<std::uint32_t>(colourCount_);
    h.clrImportant = h.clrUsed;
    fileHeader_ = FileHeader{};
    fileHeader_.offBits = static_cast<std::uint32_t>(FileHeader::kSize + InfoHeader::kSize +
                                                     maskBytes() + getColourTableBytes());
    fileHeader_.size = fileHeader_.offBits + static_cast<std::uint32_t>(pixels_.size());
}

// ---------------------------------------------------------------- writing

bool Bitmap::writeTo(s::io::IOutputStream& stream) {
    if (!valid_) return false;
    std::uint8_t bytes[FileHeader::kSize];
    fileHeader_.serialize(bytes);
    return stream.writeAll(bytes, sizeof bytes) && writeHeaderless(stream);
}

bool Bitmap::writeHeaderless(s::io::IOutputStream& stream) {
    if (!valid_) return false;
    std::uint8_t header[InfoHeader::kSize + 12];
    infoHeader_.serialize(header);
    for (int i = 0; i < 3; ++i) putU32(header + InfoHeader::kSize + 4 * i, masks_.masks()[i]);
    return stream.writeAll(header, InfoHeader::kSize + maskBytes()) &&
           stream.writeAll(colourTable_.data(), static_cast<std::size_t>(getColourTableBytes())) &&
           stream.writeAll(pixels_.data(), pixels_.size());
}

// ---------------------------------------------------------------- decoding

void Bitmap::drawInto(BufferedImage& target) const {
    const RowConverter converter(infoHeader_.bitCount, infoHeader_.compression == kBitFields,
                                 colourTable_.data(), colourCount_, masks_);
    for (std::int32_t y = 0; y < infoHeader_.height; ++y) {
        converter.convert(getRow(y), target.getPixelRow(y), infoHeader_.width);
    }
}

BufferedImage* Bitmap::decode(std::int32_t, BufferedImage* target, Pooled<BufferedImage>& created) {
    if (!valid_) return nullptr;
    const std::int32_t width = infoHeader_.width, height = infoHeader_.height;
    target = BufferedImage::prepareTarget(target, width, height, created);
    if (!target) return nullptr;
    drawInto(*target);

    if (isAlphaBitmap()) {
        // A 32-bit file that leaves its fourth byte zero everywhere does not
        // use it: such files are opaque.
        bool anyVisible = false, anyTranslucent = false;
        for (std::int32_t y = 0; y < height; ++y) {
            const std::uint32_t* row = target->getPixelRow(y);
            for (std::int32_t x = 0; x < width; ++x) {
                const std::uint32_t alpha = row[x] >> 24;
                anyVisible |= alpha != 0;
                anyTranslucent |= alpha != 0xFF;
            }
        }
        if (anyVisible) {
            target->setAlpha(anyTranslucent);
        } else {
            target->makeOpaque();
        }
    } else {
        // Every other depth was converted with alpha 255.
        target->setAlpha(false);
        if (hasTransparentColour()) {
            target->applyColourKey(static_cast<std::uint8_t>(transparentColour_ >> 16),
                                   static_cast<std::uint8_t>(transparentColour_ >> 8),
                                   static_cast<std::uint8_t>(transparentColour_));
        }
    }
    return target;
}

Pooled<BufferedImageSet> Bitmap::decodeAll() {
    Pooled<BufferedImageSet> set = BufferedImageSet::take();
    if (!set || !valid_) return set;
    Pooled<BufferedImage> created;
    if (decode(0, nullptr, created)) set->add(std::move(created), infoHeader_.bitCount, 0, 0);
    return set;
}

// ---------------------------------------------------------------- encoding

bool Bitmap::create(std::int32_t width, std::int32_t height, std::int32_t bitCount) {
    clear();
    if (!isSupportedDepth(bitCount) || !s::image::ImageLimits::fits(width, height)) {
        return refuse();
    }
    infoHeader_.width = width;
    infoHeader_.height = height;
    infoHeader_.bitCount = static_cast<std::uint16_t>(bitCount);
    colourCount_ = bitCount <= 8 ? 1 << bitCount : 0;
    if (bitCount == 16 || bitCount == 32) masks_ = ChannelMasks::defaults(bitCount);
    try {
        allocatePixels();
    } catch (const std::bad_alloc&) {
        return refuse();
    }
    finishHeaders();
    valid_ = true;
    return true;
}

bool Bitmap::fromImage(BufferedImage& image, std::int32_t bitCount, bool keepTransparency,
                       std::int32_t red, std::int32_t green, std::int32_t blue) {
    const std::int32_t width = image.getWidth(), height = image.getHeight();
    if (!isSupportedDepth(bitCount) || !image.getBits() ||
        !s::image::ImageLimits::fits(width, height)) {
        return refuse();
    }
    const auto r = static_cast<std::uint8_t>(red), g = static_cast<std::uint8_t>(green),
               b = static_cast<std::uint8_t>(blue);
    // Alpha survives only in 32-bit files written with keepTransparency;
    // otherwise a transparent image is composited onto the background.
    const bool keepAlpha = image.hasAlpha() && keepTransparency && bitCount == 32;
    Pooled<BufferedImage> flattened;
    const BufferedImage* source = &image;
    if (image.hasAlpha() && !keepAlpha) {
        flattened = BufferedImage::createImage(width, height);
        if (!flattened) return refuse();
        flattened->fill(255, r, g, b);
        flattened->drawImage(0, 0, width, height, image, 0, 0, false);
        source = flattened.get();
    }
    if (!create(width, height, bitCount)) return false;

    if (const PackRow pack = directPacker(bitCount)) {
        const PackContext context{keepAlpha, static_cast<std::uint32_t>(r) << 16 |
                                                 static_cast<std::uint32_t>(g) << 8 | b};
        for (std::int32_t y = 0; y < height; ++y)
            pack(source->getPixelRow(y), getRow(y), width, context);
        return true;
    }
    try {
        encodePalette(*source);
    } catch (const std::bad_alloc&) {
        return refuse();
    }
    return valid_;
}

// Palette depths: the quantizer builds up to 2^bitCount colours and maps
// every row to indices. It leaves pixels that are not fully opaque out of
// the palette, so an image whose alpha carries no meaning is made opaque
// first.
void Bitmap::encodePalette(const BufferedImage& image) {
    Pooled<BufferedImage> opaque;
    const BufferedImage* source = &image;
    if (!isOpaque(image)) {
        opaque = image.copy();
        if (!opaque) {
            refuse();
            return;
        }
        opaque->makeOpaque();
        source = opaque.get();
    }
    Pooled<s::image::filters::reduction::Quantizer> quantizer =
        s::image::filters::reduction::Quantizer::take();
    const std::int32_t bitCount = infoHeader_.bitCount;
    if (!quantizer || !quantizer->build(*source, colourCount_)) {
        refuse();
        return;
    }
    const std::int32_t used = std::min(quantizer->getColourCount(), colourCount_);
    for (std::int32_t i = 0; i < used; ++i) {
        const std::uint32_t c = quantizer->getPalette()[i];
        std::uint8_t* e = colourTable_.data() + 4 * i;
        e[0] = static_cast<std::uint8_t>(c);
        e[1] = static_cast<std::uint8_t>(c >> 8);
        e[2] = static_cast<std::uint8_t>(c >> 16);
        e[3] = 0;
    }
    const std::int32_t width = infoHeader_.width;
    if (bitCount != 1) {
        for (std::int32_t y = 0; y < infoHeader_.height; ++y) {
            quantizer->mapRow(source->getRow(y), width, getRow(y), bitCount);
        }
        return;
    }
    // The quantizer packs 8 or 4 bits; 1-bit rows are packed here, the
    // first pixel in the most significant bit.
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width));
    for (std::int32_t y = 0; y < infoHeader_.height; ++y) {
        quantizer->mapRow(source->getRow(y), width, indices.data(), 8);
        std::uint8_t* row = getRow(y);
        for (std::int32_t x = 0; x < width; ++x) {
            if (indices[x] & 1) row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        }
    }
}

Pooled<s::image::IEncodedImage> Bitmap::encodeImage(BufferedImage& image) {
    Pooled<s::image::bmp::EncodeSetting> setting = s::image::bmp::EncodeSetting::take();
    if (!setting) return nullptr;
    setting->keepTransparency = 1;
    setting->bitCount = getBitCount();
    return setting->encode(image);
}

Pooled<s::image::IEncodedImage> Bitmap::encodeSet(BufferedImageSet& set) {
    BufferedImage* largest = set.getLargest();
    if (!largest) return nullptr;
    return encodeImage(*largest);
}

}  // namespace s::image::bmp::win
