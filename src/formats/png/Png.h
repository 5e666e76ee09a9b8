// s::image::png::win::Png -- the PNG codec: reads PNG files of every colour
// type and bit depth and writes pixel images as 8-bit RGBA PNG files.
//
// The object holds one 32-bit picture with the alpha bytes exactly as the
// file gave them. decode() settles what the alpha means: an alpha channel
// with some byte below 255 makes a transparent image; one whose bytes are
// all 0 (a file that does not use its alpha) or all 255 an opaque one.
// fromImage fills the picture from a pixel image; writeTo writes it as
// colour type 6, Adam7-interlaced when the interlace flag is set (as
// encodeImage sets it). writeTo may run any number of times; it gives the
// same bytes each time and never changes the picture. The file's colour
// chunks (iCCP with an RGB profile, sRGB; gAMA and cHRM when neither is
// there, see PngColourChunks) travel to the set decodeAll makes and from
// the set to the output encodeSet makes, which writeTo writes with them.
//
// Failures are results: readFrom and writeTo report false, the library state
// is destroyed, the process goes on and nothing is printed; the library's
// last message is kept (getLastMessage). Pooled: take() one, let the handle
// release it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "formats/SinglePictureCodec.h"
#include "image/BufferedImageSet.h"
#include "image/ColourProfile.h"

namespace s::image::png::win {

class Png final : public s::image::SinglePictureCodec {
    TARVEX_POOLED(Png, "s_image_png_win_Png")
public:
    static constexpr std::int32_t kDepthTag = 32;

    Png() : SinglePictureCodec(kDepthTag) {}
    ~Png() override = default;
    Png(const Png&) = delete;
    Png& operator=(const Png&) = delete;

    // Empty picture, not interlaced, no colour chunks.
    void reset() override;

    const char* getExtension() const override { return ".png"; }

    // The image (its filtered result when it has filters), keeping its
    // transparency, interlaced; encodeSet encodes the set's largest member so.
    s::thread::Pooled<IEncodedImage> encodeImage(s::image::win::BufferedImage& image) override;
    // The largest member as encodeImage does, carrying the set's colour chunks.
    s::thread::Pooled<IEncodedImage> encodeSet(s::image::win::BufferedImageSet& set) override;
    // The held picture as a set of one, carrying the file's colour chunks.
    s::thread::Pooled<s::image::win::BufferedImageSet> decodeAll() override;

    // The colour chunks writeTo writes (null: none); read from the file by readFrom.
    const std::shared_ptr<const s::image::ColourProfile>& getColourProfile() const {
        return profile_;
    }
    void setColourProfile(std::shared_ptr<const s::image::ColourProfile> profile) {
        profile_ = std::move(profile);
    }

    // A picture of w x h, all zero; false (object emptied) when it cannot be had.
    bool create(std::int32_t width, std::int32_t height);
    void setInterlace(bool interlace) { interlace_ = interlace; }
    bool getInterlace() const { return interlace_; }
    // Takes the image's pixels. With hasAlpha and keepTransparency the alpha
    // bytes are kept; with hasAlpha alone the image is composited onto an
    // opaque background of (red, green, blue); without hasAlpha every alpha
    // byte is written as 255, whatever the image holds there. The image is
    // not changed. False (object emptied) when memory cannot be had.
    bool fromImage(s::image::win::BufferedImage& image, bool interlace, bool keepTransparency,
                   std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    // getPicture() holds the alpha bytes as read; decode() settles their meaning.

private:
    s::thread::Pooled<s::image::win::BufferedImage> decodePicture(s::io::IInputStream& stream,
                                                                  std::string& message) override;
    bool encodePicture(const s::image::win::BufferedImage& picture, s::io::IOutputStream& stream,
                       std::string& message) override;
    void settleDecodedAlpha(s::image::win::BufferedImage& image) const override;

    bool interlace_ = false;
    std::shared_ptr<const s::image::ColourProfile> profile_;
};

}  // namespace s::image::png::win
