#include "FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "foundation/MemoryStreams.h"

namespace s::fuzz {

namespace {

using s::image::IEncodedImage;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

volatile std::uint32_t g_sink = 0;

// Multi-image codecs are asked for at most this many single decodes; decodeAll
// covers the rest.
constexpr std::int32_t kMaxSingleDecodes = 8;

void decodeEach(IEncodedImage& codec) {
    const std::int32_t count = codec.getImageCount();
    for (std::int32_t i = 0; i < count && i < kMaxSingleDecodes; ++i) {
        Pooled<BufferedImage> created;
        if (BufferedImage* image = codec.decode(i, nullptr, created)) touchPixels(*image);
    }
}

// Re-encodes the set and checks that what was written reads back.
void reencode(IEncodedImage& codec, BufferedImageSet& set, Pooled<IEncodedImage> (*fresh)()) {
    Pooled<IEncodedImage> encoded = codec.encodeSet(set);
    if (!encoded) return;
    s::io::MemoryOutputStream out;
    if (!encoded->writeTo(out)) return;
    Pooled<IEncodedImage> back = fresh();
    if (!back) return;
    s::io::MemoryInputStream in(out.bytes().data(), out.bytes().size());
    if (!back->readFrom(in)) {
        std::fprintf(stderr, "%s: own output of %zu bytes does not read back\n",
                     codec.getExtension(), out.bytes().size());
        std::abort();
    }
}

}  // namespace

void touchPixels(const BufferedImage& image) {
    if (!image.getBits()) return;
    std::uint32_t sum = 0;
    const std::int32_t bytes = image.getBytesPerLine();
    for (std::int32_t y = 0; y < image.getHeight(); ++y) {
        const std::uint8_t* row = image.getRow(y);
        for (std::int32_t x = 0; x < bytes; ++x) sum = sum * 31 + row[x];
    }
    // A branch on the values, so a memory sanitizer reports uninitialised pixels.
    if (sum == 0x5EED) g_sink = g_sink + 1;
    g_sink = g_sink ^ sum;
}

std::int64_t totalPixels(const BufferedImageSet& set) {
    std::int64_t total = 0;
    for (std::int32_t i = 0; i < set.getCount(); ++i) {
        if (const BufferedImage* image = set.getImage(i)) {
            total += std::int64_t{image->getWidth()} * image->getHeight();
        }
    }
    return total;
}

void touchSet(const BufferedImageSet& set) {
    for (std::int32_t i = 0; i < set.getCount(); ++i) {
        if (const BufferedImage* image = set.getImage(i)) touchPixels(*image);
    }
}

void exerciseCodec(IEncodedImage& codec, const std::uint8_t* data, std::size_t size,
                   Pooled<IEncodedImage> (*fresh)()) {
    s::io::MemoryInputStream in(data, size);
    if (!codec.readFrom(in)) {
        // A refused file must still behave as an empty object.
        Pooled<BufferedImageSet> none = codec.decodeAll();
        if (none) touchSet(*none);
        return;
    }
    // Small files may declare many large frames; the reader bounds them by
    // ImageLimits, which is far more than a fuzzer can decode per input.
    if (std::int64_t{codec.getImageCount()} * codec.getWidth() * codec.getHeight() >
        kMaxDecodePixels) {
        return;
    }
    decodeEach(codec);
    Pooled<BufferedImageSet> set = codec.decodeAll();
    if (!set) return;
    touchSet(*set);
    if (set->getCount() == 0 || totalPixels(*set) > kMaxWorkPixels) return;
    reencode(codec, *set, fresh);
}

// Removed at exit; the string is never destroyed, so the handler can use it.
const std::string& scratchFolder() {
    static const std::string& folder = *[] {
        std::error_code error;
        std::filesystem::path base = std::filesystem::temp_directory_path(error);
        if (error) base = "/tmp";
        const std::filesystem::path path =
            base / ("tarvex-fuzz-" + std::to_string(static_cast<long>(::getpid())));
        std::filesystem::create_directories(path, error);
        auto* name = new std::string(path.string());
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchFolder(), ignored);
        });
        return name;
    }();
    return folder;
}

bool writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(file.flush());
}

void clearScratch() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(scratchFolder(), error)) {
        std::filesystem::remove_all(entry.path(), error);
    }
}

}  // namespace s::fuzz
