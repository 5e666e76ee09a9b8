#include "formats/png/PngStreamIo.h"

#include "foundation/IInputStream.h"
#include "foundation/IOutputStream.h"

namespace s::image::png::win {

namespace {

// Loops over short reads; a call that delivers nothing ends the data.
bool readExact(s::io::IInputStream& stream, png_bytep data, std::size_t length) {
    while (length > 0) {
        std::size_t count = 0;
        if (!stream.read(data, length, count) || count == 0 || count > length) return false;
        data += count;
        length -= count;
    }
    return true;
}

// Loops over short writes; a call that accepts nothing is a failure.
bool writeAll(s::io::IOutputStream& stream, png_const_bytep data, std::size_t length) {
    while (length > 0) {
        std::size_t count = 0;
        if (!stream.write(data, length, count) || count == 0 || count > length) return false;
        data += count;
        length -= count;
    }
    return true;
}

}  // namespace

void PngStreamIo::onRead(png_structp png, png_bytep data, std::size_t length) {
    auto* stream = static_cast<s::io::IInputStream*>(png_get_io_ptr(png));
    if (!readExact(*stream, data, length)) png_error(png, "Unexpected end of PNG data");
}

void PngStreamIo::onWrite(png_structp png, png_bytep data, std::size_t length) {
    auto* stream = static_cast<s::io::IOutputStream*>(png_get_io_ptr(png));
    if (!writeAll(*stream, data, length)) png_error(png, "Cannot write PNG data");
}

void PngStreamIo::onFlush(png_structp png) {
    auto* stream = static_cast<s::io::IOutputStream*>(png_get_io_ptr(png));
    if (!stream->flush()) png_error(png, "Cannot flush PNG data");
}

}  // namespace s::image::png::win
