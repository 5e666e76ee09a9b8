// Fuzz target: content-based format detection, and opening a file with the
// codec its content selects (then decoding everything it holds).
#include <algorithm>
#include <array>
#include <cstring>

#include "FuzzSupport.h"
#include "formats/FormatDetector.h"

namespace {

constexpr std::size_t kHeadSize = 100;

// detectFromHead reads a fixed head; shorter inputs are padded with zeros,
// as a caller holding a short file in a zeroed buffer would.
void detectHead(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, kHeadSize> head{};
    std::memcpy(head.data(), data, std::min(size, head.size()));
    s::image::FormatDetector::detectFromHead(head.data(), size);
}

void openFile(const std::uint8_t* data, std::size_t size) {
    const std::string path = s::fuzz::scratchFolder() + "/input.img";
    if (!s::fuzz::writeFile(path, data, size)) return;
    const s::file::win::PathWin file(path);
    const char* type = nullptr;
    s::image::FormatDetector::detectImageType(file, type);
    s::thread::Pooled<s::image::IEncodedImage> codec = s::image::FormatDetector::openImage(file);
    if (!codec) return;
    s::thread::Pooled<s::image::win::BufferedImageSet> set = codec->decodeAll();
    if (set) s::fuzz::touchSet(*set);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    detectHead(data, size);
    openFile(data, size);
    return 0;
}
