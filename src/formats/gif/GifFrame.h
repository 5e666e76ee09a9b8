// s::image::gif::win::GifFrame -- one frame of a GIF file: 8-bit palette
// indices with a 256-entry colour table, the frame's place on the logical
// screen, and its graphic-control values (transparent index, delay,
// disposal method).
//
// Rows are held top row first, `getStride()` bytes apart. A frame read from
// a damaged file may hold fewer decoded pixels than its size: it remembers
// how many arrived (in its data's row order) and treats the others as
// transparent, so a cut-off frame shows what was decoded and nothing else.
// Frame sizes are checked against ImageLimits before any memory is taken.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "image/BufferedImage.h"

namespace s::image::gif::win {

class GifFrame final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(GifFrame, "s_image_gif_win_GifFrame")
public:
    static constexpr std::int32_t kColours = 256;
    static constexpr std::int32_t kBitCount = 8;

    GifFrame() = default;
    void reset() override;

    // Zeroed indices for width x height, every pixel counted as decoded, the
    // colour table black, no transparent index, delay 0, disposal 0, placed
    // at (0, 0). False (frame emptied) beyond ImageLimits or without memory.
    bool create(std::int32_t width, std::int32_t height);

    std::int32_t getWidth() const { return width_; }
    std::int32_t getHeight() const { return height_; }
    std::int32_t getBitCount() const { return kBitCount; }
    std::int32_t getStride() const { return width_; }
    std::uint8_t* getRow(std::int32_t y) { return pixels_.data() + std::size_t(y) * width_; }
    const std::uint8_t* getRow(std::int32_t y) const {
        return pixels_.data() + std::size_t(y) * width_;
    }
    std::uint8_t* getPixels() { return pixels_.data(); }

    // Colour table entries as 0x00RRGGBB.
    std::uint32_t getColour(std::int32_t index) const { return colours_[index & 0xFF]; }
    void setColour(std::int32_t index, std::uint32_t rgb) {
        colours_[index & 0xFF] = rgb & 0xFFFFFF;
    }

    std::int32_t getLeft() const { return left_; }
    std::int32_t getTop() const { return top_; }
    void setPlacement(std::int32_t left, std::int32_t top) {
        left_ = left;
        top_ = top;
    }

    // Palette index shown as transparent, or -1.
    std::int32_t getTransparentIndex() const { return transparentIndex_; }
    void setTransparentIndex(std::int32_t index) { transparentIndex_ = index; }
    std::int32_t getDelay() const { return delay_; }  // milliseconds
    void setDelay(std::int32_t milliseconds) { delay_ = milliseconds; }
    std::int32_t getDisposal() const { return disposal_; }  // GIF disposal method, 0-7
    void setDisposal(std::int32_t disposal) { disposal_ = disposal; }

    // Records that only the first `count` pixels of the data arrived, in the
    // row order of a plain or interlaced frame.
    void setDecodedPixels(std::int64_t count, bool interlaced);
    bool isComplete() const { return decodedPixels_ >= std::int64_t{width_} * height_; }
    // Leading pixels of row y that hold decoded data (0 to width).
    std::int32_t decodedWidth(std::int32_t y) const;

    // The frame at its own size: colour-table colours, alpha 0 at the
    // transparent index and at pixels never decoded, hasAlpha set when any
    // pixel is transparent. Into target, or a new pooled image (`created`).
    // Null when memory cannot be had.
    s::image::win::BufferedImage* decode(
        s::image::win::BufferedImage* target,
        s::thread::Pooled<s::image::win::BufferedImage>& created) const;

private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::vector<std::uint8_t> pixels_;
    std::array<std::uint32_t, kColours> colours_{};
    std::int32_t left_ = 0;
    std::int32_t top_ = 0;
    std::int32_t transparentIndex_ = -1;
    std::int32_t delay_ = 0;
    std::int32_t disposal_ = 0;
    std::int64_t decodedPixels_ = 0;
    bool interlaced_ = false;
};

}  // namespace s::image::gif::win
