// soak_check: reads back what a batch run wrote (scripts/soak.sh).
//
//     soak_check [TYPED_LIST] < LIST_OF_PATHS
//
// Every path (one a line) must be a whole, readable image: its content is
// recognised, the codec it selects reads the file, and decoding gives
// at least one picture whose pixels can all be read. When the name carries the
// output size (" (WxH)" before the extension or a counter), the decoded size
// must match it, except for icons: the icon writer keeps the source icon's
// image sizes, and the name gives the largest resized image. Prints one line
// per bad file and a count; exit status 1 when any file is bad. TYPED_LIST,
// when given, receives "FORMAT:path" for every file (FORMAT as ImageMagick
// names it: BMP, GIF, ICO, JPEG, PNG, by content), so other readers can be
// told the format whatever the extension says.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "formats/FormatDetector.h"
#include "formats/bmp/Bitmap.h"
#include "formats/gif/Gif.h"
#include "formats/ico/Icon.h"
#include "formats/jpeg/Jpeg.h"
#include "formats/png/Png.h"
#include "foundation/MemoryStreams.h"

namespace {

using s::image::FormatDetector;

// The last " (WxH)" in the file name, if any.
std::optional<std::pair<std::int32_t, std::int32_t>> namedSize(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    for (std::size_t open = name.rfind(" ("); open != std::string::npos;
         open = open ? name.rfind(" (", open - 1) : std::string::npos) {
        int w = 0, h = 0, used = 0;
        if (std::sscanf(name.c_str() + open, " (%dx%d)%n", &w, &h, &used) == 2 && used > 0) {
            return std::make_pair(w, h);
        }
        if (open == 0) break;
    }
    return std::nullopt;
}

using Codec = s::thread::Pooled<s::image::IEncodedImage>;

// The codec the content selects. Detection proper ignores files of 100 bytes
// or less, which small outputs can be; their head is padded with zeros here,
// so they are still read by the class their first bytes name.
Codec codecFor(const std::vector<std::uint8_t>& bytes) {
    std::array<std::uint8_t, 100> head{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), head.size()), head.begin());
    const char* type = FormatDetector::detectFromHead(head.data(), bytes.size());
    if (type == s::image::ImageType::kBmp) return Codec(s::image::bmp::win::Bitmap::take());
    if (type == s::image::ImageType::kGif) return Codec(s::image::gif::win::Gif::take());
    if (type == s::image::ImageType::kIco) return Codec(s::image::ico::win::Icon::take());
    if (type == s::image::ImageType::kJpg) return Codec(s::image::jpg::win::Jpeg::take());
    if (type == s::image::ImageType::kPng) return Codec(s::image::png::win::Png::take());
    return Codec();
}

// "BMP" for ".bmp" and so on; ".jpg" is "JPEG".
std::string formatName(std::string_view extension) {
    if (extension == ".jpg") return "JPEG";
    std::string name(extension.substr(1));
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

// Empty when the file is sound, otherwise what is wrong with it.
std::string check(const std::string& path, std::ofstream& typedList) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return "cannot be opened";
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                          std::istreambuf_iterator<char>()};
    Codec codec = codecFor(bytes);
    if (!codec) return "content not recognised";
    const std::string_view extension = codec->getExtension();
    if (typedList.is_open()) typedList << formatName(extension) << ':' << path << '\n';
    s::io::MemoryInputStream in(bytes.data(), bytes.size());
    if (!codec->readFrom(in) || !codec->isValid()) {
        return std::string("not readable as ") + codec->getExtension();
    }
    // A GIF cut short still yields its first frames: ask whether it ended.
    if (const auto* gif = dynamic_cast<const s::image::gif::win::Gif*>(codec.get())) {
        if (!gif->isComplete()) return "GIF stream ends early";
    }
    s::thread::Pooled<s::image::win::BufferedImageSet> set = codec->decodeAll();
    if (!set || set->getCount() == 0) return "decodes to no picture";
    s::fuzz::touchSet(*set);
    if (const auto size = namedSize(path); size && extension != ".ico") {
        if (size->first != set->getWidth() || size->second != set->getHeight()) {
            return "decodes to " + std::to_string(set->getWidth()) + "x" +
                   std::to_string(set->getHeight()) + ", the name says " +
                   std::to_string(size->first) + "x" + std::to_string(size->second);
        }
    }
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    std::ofstream typedList;
    if (argc > 1) typedList.open(argv[1], std::ios::trunc);
    std::size_t checked = 0;
    std::size_t bad = 0;
    std::string path;
    while (std::getline(std::cin, path)) {
        if (path.empty()) continue;
        ++checked;
        const std::string fault = check(path, typedList);
        if (!fault.empty()) {
            ++bad;
            std::printf("BAD %s: %s\n", path.c_str(), fault.c_str());
        }
    }
    std::printf("checked %zu outputs, %zu bad\n", checked, bad);
    return bad ? 1 : 0;
}
