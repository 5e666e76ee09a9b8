// s::image::jpg::win::StreamDestinationManager -- lets the JPEG compressor
// write to an s::io::IOutputStream through a 4096-byte buffer.
//
// A write the stream refuses is the library's fatal "cannot write" error, so
// the compression is abandoned at once rather than producing a file with a
// hole. The manager and its buffer live in the library's pools and die with
// the compress object; the stream stays with the caller.
#pragma once

#include <cstddef>

#include "formats/jpeg/LibJpeg.h"
#include "foundation/IOutputStream.h"

namespace s::image::jpg::win {

class StreamDestinationManager {
public:
    static constexpr std::size_t kBufferSize = 4096;

    // Creates the manager in the library's pool and makes it cinfo's destination.
    static void install(j_compress_ptr cinfo, s::io::IOutputStream& stream);

private:
    static StreamDestinationManager* from(j_compress_ptr cinfo);
    static void onInitDestination(j_compress_ptr cinfo);
    static boolean onEmptyOutputBuffer(j_compress_ptr cinfo);
    static void onTermDestination(j_compress_ptr cinfo);
    // Writes count bytes of the buffer, or raises the library's write error.
    static void writeOrFail(j_compress_ptr cinfo, std::size_t count);

    // Must stay the first member: the library's pointer to it is cast back.
    jpeg_destination_mgr library_;
    s::io::IOutputStream* stream_;
    JOCTET* buffer_;
};

}  // namespace s::image::jpg::win
