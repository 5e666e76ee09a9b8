// s::image::png::win::PngColourChunks -- the PNG chunks that say what the
// pixel values mean (iCCP, sRGB, gAMA, cHRM), taken from a file as they are
// and written back unchanged into every PNG made from it.
//
// Reading: the library is told to store exactly these four chunk types raw,
// unparsed; every other ancillary chunk stays discarded unread. collect()
// then keeps what describes our RGBA picture:
// - iCCP: the first one before PLTE with a name of 1..79 bytes, compression
//   method 0 and a profile that inflates completely within
//   ColourProfile::kMaxIccBytes to an RGB profile (ColourProfile::
//   isCarriedRgbIcc), in a colour (not grey) file. A grey profile, or any
//   damaged one, is dropped: we always write RGBA.
// - sRGB: the first one before PLTE with a valid rendering intent.
// - gAMA and cHRM (well-formed, first of each): only when neither an iCCP
//   nor an sRGB chunk is carried, where they are the file's whole
//   description.
// Writing puts the kept chunks, in the order read, right after IHDR.
//
// collect() and inflate() never throw; a shortage of memory drops the
// description, never the picture.
#pragma once

#include <png.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "image/ColourProfile.h"

namespace s::image::png::win {

class PngColourChunks {
public:
    // Makes the reader store the four colour chunk types raw; called after
    // the setting that discards every ancillary chunk.
    static void keepOnReading(png_structp png);
    // The kept chunks of a file whose info has been read, or null; the
    // library's copies are freed.
    static std::shared_ptr<const s::image::ColourProfile> collect(png_structp png,
                                                                  png_infop info) noexcept;
    // Writes the profile's chunks; call after png_write_info_before_PLTE.
    static void write(png_structp png, const s::image::ColourProfile& profile);

    // The zlib stream fully inflated into out, at most limit bytes; false
    // when it is damaged, incomplete or longer.
    static bool inflate(const std::uint8_t* data, std::size_t size, std::size_t limit,
                        std::vector<std::uint8_t>& out) noexcept;

private:
    // The ICC profile of an iCCP body, or false when the body is damaged or
    // the profile is not one we carry.
    static bool iccOf(const std::uint8_t* body, std::size_t size, std::vector<std::uint8_t>& icc);
    static bool isWellFormed(const png_unknown_chunk& chunk, bool colour);
};

}  // namespace s::image::png::win
