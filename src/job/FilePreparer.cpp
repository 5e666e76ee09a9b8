#include "job/FilePreparer.h"

#include <exception>

#include "formats/FormatDetector.h"
#include "foundation/MemoryStreams.h"
#include "job/ResizeJob.h"
#include "job/SampleFilters.h"

namespace s::job {

namespace {

using s::image::IEncodedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;
using Header = PreparedFile::Header;
using Kind = PreparedFile::Sample::Kind;

}  // namespace

void FilePreparer::prepare(PreparedFile& file) const {
    try {
        prepareSamples(file);
    } catch (const std::exception&) {
        // Whatever was published stands; a header never published makes the
        // committer read the file itself.
    }
    file.finish();
}

void FilePreparer::prepareSamples(PreparedFile& file) const {
    if (!file.mayBegin(cancel_)) return;
    // Taken before anything is read, so a change after this point shows.
    const FileIdentity identity = FileIdentity::of(file.path());
    const s::file::win::PathWin input(file.path());
    std::string reason = ResizeJob::whyNotAnInput(input);
    if (!reason.empty()) {
        file.publishHeader(Header::NotAnInput, std::move(reason), identity);
        return;
    }
    Pooled<IEncodedImage> codec = s::image::FormatDetector::openImage(input);
    if (!codec) {
        file.publishHeader(Header::Unrecognised, ResizeJob::kUnrecognised, identity);
        return;
    }
    Pooled<BufferedImageSet> set = decode(*codec);
    if (!set || set->getCount() == 0) {
        file.publishHeader(Header::Undecoded, ResizeJob::kUndecoded, identity);
        return;
    }
    file.publishHeader(Header::Decoded, std::string(), identity);
    makeSamples(file, *codec, *set);
}

void FilePreparer::makeSamples(PreparedFile& file, IEncodedImage& codec,
                               BufferedImageSet& set) const {
    for (std::int32_t j = 0; j < file.sampleCount(); ++j) {
        if (!file.mayMake(j, cancel_)) return;
        file.publishSample(makeSample(sizer_, j, codec, set));
    }
}

Pooled<BufferedImageSet> FilePreparer::decode(IEncodedImage& codec) {
    Pooled<BufferedImageSet> set = codec.decodeAll();
    // Animations are resized frame by frame as whole pictures.
    if (set && set->isAnimated() && !set->coalesce()) set = {};
    return set;
}

PreparedFile::Sample FilePreparer::makeSample(const s::image::util::Sizer& sizer, std::int32_t j,
                                              IEncodedImage& codec, BufferedImageSet& set) {
    try {
        return encodeSample(sizer, j, codec, set);
    } catch (const std::exception&) {
        // Only memory can run out on this side of the codecs.
        PreparedFile::Sample sample;
        sample.kind = Kind::NoFilter;
        return sample;
    }
}

PreparedFile::Sample FilePreparer::encodeSample(const s::image::util::Sizer& sizer, std::int32_t j,
                                                IEncodedImage& codec, BufferedImageSet& set) {
    PreparedFile::Sample sample;
    if (!sizer.isSampleUsable(j, set)) {
        sample.kind = Kind::NoOutput;
        return sample;
    }
    const SampleFilters filters(sizer, j, set);
    if (!filters.ready()) {
        sample.kind = Kind::NoFilter;
        return sample;
    }
    if (!sizer.keepColourProfiles) set.setColourProfile(nullptr);
    Pooled<IEncodedImage> encoded = codec.encodeSet(set);
    if (!encoded) {
        sample.kind = Kind::NotEncoded;
        return sample;
    }
    sample.width = set.getWidth();
    sample.height = set.getHeight();
    s::io::MemoryOutputStream stream;
    if (!encoded->writeTo(stream)) {
        sample.kind = Kind::NotWritten;
        return sample;
    }
    sample.kind = Kind::Encoded;
    sample.bytes = stream.take();
    return sample;
}

}  // namespace s::job
