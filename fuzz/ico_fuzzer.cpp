// Fuzz target: the icon reader (BMP and PNG entries), decoder and writer.
#include "FuzzSupport.h"
#include "formats/ico/Icon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return s::fuzz::fuzzCodec<s::image::ico::win::Icon>(data, size);
}
