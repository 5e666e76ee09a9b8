#include "formats/jpeg/ExifMarkerReader.h"

#include <cstring>

#include "formats/jpeg/ExifOrientation.h"

namespace s::image::jpg::win {

namespace {
constexpr std::size_t kIdSize = 6;  // "Exif\0\0"
}

void ExifMarkerReader::install(j_decompress_ptr cinfo) {
    cinfo->client_data = this;
    jpeg_set_marker_processor(cinfo, JPEG_APP0 + 1, &ExifMarkerReader::onApp1);
}

bool ExifMarkerReader::readBytes(j_decompress_ptr cinfo, std::uint8_t* out, std::size_t count) {
    jpeg_source_mgr* src = cinfo->src;
    while (count > 0) {
        if (src->bytes_in_buffer == 0 && !(*src->fill_input_buffer)(cinfo)) return false;
        const std::size_t chunk = count < src->bytes_in_buffer ? count : src->bytes_in_buffer;
        std::memcpy(out, src->next_input_byte, chunk);
        src->next_input_byte += chunk;
        src->bytes_in_buffer -= chunk;
        out += chunk;
        count -= chunk;
    }
    return true;
}

void ExifMarkerReader::skipBytes(j_decompress_ptr cinfo, std::size_t count) {
    if (count > 0) (*cinfo->src->skip_input_data)(cinfo, static_cast<long>(count));
}

boolean ExifMarkerReader::onApp1(j_decompress_ptr cinfo) {
    auto* self = static_cast<ExifMarkerReader*>(cinfo->client_data);
    std::uint8_t lengthBytes[2];
    if (!readBytes(cinfo, lengthBytes, 2)) return FALSE;
    // The length counts its own two bytes; a damaged one below 2 means an
    // empty segment, as the library reads it.
    const std::size_t length = std::size_t{lengthBytes[0]} << 8 | lengthBytes[1];
    std::size_t left = length > 2 ? length - 2 : 0;
    if (self->seenExif_ || left < kIdSize) {
        skipBytes(cinfo, left);
        return TRUE;
    }

    std::uint8_t id[kIdSize];
    if (!readBytes(cinfo, id, kIdSize)) return FALSE;
    left -= kIdSize;
    if (!ExifOrientation::isExif(id, kIdSize)) {
        skipBytes(cinfo, left);
        return TRUE;
    }

    // At most 65533 bytes (the 16-bit segment length), from the image pool,
    // which the library empties when the decompression ends.
    auto* payload = static_cast<std::uint8_t*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, kIdSize + left));
    std::memcpy(payload, id, kIdSize);
    if (!readBytes(cinfo, payload + kIdSize, left)) return FALSE;
    self->seenExif_ = true;
    self->orientation_ = ExifOrientation::fromApp1(payload, kIdSize + left);
    return TRUE;
}

}  // namespace s::image::jpg::win
