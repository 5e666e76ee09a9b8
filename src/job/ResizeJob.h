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
//
// Threads: with one thread everything runs in order on the caller's thread.
// With N > 1, N helper threads read ahead (at most N inputs decoded or held
// at once) and encode every sample into memory, while the caller's thread
// replays, in list order, exactly what the one-thread run does: the cancel
// checks, the progress reports, the folders, the writes, the names and the
// report. Whatever the number of threads, the same events, outputs and report
// come out; a cancel writes nothing the one-thread run would not have
// written (work read ahead is dropped); an input that changed after it was
// read ahead (an earlier output of the job, say) is read again in its turn.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "formats/IEncodedImage.h"
#include "foundation/IOutputStream.h"
#include "foundation/PathWin.h"
#include "image/BufferedImageSet.h"
#include "job/IProgressSink.h"
#include "job/PreparedFile.h"
#include "job/Sizer.h"

namespace s::job {

class ResizeJob {
public:
    // The number of threads a job may use is 1 .. kMaxThreads.
    static constexpr std::int32_t kMaxThreads = 64;
    // One thread per core the system offers, at least 1, at most kMaxThreads.
    static std::int32_t defaultThreadCount();

    // Reasons given for inputs that do not decode.
    static constexpr char kUnrecognised[] = "unrecognised content";
    static constexpr char kUndecoded[] = "could not be decoded";

    // threads is brought into 1 .. kMaxThreads.
    ResizeJob(const s::image::util::Sizer& sizer, const std::atomic<bool>& cancel,
              IProgressSink* sink, std::int32_t threads = 1);

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
        bool wroteAny = false;  // counted in the report's resizedInputs
    };

    // One thread: every file in turn on the caller's thread.
    void runInOrder(const std::vector<std::string>& jobList, std::mutex& jobLock);
    void processFile(const std::string& path, std::uint64_t fileIndex, std::uint64_t fileCount);
    void processSamples(s::image::IEncodedImage& codec, s::image::win::BufferedImageSet* set,
                        Output& output, const std::string& fileName, std::uint64_t fileIndex,
                        std::uint64_t fileCount);

    // Several threads: helpers prepare, the caller's thread commits.
    void runOverlapped(const std::vector<std::string>& jobList, std::mutex& jobLock);
    void commitFile(PreparedFile& prepared, std::uint64_t fileIndex, std::uint64_t fileCount);
    void commitSamples(PreparedFile& prepared, bool decoded, Output& output,
                       const std::string& fileName, std::uint64_t fileIndex,
                       std::uint64_t fileCount);

    // Both: writes a made sample, or reports why it gives no output.
    void commitSample(PreparedFile::Sample& sample, Output& output);
    static Output outputFor(const std::string& text, const s::file::win::PathWin& input,
                            std::int32_t mode);
    void reportProgress(std::uint64_t fileIndex, std::uint64_t fileCount, std::int32_t j,
                        const std::string& fileName);
    // Writes one output of width x height named after the input; content
    // fills the stream and says whether all of it could be written.
    void write(Output& output, std::int32_t width, std::int32_t height,
               const std::function<bool(s::io::IOutputStream&)>& content);
    bool ensureFolder(Output& output);
    void fail(const Output& output, const std::string& reason);

    const s::image::util::Sizer& sizer_;
    const std::atomic<bool>& cancel_;
    IProgressSink* sink_;
    std::int32_t threads_;
    s::image::util::JobReport report_;
};

}  // namespace s::job
