// s::image::jpg::win::JpegEncoder -- writes a pixel image as a baseline
// JFIF file: the library's defaults (YCbCr, 2x2 luminance sampling = 4:2:0,
// standard Huffman tables, density 1:1) at the given quality with baseline
// quantisation limits. An ICC profile, when given, follows the JFIF header
// in as many APP2 "ICC_PROFILE" segments as it needs; nothing else changes.
//
// The image is read, never changed: the library takes its rows as they are
// (or, with a library without extended colour spaces, each row converted
// into a scratch line). Alpha is ignored (callers composite first).
// A fatal library error or a refused write abandons the compression,
// destroys the library state and reports false; nothing is printed and the
// process goes on. What already reached the stream stays there for the
// caller to discard.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/IOutputStream.h"
#include "image/BufferedImage.h"

namespace s::image::jpg::win {

class JpegErrorManager;

class JpegEncoder {
public:
    // False when the image is empty or the stream refused a write; message
    // then holds the library's message. iccProfile may be null or empty.
    static bool encode(const s::image::win::BufferedImage& image, int quality,
                       const std::vector<std::uint8_t>* iccProfile, s::io::IOutputStream& stream,
                       std::string& message);

private:
    // The one function that calls into the library on the encoding side; it
    // arms the error jump itself and holds no object with a destructor.
    static bool run(const s::image::win::BufferedImage& image, int quality,
                    const std::vector<std::uint8_t>* iccProfile, s::io::IOutputStream& stream,
                    JpegErrorManager& errors);
};

}  // namespace s::image::jpg::win
