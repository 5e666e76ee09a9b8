// s::job::FilePreparer -- the work a job's helper thread does for one input:
// opens and decodes it, then resizes and encodes every usable sample into
// memory, publishing each result on the PreparedFile as soon as it is made.
//
// Nothing is written to disk and nothing is reported here: the committer
// replays the results in list order. Reasons and failures are the ones the
// in-order job gives for the same file. A library exception or a shortage of
// memory becomes a result (a file that does not decode, a sample without
// resized pixels), never an escape from the thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "formats/IEncodedImage.h"
#include "image/BufferedImageSet.h"
#include "job/PreparedFile.h"
#include "job/Sizer.h"

namespace s::job {

class FilePreparer {
public:
    FilePreparer(const s::image::util::Sizer& sizer, const std::atomic<bool>& cancel)
        : sizer_(sizer), cancel_(cancel) {}

    // Fills `file` and always finishes it, whatever happens.
    void prepare(PreparedFile& file) const;

    // Every picture of an opened input, animations composed into whole
    // frames; null or empty when nothing decodes. The in-order job reads
    // its inputs the same way.
    static s::thread::Pooled<s::image::win::BufferedImageSet> decode(
        s::image::IEncodedImage& codec);
    // Sample j of a decoded set, resized and encoded into memory in the
    // codec's format (the in-order job commits it at once). A shortage of
    // memory gives a sample without resized pixels.
    static PreparedFile::Sample makeSample(const s::image::util::Sizer& sizer, std::int32_t j,
                                           s::image::IEncodedImage& codec,
                                           s::image::win::BufferedImageSet& set);

private:
    void prepareSamples(PreparedFile& file) const;
    void makeSamples(PreparedFile& file, s::image::IEncodedImage& codec,
                     s::image::win::BufferedImageSet& set) const;
    static PreparedFile::Sample encodeSample(const s::image::util::Sizer& sizer, std::int32_t j,
                                             s::image::IEncodedImage& codec,
                                             s::image::win::BufferedImageSet& set);

    const s::image::util::Sizer& sizer_;
    const std::atomic<bool>& cancel_;
};

}  // namespace s::job
