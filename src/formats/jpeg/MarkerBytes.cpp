#include "formats/jpeg/MarkerBytes.h"

#include <cstring>

namespace s::image::jpg::win {

bool MarkerBytes::read(j_decompress_ptr cinfo, std::uint8_t* out, std::size_t count) {
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

void MarkerBytes::skip(j_decompress_ptr cinfo, std::size_t count) {
    if (count > 0) (*cinfo->src->skip_input_data)(cinfo, static_cast<long>(count));
}

bool MarkerBytes::readLength(j_decompress_ptr cinfo, std::size_t& left) {
    std::uint8_t bytes[2];
    if (!read(cinfo, bytes, 2)) return false;
    // The length counts its own two bytes.
    const std::size_t length = std::size_t{bytes[0]} << 8 | bytes[1];
    left = length > 2 ? length - 2 : 0;
    return true;
}

}  // namespace s::image::jpg::win
