#include "formats/jpeg/ScanLimiter.h"

#include "formats/jpeg/JpegErrorManager.h"

namespace s::image::jpg::win {

void ScanLimiter::install(j_decompress_ptr cinfo) {
    library_ = {};
    library_.progress_monitor = &ScanLimiter::onProgress;
    cinfo->progress = &library_;
}

void ScanLimiter::onProgress(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor) return;
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
        JpegErrorManager::fail(cinfo, "Too many scans in a progressive JPEG");
    }
}

}  // namespace s::image::jpg::win
