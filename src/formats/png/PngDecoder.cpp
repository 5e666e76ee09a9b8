#include "formats/png/PngDecoder.h"

#include <png.h>

#include <csetjmp>

#include "formats/png/PngColourChunks.h"
#include "formats/png/PngErrorHandler.h"
#include "formats/png/PngStreamIo.h"
#include "image/ImageLimits.h"

namespace s::image::png::win {

using s::image::win::BufferedImage;
using s::thread::Pooled;

Pooled<BufferedImage> PngDecoder::decode(s::io::IInputStream& stream, std::string& message,
                                         std::shared_ptr<const s::image::ColourProfile>& profile) {
    profile.reset();
    Pooled<BufferedImage> image = BufferedImage::take();
    if (!image) return image;
    PngErrorHandler errors;
    const bool decoded = run(stream, *image, profile, errors);
    message = errors.lastMessage();
    if (!decoded) {
        profile.reset();
        return nullptr;
    }
    return image;
}

void PngDecoder::limit(png_structp png) {
    // Width and height are checked by the library while it reads IHDR; the
    // pixel count is checked by run() once the header is known.
    png_set_user_limits(png, ImageLimits::kMaxSide, ImageLimits::kMaxSide);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_set_chunk_cache_max(png, kMaxCachedChunks);
    // Discard every ancillary chunk except tRNS and the colour chunks:
    // text and other metadata are not kept, so they are neither stored nor
    // decompressed; the colour chunks are stored raw, not parsed.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    PngColourChunks::keepOnReading(png);
}

void PngDecoder::setTransforms(png_structp png, png_infop info) {
    const png_byte colourType = png_get_color_type(png, info);
    const png_byte bitDepth = png_get_bit_depth(png, info);
    png_set_strip_16(png);
    png_set_packing(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_RGB ||
        colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    // The pixel image keeps blue first.
    png_set_bgr(png);
}

bool PngDecoder::run(s::io::IInputStream& stream, BufferedImage& target,
                     std::shared_ptr<const s::image::ColourProfile>& profile,
                     PngErrorHandler& errors) {
    png_structp png = png_create_read_struct(
        PNG_LIBPNG_VER_STRING, &errors, &PngErrorHandler::onError, &PngErrorHandler::onWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    limit(png);
    png_set_read_fn(png, &stream, &PngStreamIo::onRead);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (!ImageLimits::fits(width, height)) {
        png_error(png, "Image dimensions exceed the supported maximum");
    }
    profile = PngColourChunks::collect(png, info);
    setTransforms(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    // Every colour type must now arrive as four bytes per pixel.
    if (png_get_rowbytes(png, info) != std::size_t{width} * 4) {
        png_error(png, "Unexpected pixel layout after the read transforms");
    }
    if (!target.allocate(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height))) {
        png_error(png, "Not enough memory for the picture");
    }
    // Row by row into the image's own rows: the library merges the seven
    // passes of an interlaced file, as png_read_image does, without a
    // row-pointer table that an error jump would leak.
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(png, target.getRow(static_cast<std::int32_t>(y)), nullptr);
        }
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace s::image::png::win
