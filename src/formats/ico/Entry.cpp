#include "formats/ico/Entry.h"

namespace s::archive::icon {

namespace {

std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

void Entry::reset() {
    width = height = colourCount = reserved = 0;
    planes = bitCount = 0;
    bytesInRes = imageOffset = 0;
    std::vector<std::uint8_t>().swap(block);
    loaded = false;
    position = 0;
}

void Entry::parse(const std::uint8_t* bytes) {
    width = bytes[0];
    height = bytes[1];
    colourCount = bytes[2];
    reserved = bytes[3];
    planes = u16(bytes + 4);
    bitCount = u16(bytes + 6);
    bytesInRes = u32(bytes + 8);
    imageOffset = u32(bytes + 12);
}

void Entry::serialize(std::uint8_t* bytes) const {
    bytes[0] = width;
    bytes[1] = height;
    bytes[2] = colourCount;
    bytes[3] = reserved;
    put16(bytes + 4, planes);
    put16(bytes + 6, bitCount);
    put32(bytes + 8, bytesInRes);
    put32(bytes + 12, imageOffset);
}

}  // namespace s::archive::icon
