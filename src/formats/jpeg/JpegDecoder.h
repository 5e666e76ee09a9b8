// s::image::jpg::win::JpegDecoder -- decodes a JPEG stream into an opaque
// 32-bit pixel image, turned upright by its EXIF orientation, and hands
// over its embedded ICC profile when that describes the RGB picture we
// decode (a colour file with an "RGB " profile; the profile of a CMYK, YCCK
// or greyscale file is dropped, as is a damaged one, see IccMarkerReader).
//
// Colour: YCbCr and RGB files give their colours, greyscale files three
// equal channels, Adobe CMYK/YCCK files red = C*K/255 and so on with the
// samples as the library delivers them (inverted, as Adobe writes them).
// Other component counts are refused.
//
// Failure: a fatal library error abandons the decoding, destroys the library
// state and reports false; the process never ends and nothing is printed.
// A stream that ends early is not a failure: the library completes the
// picture. Memory: files larger than ImageLimits are refused after the
// header, before anything is allocated for pixels; the library's own memory
// is capped and so is the number of progressive scans.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/jpeg/LibJpeg.h"
#include "foundation/EasyPooler.h"
#include "foundation/IInputStream.h"
#include "image/BufferedImage.h"
#include "image/ImageLimits.h"

namespace s::image::jpg::win {

class JpegErrorManager;
class IccMarkerReader;

class JpegDecoder {
public:
    // Cap on the library's own memory (coefficient buffers of progressive
    // and multi-scan files need 2 bytes per sample: at most 4 components at
    // full resolution for the largest image ImageLimits admits).
    static constexpr long kMaxLibraryMemory = 8 * ImageLimits::kMaxPixels + (64L << 20);

    // The decoded, upright picture; null when the stream cannot be decoded.
    // message receives the library's last message (a warning for a picture
    // that was completed, the error for a refused one), or stays empty.
    // iccProfile receives the carried profile's bytes, or is emptied.
    static s::thread::Pooled<s::image::win::BufferedImage> decode(
        s::io::IInputStream& stream, std::string& message, std::vector<std::uint8_t>& iccProfile);

private:
    // The one function that calls into the library on the decoding side; it
    // arms the error jump itself and holds no object with a destructor
    // (iccProfile is the caller's, filled outside any library call).
    static bool run(s::io::IInputStream& stream, s::image::win::BufferedImage& target,
                    int& orientation, std::vector<std::uint8_t>& iccProfile,
                    JpegErrorManager& errors);
    // The header's profile when it describes the decoded RGB picture.
    static void takeProfile(jpeg_decompress_struct& cinfo, IccMarkerReader& icc,
                            std::vector<std::uint8_t>& iccProfile) noexcept;
};

}  // namespace s::image::jpg::win
