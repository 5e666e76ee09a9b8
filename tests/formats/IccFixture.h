// ICC profiles for the codec tests: the real sRGB2014 profile of the test
// data, and made-up ones of any size and colour space (a valid header with
// the "acsp" signature, then filler that differs from profile to profile).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace tarvex::test {

inline std::vector<std::uint8_t> srgb2014Profile() {
    std::ifstream in(std::filesystem::path(TARVEX_TEST_DATA) / "profiles" / "sRGB2014.icc",
                     std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

// A profile of `size` bytes (at least 132) whose data colour space is
// `space` ("RGB ", "GRAY", "CMYK").
inline std::vector<std::uint8_t> madeUpProfile(const char* space, std::size_t size,
                                               std::uint32_t seed = 1) {
    std::vector<std::uint8_t> p(size, 0);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(size >> (24 - 8 * i));
    const auto put = [&p](std::size_t at, const char* text) {
        for (int i = 0; i < 4; ++i) p[at + i] = static_cast<std::uint8_t>(text[i]);
    };
    put(4, "none");
    p[8] = 2;  // version 2.1
    p[9] = 0x10;
    put(12, "mntr");
    put(16, space);
    put(20, "XYZ ");
    put(36, "acsp");
    // The D50 illuminant every profile's connection space is defined for.
    const std::uint8_t d50[12] = {0, 0, 0xF6, 0xD6, 0, 1, 0, 0, 0, 0, 0xD3, 0x2D};
    for (int i = 0; i < 12; ++i) p[68 + i] = d50[i];
    // No tags; the rest is filler, so that profiles differ in every part.
    for (std::size_t i = 132; i < size; ++i) {
        seed = seed * 1664525u + 1013904223u;
        p[i] = static_cast<std::uint8_t>(seed >> 24);
    }
    return p;
}

}  // namespace tarvex::test
