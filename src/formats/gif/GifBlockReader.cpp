#include "formats/gif/GifBlockReader.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "formats/gif/GifLzwDecoder.h"
#include "image/ImageLimits.h"

namespace s::image::gif::win {

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kApplicationLabel = 0xFF;
constexpr std::uint8_t kHasColourTable = 0x80;
constexpr std::uint8_t kInterlaced = 0x40;
constexpr std::int32_t kMaxMinCodeSize = 8;

std::int32_t word(const std::uint8_t* bytes) {
    return bytes[0] | bytes[1] << 8;
}

// N of a colour table of 2^N entries, from a descriptor's packed byte.
std::int32_t tableBits(std::uint8_t packed) {
    return (packed & 7) + 1;
}

}  // namespace

const GifBlockReader::Entry GifBlockReader::kBlocks[] = {
    {kExtensionIntroducer, &GifBlockReader::readExtension},
    {kImageSeparator, &GifBlockReader::readImage},
    {kTrailer, &GifBlockReader::readTrailer},
};

const GifBlockReader::Entry GifBlockReader::kExtensions[] = {
    {kGraphicControlLabel, &GifBlockReader::readGraphicControl},
    {kApplicationLabel, &GifBlockReader::readApplication},
};

bool GifBlockReader::read(s::io::IInputStream& stream, Frames& frames) {
    start(stream, frames);
    if (!readScreen()) return false;
    std::uint8_t code = 0;
    while (readByte(code)) {
        const auto* entry = std::find_if(std::begin(kBlocks), std::end(kBlocks),
                                         [code](const Entry& e) { return e.code == code; });
        if (entry == std::end(kBlocks)) continue;  // a stray byte between blocks
        if (!(this->*entry->handler)()) break;
    }
    return true;
}

void GifBlockReader::releaseBuffers() {
    std::vector<std::uint8_t>().swap(data_);
    dataSize_ = 0;
}

void GifBlockReader::start(s::io::IInputStream& stream, Frames& frames) {
    stream_ = &stream;
    frames_ = &frames;
    screenWidth_ = screenHeight_ = 0;
    loopCount_ = -1;
    colourTableBits_ = 0;
    complete_ = damaged_ = false;
    pixelBudget_ = s::image::ImageLimits::kMaxPixels;
    hasControl_ = false;
    dataSize_ = 0;
}

bool GifBlockReader::readScreen() {
    std::uint8_t header[13];
    if (!readBytes(header, sizeof header) || std::memcmp(header, "GIF", 3) != 0) return false;
    screenWidth_ = word(header + 6);
    screenHeight_ = word(header + 8);
    if (!s::image::ImageLimits::fits(screenWidth_, screenHeight_)) return false;
    // Without a global table, frames without their own table show grey levels.
    for (std::int32_t i = 0; i < GifFrame::kColours; ++i) {
        globalColours_[i] = static_cast<std::uint32_t>(i) * 0x010101u;
    }
    globalBits_ = 0;
    if (header[10] & kHasColourTable) {
        if (!readColourTable(header[10], globalColours_)) return true;  // ends at the first block
        globalBits_ = tableBits(header[10]);
    }
    return true;
}

bool GifBlockReader::readColourTable(std::uint8_t packed, ColourTable& table) {
    const std::int32_t count = 1 << tableBits(packed);
    std::uint8_t rgb[3 * GifFrame::kColours];
    if (!readBytes(rgb, 3 * std::size_t(count))) return false;
    table.fill(0);
    for (std::int32_t i = 0; i < count; ++i) {
        table[i] =
            std::uint32_t{rgb[3 * i]} << 16 | std::uint32_t{rgb[3 * i + 1]} << 8 | rgb[3 * i + 2];
    }
    return true;
}

bool GifBlockReader::readImage() {
    std::uint8_t descriptor[9];
    if (!readBytes(descriptor, sizeof descriptor)) return false;
    ColourTable colours = globalColours_;
    std::int32_t bits = globalBits_;
    if (descriptor[8] & kHasColourTable) {
        if (!readColourTable(descriptor[8], colours)) return false;
        bits = tableBits(descriptor[8]);
    }
    std::uint8_t minCodeSize = 0;
    if (!readByte(minCodeSize)) return false;
    const bool whole = readImageData();
    if (addFrame(descriptor, colours, minCodeSize)) {
        colourTableBits_ = std::max(colourTableBits_, bits);
    }
    hasControl_ = false;
    return whole;
}

