// s::image::png::win::PngDecoder -- decodes a PNG stream of any colour type
// and bit depth into 8-bit blue-green-red-alpha pixels.
//
// The library's transforms do the work: 16-bit samples keep their high
// byte, sub-byte samples are unpacked and grey levels scaled to 8 bits,
// palettes are expanded, a tRNS chunk becomes alpha, an opaque alpha byte is
// added where the data has none, grey becomes RGB; interlaced files are
// de-interlaced. The alpha bytes are left exactly as decoded (no gamma, no
// background, no colour management). The colour chunks (iCCP, sRGB, gAMA,
// cHRM) are handed over raw for the outputs, as PngColourChunks keeps them;
// every other ancillary chunk is discarded unread.
//
// Failure: any library error (bad signature, CRC error in a critical chunk,
// damaged compressed data, a short stream) abandons the read, destroys the
// library state and reports false; nothing is printed. Memory: headers
// larger than ImageLimits are refused before the pixels are allocated;
// ancillary chunks are capped in size and count, and never stored.
#pragma once

#include <png.h>

#include <memory>
#include <string>

#include "foundation/EasyPooler.h"
#include "foundation/IInputStream.h"
#include "image/BufferedImage.h"
#include "image/ColourProfile.h"

namespace s::image::png::win {

class PngErrorHandler;

class PngDecoder {
public:
    // Largest chunk (other than image data) the library will take in.
    static constexpr png_alloc_size_t kMaxChunkBytes = 8 * 1024 * 1024;
    // Most ancillary chunks the library stores from one file (only the
    // colour chunks are stored, and a real file has at most one of each).
    static constexpr png_uint_32 kMaxCachedChunks = 16;

    // The picture as decoded (hasAlpha not yet settled); null when the
    // stream is not a readable PNG. message receives the library's last
    // message, or stays empty; profile the colour chunks carried to the
    // outputs, or null.
    static s::thread::Pooled<s::image::win::BufferedImage> decode(
        s::io::IInputStream& stream, std::string& message,
        std::shared_ptr<const s::image::ColourProfile>& profile);

private:
    // The one function that calls into the library on the reading side; it
    // arms the error jump itself and holds no object with a destructor
    // (profile is the caller's).
    static bool run(s::io::IInputStream& stream, s::image::win::BufferedImage& target,
                    std::shared_ptr<const s::image::ColourProfile>& profile,
                    PngErrorHandler& errors);
    static void limit(png_structp png);
    static void setTransforms(png_structp png, png_infop info);
};

}  // namespace s::image::png::win
