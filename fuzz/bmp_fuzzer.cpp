// Fuzz target: the BMP reader, decoder and writer.
#include "FuzzSupport.h"
#include "formats/bmp/Bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return s::fuzz::fuzzCodec<s::image::bmp::win::Bitmap>(data, size);
}
