#include "formats/gif/GifWriter.h"

#include <algorithm>

namespace s::image::gif::win {

namespace {

constexpr std::int32_t kBits = GifFrame::kBitCount;
constexpr std::uint8_t kLocalTable = 0x80;

}  // namespace

bool GifWriter::write(const Frames& frames, std::int32_t screenWidth, std::int32_t screenHeight,
                      std::uint16_t loopCount) {
    if (frames.empty()) return false;
    failed_ = false;
    put("GIF89a", 6);
    writeScreen(screenWidth, screenHeight);
    writeLoopCount(loopCount);
    for (const s::thread::Pooled<GifFrame>& frame : frames) writeFrame(*frame);
    const std::uint8_t trailer = 0x3B;
    put(&trailer, 1);
    return !failed_;
}

void GifWriter::writeScreen(std::int32_t width, std::int32_t height) {
    putWord(width);
    putWord(height);
    // Colour resolution and table size fields describe the frames' 8-bit
    // tables; the global-table flag stays clear.
    const std::uint8_t fields[3] = {(kBits - 1) | (kBits - 1) << 4, 0, 0};
    put(fields, sizeof fields);
}

void GifWriter::writeLoopCount(std::uint16_t loopCount) {
    const std::uint8_t head[] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S',  'C',
                                 'A',  'P',  'E',  '2', '.', '0', 0x03, 0x01};
    put(head, sizeof head);
    putWord(loopCount);
    const std::uint8_t terminator = 0;
    put(&terminator, 1);
}

void GifWriter::writeFrame(const GifFrame& frame) {
    writeGraphicControl(frame);
    writeDescriptor(frame);
    writeColourTable(frame);
    const std::uint8_t minCodeSize = std::max(kBits, 2);
    put(&minCodeSize, 1);
    if (!lzw_.compress(frame.getRow(0), frame.getWidth(), frame.getHeight(), minCodeSize,
                       frame.getStride(), stream_)) {
        failed_ = true;
    }
    const std::uint8_t terminator = 0;
    put(&terminator, 1);
}

void GifWriter::writeGraphicControl(const GifFrame& frame) {
    const bool transparent = frame.getTransparentIndex() >= 0;
    const std::uint8_t head[] = {
        0x21, 0xF9, 0x04,
        static_cast<std::uint8_t>((transparent ? 1 : 0) | (frame.getDisposal() & 7) << 2)};
    put(head, sizeof head);
    putWord(std::clamp(frame.getDelay() / 10, 0, 0xFFFF));
    const std::uint8_t tail[] = {static_cast<std::uint8_t>(frame.getTransparentIndex() & 0xFF), 0};
    put(tail, sizeof tail);
}

void GifWriter::writeDescriptor(const GifFrame& frame) {
    const std::uint8_t separator = 0x2C;
    put(&separator, 1);
    putWord(frame.getLeft());
    putWord(frame.getTop());
    putWord(frame.getWidth());
    putWord(frame.getHeight());
    const std::uint8_t packed = kLocalTable | (kBits - 1);
    put(&packed, 1);
}

void GifWriter::writeColourTable(const GifFrame& frame) {
    std::uint8_t rgb[3 * GifFrame::kColours];
    for (std::int32_t i = 0; i < GifFrame::kColours; ++i) {
        const std::uint32_t colour = frame.getColour(i);
        rgb[3 * i] = static_cast<std::uint8_t>(colour >> 16);
        rgb[3 * i + 1] = static_cast<std::uint8_t>(colour >> 8);
        rgb[3 * i + 2] = static_cast<std::uint8_t>(colour);
    }
    put(rgb, sizeof rgb);
}

void GifWriter::put(const void* bytes, std::size_t count) {
    if (!stream_.writeAll(bytes, count)) failed_ = true;
}

void GifWriter::putWord(std::int32_t value) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value & 0xFF),
                                   static_cast<std::uint8_t>((value >> 8) & 0xFF)};
    put(bytes, sizeof bytes);
}

}  // namespace s::image::gif::win
