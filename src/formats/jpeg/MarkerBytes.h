// s::image::jpg::win::MarkerBytes -- reading a marker segment's bytes
// straight from the decompressor's data source, for our own marker handlers
// (the library calls a handler with the source positioned after the marker
// code; the handler must consume the whole segment).
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/jpeg/LibJpeg.h"

namespace s::image::jpg::win {

class MarkerBytes {
public:
    // Copies count bytes from the source; false when the source suspends.
    static bool read(j_decompress_ptr cinfo, std::uint8_t* out, std::size_t count);
    static void skip(j_decompress_ptr cinfo, std::size_t count);
    // The segment's length field; left receives the bytes that follow it.
    // A damaged length below 2 means an empty segment, as the library reads
    // it. False when the source suspends.
    static bool readLength(j_decompress_ptr cinfo, std::size_t& left);
};

}  // namespace s::image::jpg::win
