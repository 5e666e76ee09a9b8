#include "formats/jpeg/ExifMarkerReader.h"

#include <cstdint>
#include <cstring>

#include "formats/jpeg/ExifOrientation.h"
#include "formats/jpeg/MarkerBytes.h"

namespace s::image::jpg::win {

namespace {
constexpr std::size_t kIdSize = 6;  // "Exif\0\0"
}

boolean ExifMarkerReader::readSegment(j_decompress_ptr cinfo) {
    std::size_t left = 0;
    if (!MarkerBytes::readLength(cinfo, left)) return FALSE;
    if (seenExif_ || left < kIdSize) {
        MarkerBytes::skip(cinfo, left);
        return TRUE;
    }

    std::uint8_t id[kIdSize];
    if (!MarkerBytes::read(cinfo, id, kIdSize)) return FALSE;
    left -= kIdSize;
    if (!ExifOrientation::isExif(id, kIdSize)) {
        MarkerBytes::skip(cinfo, left);
        return TRUE;
    }

    // At most 65533 bytes (the 16-bit segment length), from the image pool,
    // which the library empties when the decompression ends.
    auto* payload = static_cast<std::uint8_t*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, kIdSize + left));
    std::memcpy(payload, id, kIdSize);
    if (!MarkerBytes::read(cinfo, payload + kIdSize, left)) return FALSE;
    seenExif_ = true;
    orientation_ = ExifOrientation::fromApp1(payload, kIdSize + left);
    return TRUE;
}

}  // namespace s::image::jpg::win
