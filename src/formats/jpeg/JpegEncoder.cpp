#include "formats/jpeg/JpegEncoder.h"

#include <algorithm>
#include <csetjmp>

#include "formats/jpeg/JpegErrorManager.h"
#include "formats/jpeg/LibJpeg.h"
#include "formats/jpeg/StreamDestinationManager.h"
#include "image/ColourProfile.h"

namespace s::image::jpg::win {

using s::image::win::BufferedImage;

namespace {

#if defined(JCS_EXTENSIONS)

// The library reads blue, green, red and an ignored fourth byte straight from
// the image's rows (it never writes to them), with the same arithmetic as its
// RGB input.
constexpr J_COLOR_SPACE kInputSpace = JCS_EXT_BGRX;
constexpr int kInputComponents = 4;
constexpr JDIMENSION kRowsPerWrite = 16;

void writeRows(jpeg_compress_struct& cinfo, const BufferedImage& image) {
    JSAMPROW rows[kRowsPerWrite];
    while (cinfo.next_scanline < cinfo.image_height) {
        const JDIMENSION y = cinfo.next_scanline;
        const JDIMENSION count = std::min(kRowsPerWrite, cinfo.image_height - y);
        for (JDIMENSION i = 0; i < count; ++i) {
            rows[i] = const_cast<JSAMPLE*>(image.getRow(static_cast<std::int32_t>(y + i)));
        }
        jpeg_write_scanlines(&cinfo, rows, count);
    }
}

#else

constexpr J_COLOR_SPACE kInputSpace = JCS_RGB;
constexpr int kInputComponents = 3;

void bgraToRgb(const std::uint8_t* in, JSAMPLE* out, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

void writeRows(jpeg_compress_struct& cinfo, const BufferedImage& image) {
    JSAMPARRAY line = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                 JPOOL_IMAGE, cinfo.image_width * 3, 1);
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto y = static_cast<std::int32_t>(cinfo.next_scanline);
        bgraToRgb(image.getRow(y), line[0], cinfo.image_width);
        jpeg_write_scanlines(&cinfo, line, 1);
    }
}

#endif

}  // namespace

bool JpegEncoder::encode(const BufferedImage& image, int quality,
                         const std::vector<std::uint8_t>* iccProfile, s::io::IOutputStream& stream,
                         std::string& message) {
    JpegErrorManager errors;
    const bool written = run(image, quality, iccProfile, stream, errors);
    message = errors.lastMessage();
    return written;
}

bool JpegEncoder::run(const BufferedImage& image, int quality,
                      const std::vector<std::uint8_t>* iccProfile, s::io::IOutputStream& stream,
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
    cinfo.input_components = kInputComponents;
    cinfo.in_color_space = kInputSpace;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    // An empty image stops here with the library's own error.
    jpeg_start_compress(&cinfo, TRUE);
    // Bounded as on reading, well inside the 255 segments the library can
    // split a profile into.
    if (iccProfile && !iccProfile->empty() &&
        iccProfile->size() <= s::image::ColourProfile::kMaxIccBytes) {
        jpeg_write_icc_profile(&cinfo, iccProfile->data(),
                               static_cast<unsigned int>(iccProfile->size()));
    }

    writeRows(cinfo, image);
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace s::image::jpg::win
