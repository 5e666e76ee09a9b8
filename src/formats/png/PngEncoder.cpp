#include "formats/png/PngEncoder.h"

#include <png.h>

#include <csetjmp>

#include "formats/png/PngColourChunks.h"
#include "formats/png/PngErrorHandler.h"
#include "formats/png/PngStreamIo.h"

namespace s::image::png::win {

using s::image::win::BufferedImage;

bool PngEncoder::encode(const BufferedImage& image, bool interlace,
                        const s::image::ColourProfile* profile, s::io::IOutputStream& stream,
                        std::string& message) {
    PngErrorHandler errors;
    const bool written = run(image, interlace, profile, stream, errors);
    message = errors.lastMessage();
    return written;
}

bool PngEncoder::run(const BufferedImage& image, bool interlace,
                     const s::image::ColourProfile* profile, s::io::IOutputStream& stream,
                     PngErrorHandler& errors) {
    png_structp png = png_create_write_struct(
        PNG_LIBPNG_VER_STRING, &errors, &PngErrorHandler::onError, &PngErrorHandler::onWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &stream, &PngStreamIo::onWrite, &PngStreamIo::onFlush);
    const auto width = static_cast<png_uint_32>(image.getWidth());
    const auto height = static_cast<png_uint_32>(image.getHeight());
    // An empty image stops here with the library's own error.
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info_before_PLTE(png, info);
    if (profile) PngColourChunks::write(png, *profile);
    png_write_info(png, info);
    png_set_bgr(png);
    // Each pass takes the rows it needs from the whole image, as
    // png_write_image does.
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            png_write_row(png, image.getRow(static_cast<std::int32_t>(y)));
        }
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace s::image::png::win
