// s::image::jpg::win::ExifMarkerReader -- reads the decompressor's APP1
// segments: finds the first EXIF block and keeps only its orientation.
//
// The library's own marker saving would keep every APP1 segment in memory
// (any number of them); this reader holds at most one segment (64 KiB) at a
// time, in the library's image pool, and skips all the others, so a file
// made of endless APP1 segments costs no more memory than a normal one.
// Nothing else of EXIF is kept.
//
// Lives on the stack of the decoding function; MarkerReaders hands it the
// segments.
#pragma once

#include "formats/jpeg/LibJpeg.h"

namespace s::image::jpg::win {

class ExifMarkerReader {
public:
    // Consumes one APP1 segment (the source stands after the marker code).
    // FALSE when the source suspends, as the library expects of a handler.
    boolean readSegment(j_decompress_ptr cinfo);
    // 1..8; 1 until an EXIF block with a valid Orientation tag was read.
    int orientation() const { return orientation_; }

private:
    int orientation_ = 1;
    bool seenExif_ = false;
};

}  // namespace s::image::jpg::win
