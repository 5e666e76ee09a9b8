// s::image::ico::win::IconImage -- one image of an icon: a header-less
// bitmap (colour pixels at 1, 4, 8, 16, 24 or 32 bits plus a 1-bit AND
// mask) or, in the file, a PNG stream. PNG blocks are held as 32-bit
// bitmaps once read.
//
// Reading (readFrom) takes the whole remaining stream as the image block and
// refuses, leaving the image empty, anything that is neither a plausible PNG
// stream nor a complete header-less bitmap (see BitmapBlock and PngBlock);
// nothing is read or written outside a buffer.
//
// Decoding: 32-bit images take their alpha bytes as stored (all zero means
// fully transparent) and ignore the mask; other depths are transparent
// exactly where the mask bit is set.
//
// Encoding (fromImage) writes the real pixels at every icon depth: 32 bits
// with alpha, 24 bits as blue-green-red, 16 bits as 5-5-5, and 8, 4 and 1
// bits through the colour quantizer (see IconPalette), each with the mask
// set for the pixels that are transparent. Writing (writeTo) gives the
// header-less bitmap, or a PNG stream for images wider or taller than 255.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/IEncodedImage.h"
#include "formats/bmp/Bitmap.h"
#include "formats/ico/IconMask.h"
#include "foundation/EasyPooler.h"

namespace s::image::ico::win {

class IconImage final : public s::image::IEncodedImage {
    TARVEX_POOLED(IconImage, "s_image_ico_win_IconImage")
public:
    IconImage() = default;
    ~IconImage() override = default;
    IconImage(const IconImage&) = delete;
    IconImage& operator=(const IconImage&) = delete;

    void reset() override;

    std::int32_t getWidth() const override { return getInfoHeader().width; }
    std::int32_t getHeight() const override { return getInfoHeader().height; }
    const char* getExtension() const override { return ".ico"; }

    // The index is ignored: an icon image holds one picture.
    s::image::win::BufferedImage* decode(
        std::int32_t index, s::image::win::BufferedImage* target,
        s::thread::Pooled<s::image::win::BufferedImage>& created) override;
    // A set holding the decoded image, depth tag = bit count, values 0, 0.
    s::thread::Pooled<s::image::win::BufferedImageSet> decodeAll() override;

    // Serialises the image into its block and writes the block.
    bool writeTo(s::io::IOutputStream& stream) override;
    bool readFrom(s::io::IInputStream& stream) override;
    bool isValid() const override { return colour_ && colour_->isValid(); }

    bool isMultiImage() const override { return true; }
    std::int32_t getImageCount() const override { return 1; }

    // An icon image is never built on its own (Icon and the ICO encode
    // setting build them): both give null.
    s::thread::Pooled<s::image::IEncodedImage> encodeSet(
        s::image::win::BufferedImageSet& set) override;
    s::thread::Pooled<s::image::IEncodedImage> encodeImage(
        s::image::win::BufferedImage& image) override;

    // Zeroed colour pixels (palette depths with a zeroed table of 2^bitCount
    // entries) and a zeroed mask. False (image emptied) for depths other
    // than 1, 4, 8, 16, 24 and 32, sizes beyond ImageLimits, or when memory
    // cannot be had.
    bool create(std::int32_t width, std::int32_t height, std::int32_t bitCount);
    // The encoder. With a transparent image: at 32 bits with
    // keepTransparency the alpha is kept; at other depths with
    // keepTransparency alpha below 32 becomes transparent and the rest
    // opaque; without keepTransparency the image is composited onto (red,
    // green, blue) first. The image is not changed. False (image emptied)
    // for an unsupported depth or when memory cannot be had.
    bool fromImage(s::image::win::BufferedImage& image, std::int32_t bitCount,
                   bool keepTransparency, std::int32_t red, std::int32_t green, std::int32_t blue);

    // Converts the colour pixels (colour table applied) into target's rows;
    // target must hold width x height. Alpha is not settled.
    void drawInto(s::image::win::BufferedImage& target) const;

    std::int32_t getBitCount() const { return getInfoHeader().bitCount; }
    bool is32Bit() const { return getBitCount() == 32; }
    bool hasColourTable() const { return getColourCount() != 0; }
    std::int32_t getColourCount() const { return colour_ ? colour_->getColourCount() : 0; }
    std::int32_t getColourTableBytes() const { return getColourCount() * 4; }
    // Entries of blue, green, red, reserved; null for an empty image.
    const std::uint8_t* getColourTable() const {
        return colour_ ? colour_->getColourTable() : nullptr;
    }
    // Colour row y, 0 = top; y must be in [0, height).
    std::uint8_t* getRow(std::int32_t y) { return colour_->getRow(y); }
    std::uint8_t* getPixels() { return colour_ ? colour_->getPixels() : nullptr; }
    std::int32_t getStride() const { return colour_ ? colour_->getStride() : 0; }
    // Mask row y, 0 = top; y must be in [0, height).
    std::uint8_t* getMaskRow(std::int32_t y) { return mask_.getRow(y); }
    std::uint8_t* getMask() { return mask_.data(); }
    std::int32_t getMaskStride() const { return mask_.getStride(); }
    const s::image::ico::IconMask& getIconMask() const { return mask_; }

    // The block as read or last written; emptied by fromImage.
    const std::vector<std::uint8_t>& getBlock() const { return block_; }
    // The colour part's header; its height is the image height.
    const s::image::bmp::InfoHeader& getInfoHeader() const;

private:
    bool refuse();
    bool takeColour();
    bool readPng();
    bool readBitmap();
    bool serialise();
    bool writeColour(s::image::win::BufferedImage& source, std::int32_t bitCount);
    // The image prepared for fromImage's depth and transparency rules, or
    // null when the image itself can be used.
    static s::thread::Pooled<s::image::win::BufferedImage> prepare(
        s::image::win::BufferedImage& image, std::int32_t bitCount, bool keepTransparency,
        std::int32_t red, std::int32_t green, std::int32_t blue, bool& failed);

    s::thread::Pooled<s::image::bmp::win::Bitmap> colour_;
    std::vector<std::uint8_t> block_;
    s::image::ico::IconMask mask_;
};

}  // namespace s::image::ico::win
