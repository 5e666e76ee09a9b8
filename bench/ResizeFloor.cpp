// The floor of a resize workload: decode the source once and encode one
// file per output size, with no resampling at all (each output takes the
// source's top-left pixels, tiled when it is larger). No resizer can beat
// this, so compare.sh reports every tool as a multiple of it.
//
// JPEG sources are decoded and encoded with libjpeg at quality 75; PNG
// sources with libpng as 8-bit RGBA, Adam7-interlaced, default compression,
// the settings the resizer writes PNG files with.
//
// Usage: tarvex_bench_floor SOURCE OUTPUT_PREFIX WxH [WxH ...]
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <jpeglib.h>
#include <png.h>
// clang-format on

namespace {

struct Pixels {
    int width = 0, height = 0, channels = 0;
    std::vector<unsigned char> data;
};

bool endsWith(const std::string& s, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

bool decodeJpeg(FILE* file, Pixels& out) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);  // exits on a corrupt file: fine for a benchmark
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    out.channels = 3;
    out.data.resize(static_cast<std::size_t>(out.width) * out.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row =
            out.data.data() + static_cast<std::size_t>(info.output_scanline) * out.width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool decodePng(FILE* file, Pixels& out) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    out.width = static_cast<int>(png_get_image_width(png, info));
    out.height = static_cast<int>(png_get_image_height(png, info));
    out.channels = 4;
    out.data.resize(static_cast<std::size_t>(out.width) * out.height * 4);
    std::vector<png_bytep> rows(static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y)
        rows[y] = out.data.data() + static_cast<std::size_t>(y) * out.width * 4;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// Row y of a w-pixel output: the source's pixels from the top-left, tiled.
void outputRow(const Pixels& source, int w, int y, unsigned char* row) {
    const int c = source.channels;
    const unsigned char* line =
        source.data.data() + static_cast<std::size_t>(y % source.height) * source.width * c;
    for (int x = 0; x < w; x += source.width) {
        const int n = std::min(source.width, w - x);
        std::memcpy(row + static_cast<std::size_t>(x) * c, line, static_cast<std::size_t>(n) * c);
    }
}

bool encodeJpeg(const Pixels& source, int w, int h, FILE* file) {
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
    jpeg_set_quality(&info, 75, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(w) * 3);
    for (int y = 0; y < h; ++y) {
        outputRow(source, w, y, row.data());
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

bool encodePng(const Pixels& source, int w, int h, FILE* file) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(w) * h * 4);
    std::vector<png_bytep> rows(static_cast<std::size_t>(h));
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_ADAM7, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y) {
        rows[y] = pixels.data() + static_cast<std::size_t>(y) * w * 4;
        outputRow(source, w, y, rows[y]);
    }
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s SOURCE OUTPUT_PREFIX WxH [WxH ...]\n", argv[0]);
        return 2;
    }
    const std::string source = argv[1];
    const bool png = endsWith(source, ".png");
    FILE* in = std::fopen(source.c_str(), "rb");
    if (!in) {
        std::perror(argv[1]);
        return 1;
    }
    Pixels pixels;
    const bool decoded = png ? decodePng(in, pixels) : decodeJpeg(in, pixels);
    std::fclose(in);
    if (!decoded) return 1;
    for (int i = 3; i < argc; ++i) {
        int w = 0, h = 0;
        if (std::sscanf(argv[i], "%dx%d", &w, &h) != 2 || w < 1 || h < 1) return 2;
        const std::string path = std::string(argv[2]) + argv[i] + (png ? ".png" : ".jpg");
        FILE* out = std::fopen(path.c_str(), "wb");
        if (!out) return 1;
        const bool ok = png ? encodePng(pixels, w, h, out) : encodeJpeg(pixels, w, h, out);
        std::fclose(out);
        if (!ok) return 1;
    }
    return 0;
}
