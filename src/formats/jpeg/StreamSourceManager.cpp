#include "formats/jpeg/StreamSourceManager.h"

#include <new>
#include <type_traits>

#include "formats/jpeg/LibJpeg.h"

namespace s::image::jpg::win {

static_assert(std::is_standard_layout_v<StreamSourceManager>,
              "the library's source pointer is cast back to the manager");
static_assert(std::is_trivially_destructible_v<StreamSourceManager>,
              "the manager lives in the library's pool and is never destroyed");

void StreamSourceManager::install(j_decompress_ptr cinfo, s::io::IInputStream& stream) {
    j_common_ptr common = reinterpret_cast<j_common_ptr>(cinfo);
    void* memory = (*cinfo->mem->alloc_small)(common, JPOOL_PERMANENT, sizeof(StreamSourceManager));
    auto* self = new (memory) StreamSourceManager();
    self->buffer_ =
        static_cast<JOCTET*>((*cinfo->mem->alloc_small)(common, JPOOL_PERMANENT, kBufferSize));
    self->stream_ = &stream;
    self->startOfFile_ = true;
    self->library_.init_source = &StreamSourceManager::onInitSource;
    self->library_.fill_input_buffer = &StreamSourceManager::onFillInputBuffer;
    self->library_.skip_input_data = &StreamSourceManager::onSkipInputData;
    self->library_.resync_to_restart = &jpeg_resync_to_restart;
    self->library_.term_source = &StreamSourceManager::onTermSource;
    self->library_.bytes_in_buffer = 0;
    self->library_.next_input_byte = nullptr;
    cinfo->src = &self->library_;
}

StreamSourceManager* StreamSourceManager::from(j_decompress_ptr cinfo) {
    return reinterpret_cast<StreamSourceManager*>(cinfo->src);
}

std::size_t StreamSourceManager::readSome() {
    // A stream reports false (with no bytes) at the end of its data.
    std::size_t count = 0;
    return stream_->read(buffer_, kBufferSize, count) && count <= kBufferSize ? count : 0;
}

void StreamSourceManager::onInitSource(j_decompress_ptr cinfo) {
    from(cinfo)->startOfFile_ = true;
}

boolean StreamSourceManager::onFillInputBuffer(j_decompress_ptr cinfo) {
    StreamSourceManager* self = from(cinfo);
    std::size_t count = self->readSome();
    if (count == 0) {
        if (self->startOfFile_) ERREXIT(cinfo, JERR_INPUT_EMPTY);
        // Premature end: a fake end-of-image marker lets the library finish
        // the picture; it keeps asking for data only to find more markers.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        self->buffer_[0] = 0xFF;
        self->buffer_[1] = JPEG_EOI;
        count = 2;
    }
    self->library_.next_input_byte = self->buffer_;
    self->library_.bytes_in_buffer = count;
    self->startOfFile_ = false;
    return TRUE;
}

void StreamSourceManager::onSkipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    StreamSourceManager* self = from(cinfo);
    std::size_t left = static_cast<std::size_t>(count);
    while (left > self->library_.bytes_in_buffer) {
        left -= self->library_.bytes_in_buffer;
        // Never suspends: it either refills or raises a library error.
        onFillInputBuffer(cinfo);
    }
    self->library_.next_input_byte += left;
    self->library_.bytes_in_buffer -= left;
}

void StreamSourceManager::onTermSource(j_decompress_ptr) {}

}  // namespace s::image::jpg::win
