// A small PNG decoder written straight from the PNG format document (the W3C recommendation), used as
// the oracle for the codec's decoding: it shares no code with the library
// the codec uses. It handles every colour type, bit depth and Adam7, for
// valid files only (no CRC or error checks), and delivers what the codec
// promises: 8 bits per channel (16-bit samples keep their high byte, grey
// levels below 8 bits scaled to 0..255), palette and grey expanded to RGB,
// tRNS turned into alpha, alpha 255 where the file has none.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvex::test {

struct ReferenceImage {
    std::int32_t width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, top row first
    std::string error;                  // non-empty when decoding failed
};

ReferenceImage decodeReferencePng(const std::vector<std::uint8_t>& file);

}  // namespace tarvex::test
