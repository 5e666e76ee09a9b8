// s::image::png::win::PngEncoder -- writes a pixel image as an 8-bit RGBA
// PNG (colour type 6), Adam7-interlaced or not, with the library's default
// compression and filters. The only ancillary chunks are the colour chunks
// of a given profile, written unchanged right after IHDR.
//
// The image is read, never changed: the library copies each row before it
// turns blue-green-red-alpha into red-green-blue-alpha. A library error or a
// refused write abandons the write, destroys the library state and reports
// false; nothing is printed. What already reached the stream stays there for
// the caller to discard.
#pragma once

#include <string>

#include "foundation/IOutputStream.h"
#include "image/BufferedImage.h"
#include "image/ColourProfile.h"

namespace s::image::png::win {

class PngErrorHandler;

class PngEncoder {
public:
    // False when the image is empty or the stream refused a write; message
    // then holds the library's message.
    // profile may be null.
    static bool encode(const s::image::win::BufferedImage& image, bool interlace,
                       const s::image::ColourProfile* profile, s::io::IOutputStream& stream,
                       std::string& message);

private:
    // The one function that calls into the library on the writing side; it
    // arms the error jump itself and holds no object with a destructor.
    static bool run(const s::image::win::BufferedImage& image, bool interlace,
                    const s::image::ColourProfile* profile, s::io::IOutputStream& stream,
                    PngErrorHandler& errors);
};

}  // namespace s::image::png::win
