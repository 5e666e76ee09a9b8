#include "formats/ico/Icon.h"

#include <new>

#include "formats/ico/Archive.h"
#include "formats/ico/EncodeSetting.h"
#include "formats/ico/Entry.h"
#include "formats/ico/IconSearch.h"
#include "foundation/MemoryStreams.h"
#include "image/ImageLimits.h"

namespace s::image::ico::win {

using s::archive::icon::Archive;
using s::archive::icon::Entry;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

namespace {

std::vector<IconSearch::Candidate> candidatesOf(const std::vector<Pooled<IconImage>>& images) {
    std::vector<IconSearch::Candidate> candidates;
    candidates.reserve(images.size());
    for (const auto& image : images) {
        candidates.push_back({image->getWidth(), image->getHeight(), image->getBitCount()});
    }
    return candidates;
}

}  // namespace

std::int32_t Icon::getWidth() const {
    return images_.empty() ? 0 : images_.front()->getWidth();
}

std::int32_t Icon::getHeight() const {
    return images_.empty() ? 0 : images_.front()->getHeight();
}

IconImage* Icon::getImage(std::int32_t i) const {
    if (i < 0 || i >= getImageCount()) return nullptr;
    return images_[static_cast<std::size_t>(i)].get();
}

bool Icon::addImage(Pooled<IconImage> image) {
    if (!image) return false;
    try {
        images_.push_back(std::move(image));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- reading

bool Icon::readFrom(s::io::IInputStream& stream) {
    reset();
    Pooled<Archive> archive = Archive::take();
    if (!archive || !archive->open(stream)) return false;
    const std::int32_t preferred = archive->findPreferred();
    std::int64_t pixels = 0;
    if (preferred >= 0) appendEntry(*archive, *archive->getEntry(preferred), pixels);
    for (std::int32_t i = 0; i < archive->getCount(); ++i) {
        if (i != preferred) appendEntry(*archive, *archive->getEntry(i), pixels);
    }
    return isValid();
}

bool Icon::appendEntry(Archive& archive, Entry& entry, std::int64_t& pixels) {
    if (!archive.load(entry)) return false;
    Pooled<IconImage> image = IconImage::take();
    s::io::MemoryInputStream block(entry.block.data(), entry.block.size());
    const bool read = image && image->readFrom(block);
    // The image keeps its own copy of the block.
    std::vector<std::uint8_t>().swap(entry.block);
    if (!read) return false;
    // Entries may share one block, and a small PNG block may hold a large
    // picture: the images of one icon together stay within the bound of a
    // single image.
    const std::int64_t area = std::int64_t{image->getWidth()} * image->getHeight();
    if (area > s::image::ImageLimits::kMaxPixels - pixels) return false;
    pixels += area;
    return addImage(std::move(image));
}

// ---------------------------------------------------------------- decoding

BufferedImage* Icon::decode(std::int32_t index, BufferedImage* target,
                            Pooled<BufferedImage>& created) {
    IconImage* image = getImage(index);
    return image ? image->decode(0, target, created) : nullptr;
}

Pooled<BufferedImageSet> Icon::decodeAll() {
    Pooled<BufferedImageSet> set = BufferedImageSet::take();
    if (!set) return set;
    for (const auto& image : images_) {
        Pooled<BufferedImage> created;
        if (image->decode(0, nullptr, created)) {
            set->add(std::move(created), image->getBitCount(), 0, 0);
        }
    }
    return set;
}

// ---------------------------------------------------------------- writing

bool Icon::writeTo(s::io::IOutputStream& stream) {
    if (images_.empty()) return false;
    Pooled<Archive> archive = Archive::take();
    if (!archive) return false;
    for (const auto& image : images_) {
        Pooled<Entry> entry = Entry::take();
        if (!entry) return false;
        s::io::MemoryOutputStream block;
        if (!image->writeTo(block)) return false;
        const std::int32_t bitCount = image->getBitCount();
        entry->width = Entry::sizeByte(image->getWidth());
        entry->height = Entry::sizeByte(image->getHeight());
        entry->colourCount = bitCount < 8 ? static_cast<std::uint8_t>(1 << bitCount) : 0;
        entry->planes = 1;
        entry->bitCount = static_cast<std::uint16_t>(bitCount);
        entry->block = block.take();
        archive->add(std::move(entry));
    }
    return archive->write(stream);
}

// ---------------------------------------------------------------- encoding

Pooled<s::image::IEncodedImage> Icon::encodeSet(BufferedImageSet& set) {
    Pooled<EncodeSetting> setting = EncodeSetting::take();
    if (!setting) return nullptr;
    setting->keepTransparency = 1;
    setting->keepRatio = 0;
    try {
        for (const auto& image : images_) {
            setting->layout.push_back(
                EncodeSetting::layoutEntry(image->getWidth(), image->getBitCount()));
        }
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return setting->encodeSet(set);
}

Pooled<s::image::IEncodedImage> Icon::encodeImage(BufferedImage& image) {
    Pooled<EncodeSetting> setting = EncodeSetting::take();
    if (!setting) return nullptr;
    return setting->encode(image);
}

// ---------------------------------------------------------------- searches

bool Icon::findExact(std::int32_t w, std::int32_t h, std::int32_t bitCount,
                     std::int32_t& index) const {
    return IconSearch::findExact(candidatesOf(images_), w, h, bitCount, index);
}

bool Icon::findNearestDepthFirst(std::int32_t w, std::int32_t h, std::int32_t bitCount,
                                 std::int32_t& index) const {
    return IconSearch::findNearest(candidatesOf(images_), w, h, bitCount, true, index);
}

bool Icon::findNearestSizeFirst(std::int32_t w, std::int32_t h, std::int32_t bitCount,
                                std::int32_t& index) const {
    return IconSearch::findNearest(candidatesOf(images_), w, h, bitCount, false, index);
}

}  // namespace s::image::ico::win
