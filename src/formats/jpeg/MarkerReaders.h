// s::image::jpg::win::MarkerReaders -- the decompressor's handlers for the
// application segments we read ourselves: APP1 (EXIF orientation) and APP2
// (ICC profile parts). Every other marker is left to the library, which
// skips the application segments it does not save.
//
// Lives on the stack of the decoding function; the decompress object points
// at it through client_data while it is in use.
#pragma once

#include "formats/jpeg/ExifMarkerReader.h"
#include "formats/jpeg/IccMarkerReader.h"
#include "formats/jpeg/LibJpeg.h"

namespace s::image::jpg::win {

class MarkerReaders {
public:
    // Makes these readers the APP1 and APP2 handlers of cinfo (uses
    // cinfo->client_data).
    void install(j_decompress_ptr cinfo);

    ExifMarkerReader exif;
    IccMarkerReader icc;

private:
    static boolean onApp1(j_decompress_ptr cinfo);
    static boolean onApp2(j_decompress_ptr cinfo);
};

}  // namespace s::image::jpg::win
