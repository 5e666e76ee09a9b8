// s::image::jpg::win::ScanLimiter -- a progress monitor that abandons a
// decompression after too many scans.
//
// Every scan of a progressive file makes the decoder pass over the whole
// coefficient buffer again, and a scan header costs a few bytes: a small
// hostile file could keep a batch busy for hours. Real encoders write at
// most a few dozen scans, so any file with more than kMaxScans is refused.
#pragma once

#include "formats/jpeg/LibJpeg.h"

namespace s::image::jpg::win {

class ScanLimiter {
public:
    static constexpr int kMaxScans = 500;

    // Makes this limiter cinfo's progress monitor.
    void install(j_decompress_ptr cinfo);

private:
    static void onProgress(j_common_ptr cinfo);

    // Must stay the first member: the library's pointer to it is cast back.
    jpeg_progress_mgr library_;
};

}  // namespace s::image::jpg::win
