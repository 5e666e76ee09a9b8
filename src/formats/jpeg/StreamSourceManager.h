// s::image::jpg::win::StreamSourceManager -- feeds the JPEG decompressor
// from an s::io::IInputStream through a 4096-byte buffer.
//
// An empty stream is the library's fatal "empty input" error. A stream that
// ends early is not: the manager emits the library's premature-end warning
// and supplies an end-of-image marker, so the library completes the picture
// with what it has (the missing part filled by the library). The manager and
// its buffer live in the library's permanent pool and die with the
// decompress object; the stream stays with the caller.
#pragma once

#include <cstddef>

#include "formats/jpeg/LibJpeg.h"
#include "foundation/IInputStream.h"

namespace s::image::jpg::win {

class StreamSourceManager {
public:
    static constexpr std::size_t kBufferSize = 4096;

    // Creates the manager in the library's pool and makes it cinfo's source.
    static void install(j_decompress_ptr cinfo, s::io::IInputStream& stream);

private:
    static StreamSourceManager* from(j_decompress_ptr cinfo);
    static void onInitSource(j_decompress_ptr cinfo);
    static boolean onFillInputBuffer(j_decompress_ptr cinfo);
    static void onSkipInputData(j_decompress_ptr cinfo, long count);
    static void onTermSource(j_decompress_ptr cinfo);
    // One read of up to a buffer's worth; 0 at the end of the data.
    std::size_t readSome();

    // Must stay the first member: the library's pointer to it is cast back.
    jpeg_source_mgr library_;
    s::io::IInputStream* stream_;
    JOCTET* buffer_;
    bool startOfFile_;
};

}  // namespace s::image::jpg::win
