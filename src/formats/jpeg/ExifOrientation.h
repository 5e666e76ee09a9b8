// s::image::jpg::win::ExifOrientation -- reads the Orientation tag (0x0112)
// from an EXIF APP1 payload.
//
// Cameras and phones store the picture as the sensor saw it and record in
// EXIF how it must be turned to stand upright. The payload is untrusted:
// every offset is checked against its size, and anything missing, damaged or
// out of the range 1..8 reads as 1 (already upright).
#pragma once

#include <cstddef>
#include <cstdint>

namespace s::image::jpg::win {

class ExifOrientation {
public:
    static constexpr int kUpright = 1;

    // True when the APP1 payload starts with the EXIF identifier "Exif\0\0".
    static bool isExif(const std::uint8_t* payload, std::size_t size);
    // The orientation 1..8 of an APP1 payload ("Exif\0\0" then a TIFF
    // header and IFD0); kUpright when absent or unreadable.
    static int fromApp1(const std::uint8_t* payload, std::size_t size);

private:
    // Byte order of the TIFF block: true for "MM" (big-endian).
    struct TiffView {
        const std::uint8_t* data;
        std::size_t size;
        bool bigEndian;
        bool read16(std::size_t at, std::uint16_t& out) const;
        bool read32(std::size_t at, std::uint32_t& out) const;
    };
    static int fromTiff(const TiffView& tiff);
};

}  // namespace s::image::jpg::win
