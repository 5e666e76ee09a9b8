// s::image::ico::win::Icon -- an icon file: an ordered list of icon images
// with the ICO directory around them.
//
// Reading lists the preferred image first (the directory entry nearest to
// 32 x 32 at 32 bits, see Archive::findPreferred), then every other image
// in directory order. Entries whose block lies outside the file or does not
// parse are left out, and so are images that would take the icon's total
// beyond the pixel bound of one image (ImageLimits); an icon with no
// readable image is refused (readFrom false, isValid false). The
// directory's size and depth bytes only choose the preferred entry: every
// image's size and depth come from its block.
//
// encodeSet() rebuilds an icon from a (resized) set with this icon's own
// list of sizes and depths, one image per member, each member scaled to its
// image's width; this is how an icon keeps its layout through a resize.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/IEncodedImage.h"
#include "formats/ico/IconImage.h"
#include "foundation/EasyPooler.h"

namespace s::archive::icon {
class Archive;
class Entry;
}  // namespace s::archive::icon

namespace s::image::ico::win {

class Icon final : public s::image::IEncodedImage {
    TARVEX_POOLED(Icon, "s_image_ico_win_Icon")
public:
    Icon() = default;
    ~Icon() override = default;
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;

    // Releases every image.
    void reset() override { images_.clear(); }

    // Of the first image; 0 without images.
    std::int32_t getWidth() const override;
    std::int32_t getHeight() const override;
    const char* getExtension() const override { return ".ico"; }

    // Image `index`; null for an index that is not an image's.
    s::image::win::BufferedImage* decode(
        std::int32_t index, s::image::win::BufferedImage* target,
        s::thread::Pooled<s::image::win::BufferedImage>& created) override;
    // Every image in list order, depth tag = its bit count, values 0, 0.
    s::thread::Pooled<s::image::win::BufferedImageSet> decodeAll() override;

    // False when there is no image or an image cannot be written.
    bool writeTo(s::io::IOutputStream& stream) override;
    bool readFrom(s::io::IInputStream& stream) override;
    bool isValid() const override { return !images_.empty(); }

    bool isMultiImage() const override { return images_.size() > 1; }
    std::int32_t getImageCount() const override {
        return static_cast<std::int32_t>(images_.size());
    }

    // A new icon with this icon's sizes and depths, member i of the set at
    // image i's width and bit count; null when the set's member count is
    // not this icon's image count or an image cannot be made.
    s::thread::Pooled<s::image::IEncodedImage> encodeSet(
        s::image::win::BufferedImageSet& set) override;
    // Nothing: a single image carries no list of sizes and depths (null).
    s::thread::Pooled<s::image::IEncodedImage> encodeImage(
        s::image::win::BufferedImage& image) override;

    bool findExact(std::int32_t w, std::int32_t h, std::int32_t bitCount,
                   std::int32_t& index) const override;
    bool findNearestDepthFirst(std::int32_t w, std::int32_t h, std::int32_t bitCount,
                               std::int32_t& index) const override;
    bool findNearestSizeFirst(std::int32_t w, std::int32_t h, std::int32_t bitCount,
                              std::int32_t& index) const override;

    // Appends an image (owned by the icon from now on); false for null.
    bool addImage(s::thread::Pooled<IconImage> image);
    // Image i, or null.
    IconImage* getImage(std::int32_t i) const;

private:
    // Loads the entry's block and appends it as an image, adding its pixel
    // count to `pixels`; false (nothing appended) when the block is unusable
    // or the icon's images would exceed ImageLimits::kMaxPixels together.
    bool appendEntry(s::archive::icon::Archive& archive, s::archive::icon::Entry& entry,
                     std::int64_t& pixels);

    std::vector<s::thread::Pooled<IconImage>> images_;
};

}  // namespace s::image::ico::win
