// s::image::ColourProfile -- what a source file said about the meaning of its
// colours, carried from the decoded picture to every output written from it.
//
// Phones and cameras tag photos with an ICC profile (Display P3, Adobe RGB);
// an output without it is shown with duller, shifted colours by a colour-
// managed viewer even though its pixels are right. The profile travels with
// the image set (BufferedImageSet::getColourProfile) and the codec that
// writes the output puts it back into its own format.
//
// Two forms, one per format family that carries them:
// - icc: a whole ICC profile (the JPEG reader reassembles it from its APP2
//   markers; the JPEG writer splits it again).
// - pngChunks: PNG colour chunks (iCCP, sRGB, gAMA, cHRM) with their bodies
//   exactly as read, written back unchanged before the image data.
// Only descriptions of RGB data are kept: our outputs are RGB(A) whatever
// the source was, so a CMYK or grey profile would describe them wrongly.
//
// Immutable once built and shared by every output of a file:
//     auto profile = std::make_shared<const ColourProfile>(std::move(built));
//     set.setColourProfile(profile);
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace s::image {

class ColourProfile {
public:
    // Largest ICC profile carried; real ones are a few KiB (a profile with
    // large lookup tables some hundred KiB).
    static constexpr std::size_t kMaxIccBytes = std::size_t{1} << 20;
    // The fixed ICC header that precedes the tag table.
    static constexpr std::size_t kIccHeaderBytes = 128;

    struct PngChunk {
        std::array<char, 4> type{};
        std::vector<std::uint8_t> body;
    };

    std::vector<std::uint8_t> icc;
    std::vector<PngChunk> pngChunks;

    bool empty() const { return icc.empty() && pngChunks.empty(); }

    // True when the bytes are a whole ICC profile this system carries: a
    // header with the "acsp" signature, a declared size (first 4 bytes,
    // big-endian) equal to the byte count, at most kMaxIccBytes, and the
    // data colour space "RGB " (header offset 16).
    static bool isCarriedRgbIcc(const std::uint8_t* data, std::size_t size);
    // The data colour space of an ICC profile ("RGB ", "GRAY", "CMYK", ...),
    // or "" when the bytes are too short to hold a header.
    static std::string iccColourSpace(const std::uint8_t* data, std::size_t size);
};

}  // namespace s::image
