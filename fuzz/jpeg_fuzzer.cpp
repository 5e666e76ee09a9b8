// Fuzz target: the JPEG reader, decoder and writer.
#include "FuzzSupport.h"
#include "formats/jpeg/Jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return s::fuzz::fuzzCodec<s::image::jpg::win::Jpeg>(data, size);
}
