// s::image::gif::win::Gif -- GIF files, single images and animations, read
// and written without any library.
//
// A Gif holds frames (8-bit indices with their own 256-entry colour table,
// offset on the logical screen, transparent index, delay and disposal) and
// the animation's loop count. Reading (GifBlockReader) accepts damaged and
// hostile files: it refuses screens beyond ImageLimits, stops at the end of
// the data wherever it falls and keeps a cut-off frame's decoded pixels.
//
// decodeAll() shows the frames as a web browser does (GifComposer): every
// member of the set is the whole logical screen after one frame -- frames at
// their offsets, transparent where nothing was drawn, disposal methods 0-3
// applied -- and records each frame's rectangle so that the set's
// coalesced() gives the same pictures. Writing makes an animation of whole
// first frame plus difference frames (GifAnimationEncoder) with colours from
// the quantizer (GifFrameEncoder).
#pragma once

#include <cstdint>
#include <vector>

#include "formats/gif/GifBlockReader.h"
#include "formats/gif/GifFrame.h"
#include "formats/gif/GifLzw.h"
#include "formats/gif/IGif.h"
#include "foundation/EasyPooler.h"

namespace s::image::gif::win {

class Gif final : public s::image::gif::IGif {
    TARVEX_POOLED(Gif, "s_image_gif_win_Gif")
public:
    using Frames = std::vector<s::thread::Pooled<GifFrame>>;

    Gif();
    ~Gif() override = default;
    void reset() override;

    // Of the first frame (0 without frames).
    std::int32_t getWidth() const override;
    std::int32_t getHeight() const override;
    const char* getExtension() const override { return ".gif"; }

    // Frame `index` at its own size (GifFrame::decode); null for a bad index.
    s::image::win::BufferedImage* decode(
        std::int32_t index, s::image::win::BufferedImage* target,
        s::thread::Pooled<s::image::win::BufferedImage>& created) override;
    // One screen-sized picture per frame, depth tag 8, value2 = delay in
    // milliseconds, value3 = disposal, frame rectangles recorded; marked
    // animated with the loop count. Empty when there is no frame, or when
    // the pictures together would exceed ImageLimits::kMaxPixels.
    s::thread::Pooled<s::image::win::BufferedImageSet> decodeAll() override;

    // False without frames or when a write failed.
    bool writeTo(s::io::IOutputStream& stream) override;
    // Appends the stream's frames. False when it is not a GIF, its screen is
    // beyond ImageLimits, or it holds no usable frame. A damaged file whose
    // frames were (partly) read gives true with isComplete() false.
    bool readFrom(s::io::IInputStream& stream) override;
    bool isValid() const override { return !frames_.empty(); }
    // True when the last read reached the trailer with every frame whole.
    bool isComplete() const { return complete_; }

    bool isMultiImage() const override { return !frames_.empty(); }
    std::int32_t getImageCount() const override {
        return static_cast<std::int32_t>(frames_.size());
    }

    // Encoded with transparency kept, a white background, and as many colours
    // as the largest colour table of the frames read allows (at least 2 bits;
    // 8 when no frame had a table).
    s::thread::Pooled<s::image::IEncodedImage> encodeSet(
        s::image::win::BufferedImageSet& set) override;
    s::thread::Pooled<s::image::IEncodedImage> encodeImage(
        s::image::win::BufferedImage& image) override;

    // Over the frames' sizes with bit count 8, by the image-set rules.
    bool findExact(std::int32_t w, std::int32_t h, std::int32_t bitCount,
                   std::int32_t& index) const override;
    bool findNearestDepthFirst(std::int32_t w, std::int32_t h, std::int32_t bitCount,
                               std::int32_t& index) const override;
    bool findNearestSizeFirst(std::int32_t w, std::int32_t h, std::int32_t bitCount,
                              std::int32_t& index) const override;

    bool fromImage(s::image::win::BufferedImage& image, std::int32_t bitCount,
                   bool keepTransparency, std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                   std::uint8_t alphaThreshold) override;
    // The loop count is taken from the set when it is an animation. Members
    // with filters are written as their filtered results.
    bool fromImageSet(s::image::win::BufferedImageSet& set, std::int32_t bitCount,
                      bool keepTransparency, std::uint8_t red, std::uint8_t green,
                      std::uint8_t blue) override;

    // Replaces the frames by one zeroed 8-bit frame of that size (frames are
    // always 8-bit; bitCount is accepted for the common signature).
    bool create(std::int32_t width, std::int32_t height, std::int32_t bitCount);

    std::uint16_t getLoopCount() const override { return loopCount_; }
    void setLoopCount(std::uint16_t loopCount) { loopCount_ = loopCount; }
    bool hasTransparentIndex() const override;
    // Bits of the largest colour table a frame read was shown with (0: none).
    std::int32_t getColourTableBits() const { return colourTableBits_; }
    // The bit count this Gif's encodeImage/encodeSet write with.
    std::int32_t getEncodeBitCount() const;

    // Of the first frame.
    std::int32_t getBitCount() const { return frames_.empty() ? 0 : GifFrame::kBitCount; }
    std::int32_t getStride() const { return frames_.empty() ? 0 : frames_[0]->getStride(); }
    bool hasColourTable() const { return !frames_.empty(); }
    std::int32_t getColourCount() const { return frames_.empty() ? 0 : GifFrame::kColours; }

    // The logical screen: as read, or the first frame's size.
    std::int32_t getScreenWidth() const;
    std::int32_t getScreenHeight() const;
    const GifFrame* getFrame(std::int32_t i) const;
    GifFrame* getFrame(std::int32_t i);

private:
    bool findNearest(std::int32_t w, std::int32_t h, std::int32_t bitCount, bool depthFirst,
                     std::int32_t& index) const;
    bool addFrame(s::thread::Pooled<GifFrame> frame);
    // decodeAll's pictures into an empty set; false when they cannot all be made.
    bool composeInto(s::image::win::BufferedImageSet& set) const;

    GifLzw lzw_;
    Frames frames_;
    std::uint16_t loopCount_ = 1;
    std::int32_t colourTableBits_ = 0;
    std::int32_t screenWidth_ = 0;
    std::int32_t screenHeight_ = 0;
    bool complete_ = false;
    GifBlockReader reader_;
};

}  // namespace s::image::gif::win
