// Reading colour profiles back out of written files with the libraries'
// own readers (not the codecs'), and taking files apart to compare what is
// left once the profile is removed. For the codec and end-to-end tests.
#pragma once

// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace tarvex::test {

// The ICC profile libjpeg's own reader finds in a JPEG file (empty: none).
inline std::vector<std::uint8_t> jpegLibraryProfile(const std::vector<std::uint8_t>& jpeg) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_save_markers(&cinfo, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);
    JOCTET* data = nullptr;
    unsigned int size = 0;
    std::vector<std::uint8_t> profile;
    if (jpeg_read_icc_profile(&cinfo, &data, &size)) profile.assign(data, data + size);
    std::free(data);
    jpeg_destroy_decompress(&cinfo);
    return profile;
}

// The JPEG file without its APP2 segments (all of them before the first scan).
inline std::vector<std::uint8_t> withoutApp2(const std::vector<std::uint8_t>& jpeg) {
    std::vector<std::uint8_t> out(jpeg.begin(), jpeg.begin() + 2);
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA) {
        const std::size_t end = at + 2 + (std::size_t{jpeg[at + 2]} << 8 | jpeg[at + 3]);
        if (jpeg[at + 1] != 0xE2) out.insert(out.end(), jpeg.begin() + at, jpeg.begin() + end);
        at = end;
    }
    out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(at), jpeg.end());
    return out;
}

struct PngChunkView {
    std::string type;
    std::vector<std::uint8_t> body;
    std::size_t offset = 0;  // of its length field in the file
    bool operator==(const PngChunkView& other) const {
        return type == other.type && body == other.body;
    }
};

// The chunks of a well-formed PNG file, in order.
inline std::vector<PngChunkView> pngChunksOf(const std::vector<std::uint8_t>& png) {
    std::vector<PngChunkView> out;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::size_t length = std::size_t{png[at]} << 24 | std::size_t{png[at + 1]} << 16 |
                                   std::size_t{png[at + 2]} << 8 | png[at + 3];
        if (at + 12 + length > png.size()) break;
        out.push_back(
            {std::string(png.begin() + at + 4, png.begin() + at + 8),
             std::vector<std::uint8_t>(png.begin() + at + 8, png.begin() + at + 8 + length), at});
        at += 12 + length;
    }
    return out;
}

inline bool isPngColourChunk(const PngChunkView& c) {
    return c.type == "iCCP" || c.type == "sRGB" || c.type == "gAMA" || c.type == "cHRM";
}

inline std::vector<PngChunkView> pngColourChunksOf(const std::vector<std::uint8_t>& png) {
    std::vector<PngChunkView> out = pngChunksOf(png);
    std::erase_if(out, [](const PngChunkView& c) { return !isPngColourChunk(c); });
    return out;
}

// The PNG file without its colour chunks.
inline std::vector<std::uint8_t> withoutPngColourChunks(const std::vector<std::uint8_t>& png) {
    std::vector<std::uint8_t> out(png.begin(), png.begin() + 8);
    for (const PngChunkView& c : pngChunksOf(png)) {
        if (isPngColourChunk(c)) continue;
        const auto from = png.begin() + static_cast<std::ptrdiff_t>(c.offset);
        out.insert(out.end(), from, from + static_cast<std::ptrdiff_t>(12 + c.body.size()));
    }
    return out;
}

// The ICC profile libpng itself reads from a PNG file (empty: none).
inline std::vector<std::uint8_t> pngLibraryProfile(const std::vector<std::uint8_t>& file) {
    struct Reader {
        const std::vector<std::uint8_t>* bytes;
        std::size_t at = 0;
    } reader{&file};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<std::uint8_t> profile;
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_set_read_fn(png, &reader, [](png_structp p, png_bytep out, png_size_t n) {
            auto* r = static_cast<Reader*>(png_get_io_ptr(p));
            if (r->at + n > r->bytes->size()) png_error(p, "short");
            std::memcpy(out, r->bytes->data() + r->at, n);
            r->at += n;
        });
        png_read_info(png, info);
        png_charp name = nullptr;
        int method = 0;
        png_bytep data = nullptr;
        png_uint_32 size = 0;
        if (png_get_iCCP(png, info, &name, &method, &data, &size))
            profile.assign(data, data + size);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return profile;
}

}  // namespace tarvex::test
