// s::image::png::win::PngErrorHandler -- the PNG library's error and
// warning functions for one read or write.
//
// The library's defaults print on stderr (and without a jump buffer would
// abort). These keep the message instead and, for an error, long-jump to
// the png_jmpbuf the caller armed, which then destroys the library state.
// Nothing reaches stderr; the last message stays readable for the caller.
#pragma once

#include <png.h>

namespace s::image::png::win {

class PngErrorHandler {
public:
    // Handed to png_create_read_struct/write_struct with this object as
    // the error pointer.
    [[noreturn]] static void onError(png_structp png, png_const_charp message);
    static void onWarning(png_structp png, png_const_charp message);

    // The last error or warning ("" when none).
    const char* lastMessage() const { return message_; }

private:
    static PngErrorHandler* from(png_structp png);
    void keep(png_const_charp text);

    char message_[256] = {};
};

}  // namespace s::image::png::win
