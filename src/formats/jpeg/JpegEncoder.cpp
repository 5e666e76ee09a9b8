#include "formats/jpeg/JpegEncoder.h"

#include <csetjmp>

#include "formats/jpeg/JpegErrorManager.h"
#include "formats/jpeg/LibJpeg.h"
#include "formats/jpeg/StreamDestinationManager.h"

namespace s::image::jpg::win {

using s::image::win::BufferedImage;

namespace {

void bgraToRgb(const std::uint8_t* in, JSAMPLE* out, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

}  // namespace

bool JpegEncoder::encode(const BufferedImage& image, int quality, s::io::IOutputStream& stream,
                         std::string& message) {
    JpegErrorManager errors;
    const bool written = run(image, quality, stream, errors);
    message = errors.lastMessage();
    return written;
}

bool JpegEncoder::run(const BufferedImage& image, int quality, s::io::IOutputStream& stream,
                      JpegErrorManager& errors) {
    jpeg_compress_struct cinfo{};
    cinfo.err = errors.install();
    if (setjmp(errors.jumpBuffer())) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    StreamDestinationManager::install(&cinfo, stream);
    cinfo.image_width = static_cast<JDIMENSION>(image.getWidth());
    cinfo.image_height = static_cast<JDIMENSION>(image.getHeight());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    // An empty image stops here with the library's own error.
    jpeg_start_compress(&cinfo, TRUE);

    JSAMPARRAY line = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                 JPOOL_IMAGE, cinfo.image_width * 3, 1);
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto y = static_cast<std::int32_t>(cinfo.next_scanline);
        bgraToRgb(image.getRow(y), line[0], cinfo.image_width);
        jpeg_write_scanlines(&cinfo, line, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace s::image::jpg::win
