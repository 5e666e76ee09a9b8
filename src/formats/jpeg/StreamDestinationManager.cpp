#include "formats/jpeg/StreamDestinationManager.h"

#include <new>
#include <type_traits>

#include "formats/jpeg/LibJpeg.h"

namespace s::image::jpg::win {

static_assert(std::is_standard_layout_v<StreamDestinationManager>,
              "the library's destination pointer is cast back to the manager");
static_assert(std::is_trivially_destructible_v<StreamDestinationManager>,
              "the manager lives in the library's pool and is never destroyed");

void StreamDestinationManager::install(j_compress_ptr cinfo, s::io::IOutputStream& stream) {
    j_common_ptr common = reinterpret_cast<j_common_ptr>(cinfo);
    void* memory =
        (*cinfo->mem->alloc_small)(common, JPOOL_PERMANENT, sizeof(StreamDestinationManager));
    auto* self = new (memory) StreamDestinationManager();
    self->stream_ = &stream;
    self->buffer_ = nullptr;
    self->library_.init_destination = &StreamDestinationManager::onInitDestination;
    self->library_.empty_output_buffer = &StreamDestinationManager::onEmptyOutputBuffer;
    self->library_.term_destination = &StreamDestinationManager::onTermDestination;
    self->library_.next_output_byte = nullptr;
    self->library_.free_in_buffer = 0;
    cinfo->dest = &self->library_;
}

StreamDestinationManager* StreamDestinationManager::from(j_compress_ptr cinfo) {
    return reinterpret_cast<StreamDestinationManager*>(cinfo->dest);
}

void StreamDestinationManager::onInitDestination(j_compress_ptr cinfo) {
    StreamDestinationManager* self = from(cinfo);
    // The image pool is emptied after every compression; the buffer is
    // taken anew for each one.
    self->buffer_ = static_cast<JOCTET*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, kBufferSize));
    self->library_.next_output_byte = self->buffer_;
    self->library_.free_in_buffer = kBufferSize;
}

void StreamDestinationManager::writeOrFail(j_compress_ptr cinfo, std::size_t count) {
    StreamDestinationManager* self = from(cinfo);
    const JOCTET* at = self->buffer_;
    while (count > 0) {
        std::size_t written = 0;
        // A stream that accepts nothing would otherwise be asked forever.
        if (!self->stream_->write(at, count, written) || written == 0 || written > count) {
            ERREXIT(cinfo, JERR_FILE_WRITE);
        }
        at += written;
        count -= written;
    }
}

boolean StreamDestinationManager::onEmptyOutputBuffer(j_compress_ptr cinfo) {
    // The library calls this only with the whole buffer full.
    writeOrFail(cinfo, kBufferSize);
    StreamDestinationManager* self = from(cinfo);
    self->library_.next_output_byte = self->buffer_;
    self->library_.free_in_buffer = kBufferSize;
    return TRUE;
}

void StreamDestinationManager::onTermDestination(j_compress_ptr cinfo) {
    StreamDestinationManager* self = from(cinfo);
    writeOrFail(cinfo, kBufferSize - self->library_.free_in_buffer);
}

}  // namespace s::image::jpg::win
