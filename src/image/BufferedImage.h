// s::image::win::BufferedImage -- the one in-memory image type.
//
// Pixels are 32 bits, memory order blue, green, red, alpha (0xAARRGGBB read
// as a little-endian word), straight (not premultiplied) alpha. The hasAlpha
// flag says whether the alpha bytes mean anything: when it is false every
// consumer treats all pixels as opaque.
//
// Rows are stored bottom-up, like a bottom-up 32-bit device-independent
// bitmap, inside a capacity (capacityWidth x capacityHeight) that may exceed
// the logical size, so repeated resampling into the same image reallocates
// only when it grows. Rows are exactly capacityWidth * 4 bytes apart; logical
// row y (0 = top) starts at (capacityHeight - 1 - y) * stride.
//
// Pixel memory is a 64-byte-aligned block (PixelAllocator); creating it fails (and the
// image stays empty) when the size is beyond ImageLimits or memory is short.
// No pixel of an image whose memory could not be had is ever touched.
//
// An image carries an ordered filter chain, applied on demand by
// applyFilters/getFiltered. Images are pooled: take them with take() or
// createImage() and let the handle release them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/EasyPooler.h"
#include "image/IImage.h"

namespace s::image::filters {
class IFilter;
}

namespace s::image::win {

class BufferedImage : public s::image::IImage, public s::thread::IPoolable {
    TARVEX_POOLED(BufferedImage, "s_image_win_BufferedImage")
public:
    BufferedImage();
    ~BufferedImage() override;
    BufferedImage(const BufferedImage&) = delete;
    BufferedImage& operator=(const BufferedImage&) = delete;

    void reset() override;

    std::int32_t getWidth() const override { return width_; }
    std::int32_t getHeight() const override { return height_; }
    bool isBuffered() const { return true; }

    // Logical size only; touches no memory. Callers reserve first.
    void setSize(std::int32_t w, std::int32_t h);
    // Grows the capacity to exactly w x h when it does not cover it, keeping
    // the logical rows and size. False (image unchanged) when memory cannot be had.
    bool reserve(std::int32_t w, std::int32_t h);
    // Like reserve, but each capacity dimension grows by factors of 1.2.
    bool reserveGrowing(std::int32_t w, std::int32_t h);
    // New zeroed memory of exactly w x h; logical size = capacity = w x h.
    // hasAlpha is kept. False (image emptied) when memory cannot be had.
    bool allocate(std::int32_t w, std::int32_t h);
    // A new pooled image allocated to w x h; a null handle when that fails.
    static s::thread::Pooled<BufferedImage> createImage(std::int32_t w, std::int32_t h);
    // Makes this image w x h for new content, reusing its memory when it is
    // large enough (the old pixels are not kept). False when memory cannot be had.
    bool resetSizeGrowing(std::int32_t w, std::int32_t h);
    // Where a decoder writes a w x h picture: target made w x h by
    // resetSizeGrowing, or, without a target, a new image handed over through
    // created. Null when memory cannot be had.
    static BufferedImage* prepareTarget(BufferedImage* target, std::int32_t w, std::int32_t h,
                                        s::thread::Pooled<BufferedImage>& created);

    std::int32_t getPixelCount() const { return width_ * height_; }
    std::int32_t getBytesPerLine() const { return width_ * 4; }
    std::int32_t getCapacityWidth() const { return capacityWidth_; }
    std::int32_t getCapacityHeight() const { return capacityHeight_; }
    std::int32_t getCapacityBytesPerLine() const { return capacityWidth_ * 4; }
    // Start of logical row y (0 = top).
    std::uint8_t* getRow(std::int32_t y);
    const std::uint8_t* getRow(std::int32_t y) const;
    // Row as 32-bit pixels (0xAARRGGBB).
    std::uint32_t* getPixelRow(std::int32_t y) {
        return reinterpret_cast<std::uint32_t*>(getRow(y));
    }
    const std::uint32_t* getPixelRow(std::int32_t y) const {
        return reinterpret_cast<const std::uint32_t*>(getRow(y));
    }
    // Start of the pixel memory (lowest address), or null without memory.
    std::uint8_t* getBits() { return bits_; }
    const std::uint8_t* getBits() const { return bits_; }

    bool hasAlpha() const { return hasAlpha_; }
    void setAlpha(bool hasAlpha) { hasAlpha_ = hasAlpha; }

    // This image at w x h (bilinear). With keepRatio the result fits inside
    // w x h. Returns this image when the size is its own, else a cached
    // result owned by this image (null when memory cannot be had).
    BufferedImage* scaled(std::int32_t w, std::int32_t h, bool keepRatio);
    BufferedImage* getScaledCache() { return scaledCache_.get(); }
    void setScaledCache(s::thread::Pooled<BufferedImage> cache);

