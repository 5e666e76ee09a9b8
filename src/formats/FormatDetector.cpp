#include "formats/FormatDetector.h"

#include <array>
#include <mutex>

#include "formats/bmp/Bitmap.h"
#include "formats/gif/Gif.h"
#include "formats/ico/Icon.h"
#include "formats/jpeg/Jpeg.h"
#include "formats/png/Png.h"

namespace s::image {
namespace {

constexpr std::size_t kHeadSize = 100;

std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool startsWith(const std::uint8_t* head, const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (head[i] != static_cast<std::uint8_t>(text[i])) return false;
    }
    return true;
}

// The marker codes that may follow the JPEG start-of-image marker: frame
// and table markers (C0-CF), restart markers (D0-DF), application segments
// (E0-EF), extension and comment markers (F0, FD, FE) and TEM (01).
bool isJpegMarker(std::uint8_t code) {
    return (code >= 0xC0 && code <= 0xEF) || code == 0xF0 || code == 0xFD || code == 0xFE ||
           code == 0x01;
}

// The icon directory's entries that lie in the head must be plausible:
// reserved byte 0, at most 32 bits per pixel, data behind the directory
// entry and inside the file.
bool isIcon(const std::uint8_t* head, std::uint64_t fileSize) {
    if (!(head[0] == 0 && head[1] == 0 && head[2] == 1 && head[3] == 0)) return false;
    const std::uint32_t count = u16(head + 4);
    if (count == 0 || fileSize <= 16ull * count + 6) return false;
    for (std::uint32_t i = 0; i < count && 6 + 16 * i < 84; ++i) {
        const std::uint8_t* entry = head + 6 + 16 * i;
        const std::uint64_t dataSize = u32(entry + 8);
        const std::uint64_t dataOffset = u32(entry + 12);
        if (entry[3] != 0 || u16(entry + 6) > 32 || dataOffset < 6 + 16 * i + 16 ||
            dataOffset + dataSize > fileSize) {
            return false;
        }
    }
    return true;
}

// Opening a file: one line per codec, the detected type and how to take an
// object of its class from its pool. Types without a line (TIFF, and codecs
// not built in) open nothing.
using TakeCodec = s::thread::Pooled<IEncodedImage> (*)();
struct Codec {
    const char* type;
    TakeCodec take;
};

template <class T>
s::thread::Pooled<IEncodedImage> takeCodec() {
    return T::take();
}

const Codec kCodecs[] = {
    {ImageType::kBmp, &takeCodec<bmp::win::Bitmap>},  // BMP
    {ImageType::kGif, &takeCodec<gif::win::Gif>},     // GIF
    {ImageType::kJpg, &takeCodec<jpg::win::Jpeg>},    // JPEG
    {ImageType::kPng, &takeCodec<png::win::Png>},     // PNG
    {ImageType::kIco, &takeCodec<ico::win::Icon>},    // ICO
};

}  // namespace

const char* FormatDetector::detectFromHead(const std::uint8_t* b, std::uint64_t fileSize) {
    if (b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) {
        return isJpegMarker(b[3]) ? ImageType::kJpg : nullptr;
    }
    if (startsWith(b, "GIF87a", 6) || startsWith(b, "GIF89a", 6)) return ImageType::kGif;
    if (startsWith(b, "\x89PNG\r\n\x1A\n", 8)) return ImageType::kPng;
    if (startsWith(b, "BM", 2) && b[6] == 0 && b[7] == 0 && b[8] == 0 && b[9] == 0) {
        return ImageType::kBmp;
    }
    if (startsWith(b, "MM*", 3) || startsWith(b, "II*", 3)) return ImageType::kTiff;
    if (isIcon(b, fileSize)) return ImageType::kIco;
    return nullptr;
}

bool FormatDetector::detectImageType(const s::file::win::PathWin& path, const char*& type) {
    type = nullptr;
    if (!path.exists() || path.isDirectory()) return false;
    const std::uint64_t fileSize = path.size();
    if (fileSize <= kHeadSize) return false;

    // One process-wide head buffer, used by one detection at a time.
    static std::mutex lock;
    static std::array<std::uint8_t, kHeadSize> head;
    std::lock_guard guard(lock);
    s::thread::Pooled<s::file::win::FileInputStream> stream = path.openForRead();
    if (!stream || !stream->isOpen()) return false;
    const bool complete = stream->readFully(head.data(), head.size());
    stream->close();
    if (!complete) return false;
    type = detectFromHead(head.data(), fileSize);
    return type != nullptr;
}

s::thread::Pooled<IEncodedImage> FormatDetector::openImage(const s::file::win::PathWin& path) {
    const char* type = nullptr;
    if (!detectImageType(path, type)) return nullptr;
    for (const Codec& codec : kCodecs) {
        if (codec.type != type) continue;
        s::thread::Pooled<IEncodedImage> image = codec.take();
        if (image) image->loadFrom(path);
        return image;
    }
    return nullptr;
}

}  // namespace s::image
