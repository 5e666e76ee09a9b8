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

private:
    void prepareSamples(PreparedFile& file) const;
    void makeSamples(PreparedFile& file, s::image::IEncodedImage& codec,
                     s::image::win::BufferedImageSet& set) const;
    PreparedFile::Sample makeSample(std::int32_t j, s::image::IEncodedImage& codec,
                                    s::image::win::BufferedImageSet& set) const;

    const s::image::util::Sizer& sizer_;
    const std::atomic<bool>& cancel_;
};

}  // namespace s::job
