// s::image::jpg::win::ExifMarkerReader -- the decompressor's handler for
// APP1 markers: finds the first EXIF block and keeps only its orientation.
//
// The library's own marker saving would keep every APP1 segment in memory
// (any number of them); this reader holds at most one segment (64 KiB) at a
// time, in the library's image pool, and skips all the others, so a file
// made of endless APP1 segments costs no more memory than a normal one.
// Nothing else of EXIF is kept.
//
// Lives on the stack of the decoding function; the decompress object points
// at it through client_data while it is in use.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/jpeg/LibJpeg.h"

namespace s::image::jpg::win {

class ExifMarkerReader {
public:
    // Makes this reader the APP1 handler of cinfo (uses cinfo->client_data).
    void install(j_decompress_ptr cinfo);
    // 1..8; 1 until an EXIF block with a valid Orientation tag was read.
    int orientation() const { return orientation_; }

private:
    static boolean onApp1(j_decompress_ptr cinfo);
    // Copies count bytes from the source; false when the source suspends.
    static bool readBytes(j_decompress_ptr cinfo, std::uint8_t* out, std::size_t count);
    static void skipBytes(j_decompress_ptr cinfo, std::size_t count);

    int orientation_ = 1;
    bool seenExif_ = false;
};

}  // namespace s::image::jpg::win
