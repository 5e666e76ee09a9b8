// Fuzz target: the GIF reader, frame decoder and writer.
#include "FuzzSupport.h"
#include "formats/gif/Gif.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return s::fuzz::fuzzCodec<s::image::gif::win::Gif>(data, size);
}
