// s::image::jpg::win::JpegErrorManager -- the JPEG library's error handler
// for one compression or decompression.
//
// The library's own handler ends the process on a fatal error and prints
// warnings on stderr. This one never does either: a fatal error long-jumps
// back to the function that armed jumpBuffer (which then destroys the library
// state), and every message -- fatal or not -- is only formatted and kept, so
// a caller may show the last one. Nothing reaches stderr.
//
// The object lives on the stack of the function that calls into the library;
// it is a plain C layout (the library's jpeg_error_mgr first) because the
// library only ever sees a pointer to that first member.
#pragma once

#include <csetjmp>
#include <cstddef>

#include "formats/jpeg/LibJpeg.h"

namespace s::image::jpg::win {

class JpegErrorManager {
public:
    // Installs this manager into a compress or decompress object (call
    // before jpeg_create_*). Clears the kept message.
    jpeg_error_mgr* install();

    // The last message the library produced (empty when none).
    const char* lastMessage() const { return message_; }

    // Ends the running library call with a message of our own: formats it
    // as the kept message and jumps like a fatal library error.
    [[noreturn]] static void fail(j_common_ptr cinfo, const char* message);

    // Where a fatal error jumps to; armed with setjmp by the caller.
    std::jmp_buf& jumpBuffer() { return jump_; }

private:
    static JpegErrorManager* from(j_common_ptr cinfo);
    [[noreturn]] static void onErrorExit(j_common_ptr cinfo);
    static void onOutputMessage(j_common_ptr cinfo);
    void keep(const char* text);

    // Must stay the first member: the library's pointer to it is cast back.
    jpeg_error_mgr library_;
    char message_[JMSG_LENGTH_MAX];
    std::jmp_buf jump_;
};

}  // namespace s::image::jpg::win
