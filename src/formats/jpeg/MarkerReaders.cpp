#include "formats/jpeg/MarkerReaders.h"

namespace s::image::jpg::win {

void MarkerReaders::install(j_decompress_ptr cinfo) {
    cinfo->client_data = this;
    jpeg_set_marker_processor(cinfo, JPEG_APP0 + 1, &MarkerReaders::onApp1);
    jpeg_set_marker_processor(cinfo, JPEG_APP0 + 2, &MarkerReaders::onApp2);
}

boolean MarkerReaders::onApp1(j_decompress_ptr cinfo) {
    return static_cast<MarkerReaders*>(cinfo->client_data)->exif.readSegment(cinfo);
}

boolean MarkerReaders::onApp2(j_decompress_ptr cinfo) {
    return static_cast<MarkerReaders*>(cinfo->client_data)->icc.readSegment(cinfo);
}

}  // namespace s::image::jpg::win
