// Fuzz target: one file through the resize path. The first bytes choose the
// codec and the sizing options; the rest is the file. The file is decoded,
// every usable sample is resized the way a job does it (one scale filter per
// member, all set up from the decoded set's size) and encoded with the same
// codec, and the output must read back.
#include <array>

#include "FuzzSupport.h"
#include "formats/bmp/Bitmap.h"
#include "formats/gif/Gif.h"
#include "formats/ico/Icon.h"
#include "formats/jpeg/Jpeg.h"
#include "formats/png/Png.h"
#include "foundation/MemoryStreams.h"
#include "job/Sizer.h"

namespace {

using s::image::IEncodedImage;
using s::image::util::Sizer;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

constexpr std::size_t kOptionBytes = 8;
// Resized outputs beyond this area are skipped, to keep each input fast.
constexpr std::int64_t kMaxTargetPixels = 64 * 64 * 4;

using Fresh = Pooled<IEncodedImage> (*)();
template <class Codec>
Pooled<IEncodedImage> make() {
    return Pooled<IEncodedImage>(Codec::take());
}
constexpr std::array<Fresh, 5> kCodecs = {
    make<s::image::bmp::win::Bitmap>, make<s::image::jpg::win::Jpeg>, make<s::image::png::win::Png>,
    make<s::image::gif::win::Gif>, make<s::image::ico::win::Icon>};

// Option bytes: 0 flags, 1 sample count, 2-3 pixel size, 4-5 percent size,
// 6 limited-range percent, 7 codec. Sizes stay small.
void configure(Sizer& sizer, const std::uint8_t* o) {
    sizer.mode = (o[0] & 1) ? s::image::util::MultipleAtOnce : s::image::util::OneSpecific;
    sizer.stretchMode = 1 + (o[0] >> 1 & 3) % 3;
    sizer.keepRatio = o[0] & 8;
    sizer.byPixel = o[0] & 16;
    sizer.inMaximumRange = o[0] & 32;
    sizer.numOfSamples = 1 + o[1] % 4;
    sizer.pixelWidth = o[2] % 64 - (o[0] & 64 ? 1 : 0);
    sizer.pixelHeight = o[3] % 64;
    sizer.percentWidth = o[4] % 201;
    sizer.percentHeight = o[5] % 201;
    sizer.limitedPercent = o[6];
    sizer.buildSamples();
}

// The target size of sample j for the set's size, or false when too large.
bool isSmallSample(const Sizer& sizer, std::int32_t j, const BufferedImageSet& set) {
    auto filter = sizer.makeScaleFilter(j, set);
    if (!filter) return false;
    std::int32_t w = 0, h = 0;
    filter->targetSize(set.getWidth(), set.getHeight(), w, h);
    return std::int64_t{w} * h <= kMaxTargetPixels;
}

void resizeSample(const Sizer& sizer, std::int32_t j, IEncodedImage& codec, BufferedImageSet& set,
                  Fresh fresh) {
    bool ready = true;
    for (std::int32_t k = 0; k < set.getCount() && ready; ++k) {
        auto filter = sizer.makeScaleFilter(j, set);
        ready = filter != nullptr;
        if (ready) set.getImage(k)->addFilter(std::move(filter));
    }
    for (std::int32_t k = 0; k < set.getCount() && ready; ++k) {
        const BufferedImage* filtered = set.getImage(k)->getFiltered();
        ready = filtered != nullptr;
        if (ready) s::fuzz::touchPixels(*filtered);
    }
    if (ready) {
        set.updateLargest();
        if (Pooled<IEncodedImage> encoded = codec.encodeSet(set)) {
            s::io::MemoryOutputStream out;
            Pooled<IEncodedImage> back = fresh();
            if (encoded->writeTo(out) && back) {
                s::io::MemoryInputStream written(out.bytes().data(), out.bytes().size());
                if (!back->readFrom(written)) __builtin_trap();
            }
        }
    }
    for (std::int32_t k = 0; k < set.getCount(); ++k) set.getImage(k)->clearFilters();
    set.updateLargest();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kOptionBytes) return 0;
    Pooled<Sizer> sizer = Sizer::take();
    const Fresh fresh = kCodecs[data[7] % kCodecs.size()];
    Pooled<IEncodedImage> codec = fresh();
    if (!sizer || !codec) return 0;
    configure(*sizer, data);
    s::io::MemoryInputStream in(data + kOptionBytes, size - kOptionBytes);
    if (!codec->readFrom(in)) return 0;
    Pooled<BufferedImageSet> set = codec->decodeAll();
    if (set && set->isAnimated()) set = set->coalesced();
    if (!set || set->getCount() == 0) return 0;
    if (std::int64_t{set->getWidth()} * set->getHeight() > s::fuzz::kMaxWorkPixels) return 0;
    for (std::int32_t j = 0; j < sizer->sampleCount(); ++j) {
        if (sizer->isSampleUsable(j, *set) && isSmallSample(*sizer, j, *set)) {
            resizeSample(*sizer, j, *codec, *set, fresh);
        }
    }
    return 0;
}
