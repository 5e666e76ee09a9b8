#include "formats/jpeg/JpegErrorManager.h"

#include <cstring>
#include <type_traits>

namespace s::image::jpg::win {

static_assert(std::is_standard_layout_v<JpegErrorManager>,
              "the library's error pointer is cast back to the manager");

jpeg_error_mgr* JpegErrorManager::install() {
    jpeg_std_error(&library_);
    library_.error_exit = &JpegErrorManager::onErrorExit;
    library_.output_message = &JpegErrorManager::onOutputMessage;
    message_[0] = '\0';
    return &library_;
}

JpegErrorManager* JpegErrorManager::from(j_common_ptr cinfo) {
    // library_ is the first member of a standard-layout class, so the
    // library's pointer to it is also a pointer to the whole manager.
    return reinterpret_cast<JpegErrorManager*>(cinfo->err);
}

void JpegErrorManager::keep(const char* text) {
    const std::size_t length = strnlen(text, sizeof(message_) - 1);
    std::memcpy(message_, text, length);
    message_[length] = '\0';
}

void JpegErrorManager::onErrorExit(j_common_ptr cinfo) {
    JpegErrorManager* self = from(cinfo);
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    self->keep(text);
    std::longjmp(self->jump_, 1);
}

void JpegErrorManager::onOutputMessage(j_common_ptr cinfo) {
    // Warnings (a premature end of data, corrupt entropy data) do not stop
    // decoding; they are kept for the caller instead of being printed.
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    from(cinfo)->keep(text);
}

void JpegErrorManager::fail(j_common_ptr cinfo, const char* message) {
    JpegErrorManager* self = from(cinfo);
    self->keep(message);
    std::longjmp(self->jump_, 1);
}

}  // namespace s::image::jpg::win
