// The floor of a resize workload: decode the source once and encode one
// file per output size, with no resampling at all (each output takes the
// source's top-left pixels, tiled when it is larger). No resizer can beat
// this, so compare.sh reports every tool as a multiple of it.
//
// JPEG sources are decoded and encoded with libjpeg at quality 75; PNG
// sources with libpng as 8-bit RGBA, Adam7-interlaced, default compression,
// the settings the resizer writes PNG files with.
//
// What an encoder costs depends on the pixels: a crop of a noisy photo
// deflates faster than the same photo averaged down. So a size may name a
// raw pixel file (WxH=FILE: the output's own pixels, RGB for JPEG, RGBA for
// PNG, rows top-down) to encode instead of the crop; `--raw IMAGE FILE`
// writes such a file from a resizer's output before the timing starts.
//
// Usage: tarvex_bench_floor SOURCE OUTPUT_PREFIX WxH[=RAW] [WxH[=RAW] ...]
//        tarvex_bench_floor --raw IMAGE RAW
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

// Row y of a w-pixel output: the raw pixels given for it, or else the
// source's pixels from the top-left, tiled.
void outputRow(const Pixels& source, const Pixels* given, int w, int y, unsigned char* row) {
    const int c = source.channels;
    if (given) {
        std::memcpy(row, given->data.data() + static_cast<std::size_t>(y) * w * c,
                    static_cast<std::size_t>(w) * c);
        return;
    }
    const unsigned char* line =
        source.data.data() + static_cast<std::size_t>(y % source.height) * source.width * c;
    for (int x = 0; x < w; x += source.width) {
        const int n = std::min(source.width, w - x);
        std::memcpy(row + static_cast<std::size_t>(x) * c, line, static_cast<std::size_t>(n) * c);
    }
}

bool encodeJpeg(const Pixels& source, const Pixels* given, int w, int h, FILE* file) {
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
        outputRow(source, given, w, y, row.data());
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

bool encodePng(const Pixels& source, const Pixels* given, int w, int h, FILE* file) {
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
        outputRow(source, given, w, y, rows[y]);
    }
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool decodeFile(const std::string& path, Pixels& out) {
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        std::perror(path.c_str());
        return false;
    }
    const bool decoded = endsWith(path, ".png") ? decodePng(in, out) : decodeJpeg(in, out);
    std::fclose(in);
    return decoded;
}

int writeRaw(const std::string& image, const std::string& rawPath) {
    Pixels pixels;
    if (!decodeFile(image, pixels)) return 1;
    FILE* out = std::fopen(rawPath.c_str(), "wb");
    if (!out) return 1;
    const bool ok = std::fwrite(pixels.data.data(), 1, pixels.data.size(), out) == pixels.data.size();
    return std::fclose(out) == 0 && ok ? 0 : 1;
}

bool readRaw(const std::string& path, int w, int h, int channels, Pixels& out) {
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return false;
    out.width = w;
    out.height = h;
    out.channels = channels;
    out.data.resize(static_cast<std::size_t>(w) * h * channels);
    const bool ok = std::fread(out.data.data(), 1, out.data.size(), in) == out.data.size();
    std::fclose(in);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--raw") == 0) return writeRaw(argv[2], argv[3]);
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: %s SOURCE OUTPUT_PREFIX WxH[=RAW] [WxH[=RAW] ...]\n"
                     "       %s --raw IMAGE RAW\n",
                     argv[0], argv[0]);
        return 2;
    }
    const std::string source = argv[1];
    const bool png = endsWith(source, ".png");
    Pixels pixels;
    if (!decodeFile(source, pixels)) return 1;
    for (int i = 3; i < argc; ++i) {
        const std::string size = argv[i];
        const std::size_t equals = size.find('=');
        const std::string dims = size.substr(0, equals);
        int w = 0, h = 0;
        if (std::sscanf(dims.c_str(), "%dx%d", &w, &h) != 2 || w < 1 || h < 1) return 2;
        Pixels given;
        if (equals != std::string::npos &&
            !readRaw(size.substr(equals + 1), w, h, pixels.channels, given))
            return 1;
        const Pixels* content = equals != std::string::npos ? &given : nullptr;
        const std::string path = std::string(argv[2]) + dims + (png ? ".png" : ".jpg");
        FILE* out = std::fopen(path.c_str(), "wb");
        if (!out) return 1;
        const bool ok = png ? encodePng(pixels, content, w, h, out)
                            : encodeJpeg(pixels, content, w, h, out);
        std::fclose(out);
        if (!ok) return 1;
    }
    return 0;
}
