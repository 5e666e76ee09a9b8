// s::job::ResizeJob -- one run of the job driver (Sizer::resizeFiles): walks
// the dropped paths, decodes every accepted image and writes one resized copy
// per usable sample, in the input's own format, beside the input (one
// specific size) or in a new "<file name> (Sizes)" folder (several sizes).
//
// Guarantees:
// - The list is read under the job lock before every file, so it may grow
//   between files; all other work runs without the lock.
// - Progress is reported before every sample, also for samples that give no
//   output and for every sample of a file that does not decode.
// - Every sample of a file is judged and clamped against the decoded images'
//   size: after an output is written its filters are cleared and the set's
//   size is measured again, so one sample's output size never leaks into the
//   next.
// - Outputs are written through SafeOutputFile: never partial, never
//   replacing an existing file. A failed write leaves nothing and is counted.
// - A sample whose resized pixels cannot be had (a filter gives no result)
//   writes nothing; the decoded images are never touched by it.
// - The " (Sizes)" folder is created, under a free name, only when the first
//   output of the file is about to be written, so inputs that give no output
//   leave no empty folders.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "formats/IEncodedImage.h"
#include "foundation/PathWin.h"
#include "image/BufferedImageSet.h"
#include "job/IProgressSink.h"
#include "job/Sizer.h"

namespace s::job {

class ResizeJob {
public:
    ResizeJob(const s::image::util::Sizer& sizer, const std::atomic<bool>& cancel,
              IProgressSink* sink)
        : sizer_(sizer), cancel_(cancel), sink_(sink) {}

    s::image::util::JobReport run(const std::vector<std::string>& jobList, std::mutex& jobLock);

    // Why a path cannot be an input ("no such file", "is a folder", "not an
    // image file"), or "" when it may be opened.
    static std::string whyNotAnInput(const s::file::win::PathWin& path);
    // ".bmp", ".gif", ".jpg", ".jpeg", ".png" or ".ico" in any letter case.
    static bool isAcceptedExtension(const std::string& extension);

private:
    // Where one input's outputs go; the folder of several sizes is made on
    // first use.
    struct Output {
        std::string folder;     // ends with "/" unless empty (the current folder)
        std::string sizesBase;  // "<folder><name> (Sizes)" while still to be created
        std::string stem;
        std::string extension;
        std::string input;
    };

    void processFile(const std::string& path, std::uint64_t fileIndex, std::uint64_t fileCount);
    void processSamples(s::image::IEncodedImage& codec, s::image::win::BufferedImageSet* set,
                        Output& output, const std::string& fileName, std::uint64_t fileIndex,
                        std::uint64_t fileCount);
    void makeSample(std::int32_t j, s::image::IEncodedImage& codec,
                    s::image::win::BufferedImageSet& set, Output& output);
    bool attachFilters(std::int32_t j, s::image::win::BufferedImageSet& set);
    void write(s::image::IEncodedImage& encoded, const s::image::win::BufferedImageSet& set,
               Output& output);
    bool ensureFolder(Output& output);
    void fail(const Output& output, const std::string& reason);

    const s::image::util::Sizer& sizer_;
    const std::atomic<bool>& cancel_;
    IProgressSink* sink_;
    s::image::util::JobReport report_;
};

}  // namespace s::job
