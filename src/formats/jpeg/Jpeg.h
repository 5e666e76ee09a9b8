// s::image::jpg::win::Jpeg -- the JPEG codec: reads JPEG (JFIF/EXIF/Adobe)
// files into a pixel image and writes pixel images as baseline JFIF files.
//
// The object holds one opaque picture (32-bit, alpha bytes 255, hasAlpha
// false). readFrom decodes a stream into it, upright by the file's EXIF
// orientation, so every size the job sees is that of the upright picture,
// and keeps the file's ICC profile when it describes RGB colours; nothing
// else of EXIF and no comment is kept. decodeAll hands the profile to the
// set and encodeSet gives it to the output, which writeTo writes with the
// picture (pixels and encoding unchanged by it). fromImage
// fills it from a pixel image (transparency composited onto a background),
// and writeTo encodes it at the object's quality (75 by default): baseline,
// 4:2:0, standard tables. writeTo may run any number of times; it gives the
// same bytes each time and never changes the picture.
//
// Failures are results: readFrom and writeTo report false, the library state
// is destroyed, the process goes on and nothing is printed; the library's
// last message is kept (getLastMessage) for a caller that wants to show it.
// Pooled: take() one, let the handle release it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "formats/SinglePictureCodec.h"
#include "image/BufferedImageSet.h"
#include "image/ColourProfile.h"

namespace s::image::jpg::win {

class Jpeg final : public s::image::SinglePictureCodec {
    TARVEX_POOLED(Jpeg, "s_image_jpg_win_Jpeg")
public:
    static constexpr int kDefaultQuality = 75;
    static constexpr std::int32_t kDepthTag = 24;

    Jpeg() : SinglePictureCodec(kDepthTag) {}
    ~Jpeg() override = default;
    Jpeg(const Jpeg&) = delete;
    Jpeg& operator=(const Jpeg&) = delete;

    // Empty picture, quality 75, no profile.
    void reset() override;

    const char* getExtension() const override { return ".jpg"; }

    // The image (its filtered result when it has filters) at quality 75 on
    // a white background; encodeSet encodes the set's largest member so.
    s::thread::Pooled<IEncodedImage> encodeImage(s::image::win::BufferedImage& image) override;
    // The largest member as encodeImage does, carrying the set's colour profile.
    s::thread::Pooled<IEncodedImage> encodeSet(s::image::win::BufferedImageSet& set) override;
    // The held picture as a set of one, carrying the file's colour profile.
    s::thread::Pooled<s::image::win::BufferedImageSet> decodeAll() override;

    // The ICC profile writeTo embeds (null: none). Read from the file by
    // readFrom; only profiles ColourProfile::isCarriedRgbIcc accepts are
    // written.
    const std::shared_ptr<const s::image::ColourProfile>& getColourProfile() const {
        return profile_;
    }
    void setColourProfile(std::shared_ptr<const s::image::ColourProfile> profile) {
        profile_ = std::move(profile);
    }

    // A black picture of w x h; false (object emptied) when it cannot be had.
    bool create(std::int32_t width, std::int32_t height);
    void setQuality(int quality) { quality_ = quality; }
    int getQuality() const { return quality_; }
    // Takes the image's colours; with hasAlpha the image is first composited
    // onto an opaque background of (red, green, blue). The image is not
    // changed. False (object emptied) when memory cannot be had.
    bool fromImage(s::image::win::BufferedImage& image, int quality, std::uint8_t red,
                   std::uint8_t green, std::uint8_t blue);

private:
    s::thread::Pooled<s::image::win::BufferedImage> decodePicture(s::io::IInputStream& stream,
                                                                  std::string& message) override;
    bool encodePicture(const s::image::win::BufferedImage& picture, s::io::IOutputStream& stream,
                       std::string& message) override;
    // Decoded JPEG pictures are opaque.
    void settleDecodedAlpha(s::image::win::BufferedImage& image) const override {
        image.setAlpha(false);
    }

    int quality_ = kDefaultQuality;
    std::shared_ptr<const s::image::ColourProfile> profile_;
};

}  // namespace s::image::jpg::win
