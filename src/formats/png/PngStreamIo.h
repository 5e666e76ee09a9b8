// s::image::png::win::PngStreamIo -- the PNG library's read, write and
// flush functions over s::io streams (the library's I/O pointer is the
// stream).
//
// A short read, a refused write or a failed flush is a library error
// (png_error), which ends the running read or write on its failure path.
#pragma once

#include <png.h>

#include <cstddef>

namespace s::image::png::win {

class PngStreamIo {
public:
    static void onRead(png_structp png, png_bytep data, std::size_t length);
    static void onWrite(png_structp png, png_bytep data, std::size_t length);
    static void onFlush(png_structp png);
};

}  // namespace s::image::png::win