    // Composites source (from srcX, srcY) onto this image at (x, y), clipped
    // to both images; with scale the source is first scaled() to w x h.
    void drawImage(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                   BufferedImage& source, std::int32_t srcX, std::int32_t srcY, bool scale);

    // Copies and rearrangements. The ...Into forms size the given target
    // (false when its memory cannot be had); the others return a new pooled
    // image (null on failure). hasAlpha is copied.
    bool copyInto(BufferedImage& target) const;
    s::thread::Pooled<BufferedImage> copy() const;
    bool rotateClockwiseInto(BufferedImage& target) const;
    s::thread::Pooled<BufferedImage> rotateClockwise() const;
    bool rotate180Into(BufferedImage& target) const;
    s::thread::Pooled<BufferedImage> rotate180() const;
    bool rotateCounterClockwiseInto(BufferedImage& target) const;
    s::thread::Pooled<BufferedImage> rotateCounterClockwise() const;
    bool mirrorInto(BufferedImage& target) const;
    s::thread::Pooled<BufferedImage> mirror() const;
    bool flipInto(BufferedImage& target) const;
    s::thread::Pooled<BufferedImage> flip() const;

    // Filter chain. A filter handed over in a handle is owned by the image
    // (released when removed or cleared); a borrowed one is not.
    bool hasFilters() const { return !filters_.empty(); }
    bool findFilter(const char* nameId, std::int32_t& index) const;
    std::int32_t getFilterCount() const { return static_cast<std::int32_t>(filters_.size()); }
    s::image::filters::IFilter* getFilter(std::int32_t i) const;
    void addFilter(s::thread::Pooled<s::image::filters::IFilter> filter);
    void addFilter(s::image::filters::IFilter& borrowed);
    void insertFilter(std::int32_t i, s::thread::Pooled<s::image::filters::IFilter> filter);
    void removeFilter(std::int32_t i);
    void clearFilters();
    void detachFilters();
    // Runs the chain into a new filteredCache (owned by this image) and
    // returns it; null when the chain is empty or a filter gave no result.
    BufferedImage* applyFilters();
    // filteredCache, computing it when absent.
    BufferedImage* getFiltered();
    // The image an encoder should write: the filtered result when there are
    // filters, else this image. Null when filtering failed.
    BufferedImage* getFilteredOrSelf() { return hasFilters() ? getFiltered() : this; }

    // Pixel utilities used by the codecs.
    void detectAlpha();
    void makeOpaque();
    void fill(std::uint8_t alpha, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    void applyColourKey(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    void paintTransparent(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    void keyAgainst(const BufferedImage& other);
    void thresholdAlpha(std::uint8_t limit);
    void flattenOnWhite();

private:
    struct FilterSlot {
        s::image::filters::IFilter* filter;
        bool owned;
    };
    struct FreeBits {
        std::size_t bytes;  // as allocated, for PixelAllocator::release
        void operator()(std::uint8_t* p) const noexcept;
    };

    using PixelMemory = std::unique_ptr<std::uint8_t, FreeBits>;

    // Zeroed memory for w x h pixels, or null when the size is beyond
    // ImageLimits or the allocation fails. Uncleared memory is only for a
    // caller that writes every pixel at once (a whole-image copy).
    enum class Clear { Zero, No };
    static PixelMemory newPixelMemory(std::int32_t w, std::int32_t h, Clear clear = Clear::Zero);
    void releaseMemory();
    void adoptMemory(PixelMemory memory, std::int32_t w, std::int32_t h);
    // True when the logical rectangle lies in existing memory.
    bool hasPixels() const;
    // True when the logical rectangle lies in memory or is empty.
    bool isReadable() const;
    // Runs one filter on input; the result in a handle this image can own.
    // The output is `reuse` when given (its memory serves again), else a new image.
    static s::thread::Pooled<BufferedImage> runFilter(s::image::filters::IFilter& filter,
                                                      BufferedImage& input,
                                                      s::thread::Pooled<BufferedImage> reuse);
    void dropFilteredCache();
    void releaseFilter(FilterSlot& slot);

    PixelMemory memory_;
    std::uint8_t* bits_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t capacityWidth_ = 0;
    std::int32_t capacityHeight_ = 0;
    s::thread::Pooled<BufferedImage> scaledCache_;
    bool hasAlpha_ = false;
    std::vector<FilterSlot> filters_;
    s::thread::Pooled<BufferedImage> filteredCache_;
    // The last filtered result once dropped: the next run of the chain writes
    // into it, so resizing one picture to several sizes in turn does not
    // allocate (and fault in) fresh memory for every size.
    s::thread::Pooled<BufferedImage> spareOutput_;
};

}  // namespace s::image::win
