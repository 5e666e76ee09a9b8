// s::image::SinglePictureCodec -- what the codecs whose files hold exactly
// one picture, decoded and encoded by an outside library (JPEG, PNG), have
// in common: the picture held as a pooled pixel image, decoding it into a
// copy or handing it over as a set of one member, reading and writing through the format's
// decoder and encoder with every exception stopped here, and the library's
// last message kept for a caller that wants to show it.
//
// A subclass supplies the format's decoder and encoder, the depth tag of its
// pictures and what the alpha bytes of a decoded copy mean.
#pragma once

#include <exception>
#include <string>

#include "formats/IEncodedImage.h"

namespace s::image {

class SinglePictureCodec : public IEncodedImage {
public:
    std::int32_t getWidth() const override { return pixels_ ? pixels_->getWidth() : 0; }
    std::int32_t getHeight() const override { return pixels_ ? pixels_->getHeight() : 0; }
    bool isValid() const override { return pixels_ != nullptr; }

    // A copy of the picture in target (or a new image handed over through
    // created), its alpha settled by the format; null without a picture or memory.
    s::image::win::BufferedImage* decode(
        std::int32_t, s::image::win::BufferedImage* target,
        s::thread::Pooled<s::image::win::BufferedImage>& created) override {
        if (!pixels_) return nullptr;
        s::thread::Pooled<s::image::win::BufferedImage> fresh;
        s::image::win::BufferedImage* out = target;
        if (!out) {
            fresh = s::image::win::BufferedImage::take();
            out = fresh.get();
        }
        if (!out || !pixels_->copyInto(*out)) return nullptr;
        settleDecodedAlpha(*out);
        if (fresh) created = std::move(fresh);
        return out;
    }

    // One member tagged with the format's depth, or an empty set. The held
    // picture itself becomes the member, its alpha settled by the format: a
    // photo is not copied on its way to the job, so the codec is empty
    // afterwards (isValid() false, a second decodeAll gives an empty set).
    s::thread::Pooled<s::image::win::BufferedImageSet> decodeAll() override {
        s::thread::Pooled<s::image::win::BufferedImageSet> set =
            s::image::win::BufferedImageSet::take();
        if (!set || !pixels_) return set;
        settleDecodedAlpha(*pixels_);
        set->add(std::move(pixels_), depthTag_, 0, 0);
        return set;
    }

    bool readFrom(s::io::IInputStream& stream) override {
        pixels_.reset();
        message_.clear();
        try {
            pixels_ = decodePicture(stream, message_);
        } catch (const std::exception& e) {
            // Only memory can run out on our side of the library boundary.
            pixels_.reset();
            message_ = e.what();
        }
        return pixels_ != nullptr;
    }

    bool writeTo(s::io::IOutputStream& stream) override {
        if (!pixels_) return false;
        try {
            return encodePicture(*pixels_, stream, message_);
        } catch (const std::exception& e) {
            message_ = e.what();
            return false;
        }
    }

    // The largest member with the format's default encode settings.
    s::thread::Pooled<IEncodedImage> encodeSet(s::image::win::BufferedImageSet& set) override {
        s::image::win::BufferedImage* largest = set.getLargest();
        return largest ? encodeImage(*largest) : nullptr;
    }

    // The held picture, or null.
    const s::image::win::BufferedImage* getPicture() const { return pixels_.get(); }
    // The library's last message of the last readFrom or writeTo ("" if none).
    const std::string& getLastMessage() const { return message_; }

protected:
    explicit SinglePictureCodec(std::int32_t depthTag) : depthTag_(depthTag) {}

    // The format's decoder and encoder; they report failure by result and
    // leave the library's message in `message`.
    virtual s::thread::Pooled<s::image::win::BufferedImage> decodePicture(
        s::io::IInputStream& stream, std::string& message) = 0;
    virtual bool encodePicture(const s::image::win::BufferedImage& picture,
                               s::io::IOutputStream& stream, std::string& message) = 0;
    // Sets what the alpha bytes of a freshly decoded copy mean.
    virtual void settleDecodedAlpha(s::image::win::BufferedImage& image) const = 0;

    // The image composited onto an opaque background of (red, green, blue),
    // or null when memory cannot be had. The image is not changed.
    static s::thread::Pooled<s::image::win::BufferedImage> onBackground(
        s::image::win::BufferedImage& image, std::uint8_t red, std::uint8_t green,
        std::uint8_t blue) {
        s::thread::Pooled<s::image::win::BufferedImage> picture =
            s::image::win::BufferedImage::createImage(image.getWidth(), image.getHeight());
        if (picture) {
            picture->fill(255, red, green, blue);
            picture->drawImage(0, 0, image.getWidth(), image.getHeight(), image, 0, 0, false);
        }
        return picture;
    }

    void clearPicture() {
        pixels_.reset();
        message_.clear();
    }

    s::thread::Pooled<s::image::win::BufferedImage> pixels_;
    std::string message_;

private:
    std::int32_t depthTag_;
};

}  // namespace s::image