bool GifBlockReader::readImageData() {
    dataSize_ = 0;
    bool whole = true;
    std::uint8_t size = 0;
    while (true) {
        if (!readByte(size)) {
            whole = false;
            break;
        }
        if (size == 0) break;
        try {
            if (data_.size() < dataSize_ + size + GifLzwDecoder::kSpareBytes) {
                data_.resize(
                    std::max(data_.size() * 2, dataSize_ + 256 + GifLzwDecoder::kSpareBytes));
            }
        } catch (const std::bad_alloc&) {
            whole = false;
            break;
        }
        std::size_t delivered = 0;
        while (delivered < size) {
            std::size_t count = 0;
            if (!stream_->read(data_.data() + dataSize_ + delivered, size - delivered, count) ||
                count == 0) {
                break;
            }
            delivered += count;
        }
        dataSize_ += delivered;
        if (delivered < size) {
            whole = false;
            break;
        }
    }
    if (data_.size() < dataSize_ + GifLzwDecoder::kSpareBytes) {
        data_.resize(dataSize_ + GifLzwDecoder::kSpareBytes);
    }
    std::fill_n(data_.begin() + static_cast<std::ptrdiff_t>(dataSize_), GifLzwDecoder::kSpareBytes,
                0);
    if (!whole) damaged_ = true;
    return whole;
}

bool GifBlockReader::addFrame(const std::uint8_t* descriptor, const ColourTable& colours,
                              std::int32_t minCodeSize) {
    const std::int32_t width = word(descriptor + 4);
    const std::int32_t height = word(descriptor + 6);
    const std::int64_t area = std::int64_t{width} * height;
    if (!s::image::ImageLimits::fits(width, height) || minCodeSize < 1 ||
        minCodeSize > kMaxMinCodeSize || area > pixelBudget_) {
        damaged_ = true;
        return false;
    }
    s::thread::Pooled<GifFrame> frame = GifFrame::take();
    if (!frame || !frame->create(width, height)) {
        damaged_ = true;
        return false;
    }
    pixelBudget_ -= area;
    frame->setPlacement(word(descriptor), word(descriptor + 2));
    for (std::int32_t i = 0; i < GifFrame::kColours; ++i) frame->setColour(i, colours[i]);
    const bool interlaced = (descriptor[8] & kInterlaced) != 0;
    const std::int64_t decoded =
        GifLzwDecoder::decompress(data_.data(), dataSize_, frame->getPixels(), minCodeSize,
                                  frame->getStride(), width, height, interlaced);
    frame->setDecodedPixels(decoded, interlaced);
    if (!frame->isComplete()) damaged_ = true;
    if (hasControl_) {
        if (controlPacked_ & 1) frame->setTransparentIndex(controlTransparent_);
        frame->setDisposal((controlPacked_ >> 2) & 7);
        frame->setDelay(controlDelay_ * 10);
    }
    try {
        frames_->push_back(std::move(frame));
    } catch (const std::bad_alloc&) {
        damaged_ = true;
        return false;
    }
    return true;
}

bool GifBlockReader::readExtension() {
    std::uint8_t label = 0;
    if (!readByte(label)) return false;
    const auto* entry = std::find_if(std::begin(kExtensions), std::end(kExtensions),
                                     [label](const Entry& e) { return e.code == label; });
    return (entry == std::end(kExtensions)) ? skipExtension() : (this->*entry->handler)();
}

bool GifBlockReader::readTrailer() {
    complete_ = !damaged_;
    return false;
}

bool GifBlockReader::readGraphicControl() {
    std::uint8_t size = 0;
    if (!readByte(size)) return false;
    if (size < 4) return skipSubBlocks(size);
    std::uint8_t fields[4];
    if (!readBytes(fields, sizeof fields)) return false;
    hasControl_ = true;
    controlPacked_ = fields[0];
    controlDelay_ = word(fields + 1);
    controlTransparent_ = fields[3];
    // Anything beyond the four fields, then the terminator.
    std::uint8_t next = 0;
    if (!stream_->skip(size - 4u) || !readByte(next)) return false;
    return skipSubBlocks(next);
}

bool GifBlockReader::readApplication() {
    std::uint8_t size = 0;
    if (!readByte(size)) return false;
    if (size != 11) return skipSubBlocks(size);
    char identifier[11];
    std::uint8_t next = 0;
    if (!readBytes(identifier, sizeof identifier) || !readByte(next)) return false;
    if (std::memcmp(identifier, "NETSCAPE2.0", 11) == 0 && next == 3) {
        std::uint8_t loop[3];
        if (!readBytes(loop, sizeof loop)) return false;
        loopCount_ = word(loop + 1);
        if (!readByte(next)) return false;
    }
    return skipSubBlocks(next);
}

bool GifBlockReader::skipExtension() {
    std::uint8_t size = 0;
    return readByte(size) && skipSubBlocks(size);
}

bool GifBlockReader::skipSubBlocks(std::uint8_t size) {
    while (size != 0) {
        if (!stream_->skip(size) || !readByte(size)) return false;
    }
    return true;
}

bool GifBlockReader::readBytes(void* buffer, std::size_t count) {
    if (!stream_->readFully(buffer, count)) {
        damaged_ = true;
        return false;
    }
    return true;
}

}  // namespace s::image::gif::win
