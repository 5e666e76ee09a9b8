#include "formats/jpeg/JpegDecoder.h"

#include <algorithm>
#include <csetjmp>

#include "formats/jpeg/ExifOrientation.h"
#include "formats/jpeg/JpegErrorManager.h"
#include "formats/jpeg/LibJpeg.h"
#include "formats/jpeg/MarkerReaders.h"
#include "formats/jpeg/OrientationTransform.h"
#include "formats/jpeg/ScanLimiter.h"
#include "formats/jpeg/StreamSourceManager.h"
#include "image/ColourProfile.h"
#include "image/ImageLimits.h"

namespace s::image::jpg::win {

using s::image::win::BufferedImage;
using s::thread::Pooled;

namespace {

// One decoded scanline to 32-bit blue, green, red, opaque alpha.
using RowConverter = void (*)(const JSAMPLE* in, std::uint8_t* out, JDIMENSION width);

void greyRow(const JSAMPLE* in, std::uint8_t* out, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, out += 4) {
        out[0] = out[1] = out[2] = in[x];
        out[3] = 255;
    }
}

void rgbRow(const JSAMPLE* in, std::uint8_t* out, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, in += 3, out += 4) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = 255;
    }
}

// Adobe writes CMYK inverted (0 = full ink), and the library hands the
// samples over unchanged, so each sample times K already is the colour.
void cmykRow(const JSAMPLE* in, std::uint8_t* out, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 4) {
        const unsigned k = in[3];
        out[0] = static_cast<std::uint8_t>(in[2] * k / 255);
        out[1] = static_cast<std::uint8_t>(in[1] * k / 255);
        out[2] = static_cast<std::uint8_t>(in[0] * k / 255);
        out[3] = 255;
    }
}

// Indexed by the number of output components.
constexpr RowConverter kConverters[5] = {nullptr, &greyRow, nullptr, &rgbRow, &cmykRow};

RowConverter converterFor(int components) {
    return components >= 0 && components < 5 ? kConverters[components] : nullptr;
}

// Rows handed to the library per call when it writes straight into the image.
constexpr JDIMENSION kRowsPerRead = 16;

// Colour pictures: the library converts to blue, green, red and an alpha of
// 255 itself, straight into the image's rows, with the same arithmetic as its
// RGB output, so no line buffer and no second pass are needed.
bool decodesStraightToPixels(jpeg_decompress_struct& cinfo) {
#if defined(JCS_ALPHA_EXTENSIONS)
    if (cinfo.out_color_space == JCS_RGB && cinfo.num_components == 3) {
        cinfo.out_color_space = JCS_EXT_BGRA;
        return true;
    }
#endif
    (void)cinfo;
    return false;
}

void stalled(j_common_ptr common) {
    JpegErrorManager::fail(common, "The JPEG data source stalled");
}

void readStraight(jpeg_decompress_struct& cinfo, BufferedImage& target) {
    JSAMPROW rows[kRowsPerRead];
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION y = cinfo.output_scanline;
        const JDIMENSION count = std::min(kRowsPerRead, cinfo.output_height - y);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = target.getRow(static_cast<std::int32_t>(y + i));
        // Our source never suspends, so every call delivers at least a line.
        if (jpeg_read_scanlines(&cinfo, rows, count) == 0) {
            stalled(reinterpret_cast<j_common_ptr>(&cinfo));
        }
    }
}

void readConverted(jpeg_decompress_struct& cinfo, BufferedImage& target, RowConverter convert) {
    j_common_ptr common = reinterpret_cast<j_common_ptr>(&cinfo);
    JSAMPARRAY line = (*cinfo.mem->alloc_sarray)(
        common, JPOOL_IMAGE, cinfo.output_width * static_cast<JDIMENSION>(cinfo.output_components),
        1);
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION y = cinfo.output_scanline;
        if (jpeg_read_scanlines(&cinfo, line, 1) != 1) stalled(common);
        convert(line[0], target.getRow(static_cast<std::int32_t>(y)), cinfo.output_width);
    }
}

}  // namespace

Pooled<BufferedImage> JpegDecoder::decode(s::io::IInputStream& stream, std::string& message,
                                          std::vector<std::uint8_t>& iccProfile) {
    iccProfile.clear();
    Pooled<BufferedImage> image = BufferedImage::take();
    if (!image) return image;
    JpegErrorManager errors;
    int orientation = ExifOrientation::kUpright;
    const bool decoded = run(stream, *image, orientation, iccProfile, errors);
    message = errors.lastMessage();
    if (!decoded) {
        iccProfile.clear();
        return nullptr;
    }
    image->setAlpha(false);
    image = OrientationTransform::upright(std::move(image), orientation);
    if (!image) message = "Not enough memory to turn the picture upright";
    return image;
}

void JpegDecoder::takeProfile(jpeg_decompress_struct& cinfo, IccMarkerReader& icc,
                              std::vector<std::uint8_t>& iccProfile) noexcept {
    const bool colour = cinfo.num_components == 3 &&
                        (cinfo.jpeg_color_space == JCS_YCbCr || cinfo.jpeg_color_space == JCS_RGB);
    if (!icc.take(iccProfile) || !colour ||
        !s::image::ColourProfile::isCarriedRgbIcc(iccProfile.data(), iccProfile.size())) {
        iccProfile.clear();
    }
}

bool JpegDecoder::run(s::io::IInputStream& stream, BufferedImage& target, int& orientation,
                      std::vector<std::uint8_t>& iccProfile, JpegErrorManager& errors) {
    jpeg_decompress_struct cinfo{};
    MarkerReaders markers;
    ScanLimiter scans;
    cinfo.err = errors.install();
    if (setjmp(errors.jumpBuffer())) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    j_common_ptr common = reinterpret_cast<j_common_ptr>(&cinfo);
    jpeg_create_decompress(&cinfo);
    StreamSourceManager::install(&cinfo, stream);
    markers.install(&cinfo);
    scans.install(&cinfo);
    jpeg_read_header(&cinfo, TRUE);
    takeProfile(cinfo, markers.icc, iccProfile);

    // Refuse before the library or we allocate anything sized by the header.
    if (!ImageLimits::fits(cinfo.image_width, cinfo.image_height)) {
        JpegErrorManager::fail(common, "Image dimensions exceed the supported maximum");
    }
    const RowConverter convert = converterFor(cinfo.num_components);
    if (!convert) JpegErrorManager::fail(common, "Unsupported number of colour components");
    cinfo.mem->max_memory_to_use = kMaxLibraryMemory;

    const bool straight = decodesStraightToPixels(cinfo);
    jpeg_start_decompress(&cinfo);
    const bool layoutOk =
        straight ? cinfo.output_components == 4 : converterFor(cinfo.output_components) == convert;
    if (!layoutOk) JpegErrorManager::fail(common, "Unsupported colour layout");
    if (!target.allocate(static_cast<std::int32_t>(cinfo.output_width),
                         static_cast<std::int32_t>(cinfo.output_height))) {
        JpegErrorManager::fail(common, "Not enough memory for the picture");
    }
    if (straight) {
        readStraight(cinfo, target);
    } else {
        readConverted(cinfo, target, convert);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    orientation = markers.exif.orientation();
    return true;
}

}  // namespace s::image::jpg::win
