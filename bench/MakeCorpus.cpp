// Writes one deterministic photo-like file for compare.sh: a JPEG (quality
// 90, opaque) or an RGBA PNG with transparency, streamed row by row so the
// 48-megapixel source needs no full-size buffer.
//
// Usage: tarvex_bench_corpus jpeg|png WIDTH HEIGHT SEED PATH
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <jpeglib.h>
#include <png.h>
// clang-format on

#include "SyntheticImage.h"

namespace {

bool writeJpeg(FILE* file, int w, int h, std::uint32_t seed) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> bgra(static_cast<std::size_t>(w) * 4);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * 3);
    for (int y = 0; y < h; ++y) {
        tarvex::bench::photoLikeRow(y, w, h, seed, false, bgra.data());
        for (int x = 0; x < w; ++x) {
            rgb[x * 3] = bgra[x * 4 + 2];
            rgb[x * 3 + 1] = bgra[x * 4 + 1];
            rgb[x * 3 + 2] = bgra[x * 4];
        }
        JSAMPROW row = rgb.data();
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

bool writePng(FILE* file, int w, int h, std::uint32_t seed) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(w) * 4);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < h; ++y) {
        tarvex::bench::photoLikeRow(y, w, h, seed, true, row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s jpeg|png WIDTH HEIGHT SEED PATH\n", argv[0]);
        return 2;
    }
    const int w = std::atoi(argv[2]);
    const int h = std::atoi(argv[3]);
    const auto seed = static_cast<std::uint32_t>(std::strtoul(argv[4], nullptr, 10));
    if (w < 1 || h < 1 || w > 65535 || h > 65535) return 2;
    FILE* file = std::fopen(argv[5], "wb");
    if (!file) {
        std::perror(argv[5]);
        return 1;
    }
    const bool ok =
        std::strcmp(argv[1], "png") == 0 ? writePng(file, w, h, seed) : writeJpeg(file, w, h, seed);
    return std::fclose(file) == 0 && ok ? 0 : 1;
}
