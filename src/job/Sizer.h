// s::image::util::Sizer -- the resize settings, the target sizes
// ("samples") derived from them, and the job driver that turns a list of
// dropped paths into resized copies.
//
// Two sizing modes: one specific size (pixels or percent, optionally keeping
// the ratio, optionally only enlarging or only shrinking) and several sizes
// at once (square pixel boxes over 32..1200 px, or percentages around 100 %).
// The Sizer knows nothing of threads or windows: resizeFiles() reports
// progress through an IProgressSink and polls a cancel flag.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "image/BufferedImageSet.h"
#include "image/filters/scale/ScaleFilter.h"
#include "job/IProgressSink.h"

namespace s::image::util {

enum SizingMode : std::int32_t { MultipleAtOnce = 1, OneSpecific = 2 };
enum StretchMode : std::int32_t { All = 1, OnlyShrink = 2, OnlyEnlarge = 3 };

// What one resizeFiles() run did, for callers that report it (the
// command-line program, the desktop window's end-of-job summary).
struct JobReport {
    struct Skipped {
        std::string path;
        std::string reason;
    };
    std::vector<std::string> written;  // output paths, in order
    std::int32_t resizedInputs = 0;    // inputs with at least one output written
    std::vector<Skipped> skipped;      // inputs not used, with the reason
    std::int32_t failedWrites = 0;     // outputs that could not be written
    std::vector<Skipped> failed;       // one entry per failed write: input and why
    bool cancelled = false;
};

class Sizer : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(Sizer, "s_image_util_Sizer")
public:
    // Bounds applied to numOfSamples before the samples are built.
    static constexpr std::uint32_t kMinSamples = 1;
    static constexpr std::uint32_t kMaxSamples = 1000;

    Sizer() { reset(); }
    void reset() override;

    // Settings (defaults as after reset()).
    std::int32_t mode = OneSpecific;
    std::int32_t stretchMode = All;
    std::int32_t numOfSamples = 10;
    bool inMaximumRange = false;
    std::int32_t limitedPercent = 100;
    bool byPixel = true;
    std::int32_t pixelWidth = 800;
    std::int32_t pixelHeight = 600;
    std::int32_t percentWidth = 200;
    std::int32_t percentHeight = 200;
    bool keepRatio = true;
    // Whether outputs keep the source's colour profile (the desktop program
    // always keeps it; tarvex-resize --strip-profile clears it). Not stored.
    bool keepColourProfiles = true;

    // Samples built from the settings.
    std::vector<std::int32_t> pixelWidths, pixelHeights;
    std::vector<std::int32_t> percentWidths, percentHeights;

    // Empties the four lists and fills them from the settings, with
    // numOfSamples clamped to kMinSamples..kMaxSamples.
    void buildSamples();
    std::int32_t sampleCount() const;
    // Whether sample j gives an output for the set, judged on the set's size
    // (its largest member). False for an index outside the lists.
    bool isSampleUsable(std::int32_t j, const s::image::win::BufferedImageSet& set) const;
    // A pooled scale filter set up for sample j, its clamps taken from the
    // set's size (null when none can be had or j is outside the lists).
    s::thread::Pooled<s::image::filters::scale::ScaleFilter> makeScaleFilter(
        std::int32_t j, const s::image::win::BufferedImageSet& set) const;

    // The job driver: walks the list (re-read under jobLock before every
    // file), writes one output per usable sample, stops when cancel is set.
    // sink may be null. Outputs are never partial and never replace a file.
    // With threads > 1 files are decoded and encoded side by side, with the
    // same events, outputs and report as with one; see ResizeJob for the details.
    JobReport resizeFiles(const std::vector<std::string>& jobList, std::mutex& jobLock,
                          const std::atomic<bool>& cancel, s::job::IProgressSink* sink,
                          std::int32_t threads = 1) const;

    // outputFolder + stem + " (WxH)" + extension, with W x H the set's size.
    static std::string outputFileName(const s::image::win::BufferedImageSet& set,
                                      const std::string& outputFolder, const std::string& stem,
                                      const std::string& extension);
    // The same for an output of width x height.
    static std::string outputFileName(std::int32_t width, std::int32_t height,
                                      const std::string& outputFolder, const std::string& stem,
                                      const std::string& extension);
};

}  // namespace s::image::util
