// Fuzz target: the PNG reader, decoder and writer.
#include "FuzzSupport.h"
#include "formats/png/Png.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return s::fuzz::fuzzCodec<s::image::png::win::Png>(data, size);
}
