#include "job/ResizeJob.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>

#include "formats/FormatDetector.h"
#include "foundation/SafeOutputFile.h"

namespace s::job {

namespace {

using s::file::win::PathWin;
using s::image::IEncodedImage;
using s::image::util::Sizer;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

constexpr std::array<const char*, 6> kAcceptedExtensions = {".bmp",  ".gif", ".jpg",
                                                            ".jpeg", ".png", ".ico"};

// Another program may take the free " (Sizes)" name between the test and
// the creation; a few retries pick the next free name instead of failing.
constexpr int kFolderAttempts = 8;

// Progress arguments are 32-bit; a job too large for them reports the
// largest value rather than a wrapped one.
std::uint32_t clampToUint32(std::uint64_t value) {
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(value, std::numeric_limits<std::uint32_t>::max()));
}

// Removes the filters of one sample from every member and measures the set
// again, so the next sample is judged against the decoded images' size.
class FilterClearer {
public:
    explicit FilterClearer(BufferedImageSet& set) : set_(set) {}
    ~FilterClearer() {
        for (std::int32_t k = 0; k < set_.getCount(); ++k) {
            if (BufferedImage* image = set_.getImage(k)) image->clearFilters();
        }
        set_.updateLargest();
    }
    FilterClearer(const FilterClearer&) = delete;
    FilterClearer& operator=(const FilterClearer&) = delete;

private:
    BufferedImageSet& set_;
};

}  // namespace

bool ResizeJob::isAcceptedExtension(const std::string& extension) {
    std::string lower = extension;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::find(kAcceptedExtensions.begin(), kAcceptedExtensions.end(), lower) !=
           kAcceptedExtensions.end();
}

std::string ResizeJob::whyNotAnInput(const PathWin& path) {
    if (!path.isValid() || !path.exists()) return "no such file";
    if (path.isDirectory()) return "is a folder";
    if (!isAcceptedExtension(path.extension())) return "not an image file";
    return std::string();
}

s::image::util::JobReport ResizeJob::run(const std::vector<std::string>& jobList,
                                         std::mutex& jobLock) {
    report_ = {};
    std::unique_lock lock(jobLock);
    // The list is re-read under the lock before every file: the owner may
    // append between files.
    for (std::size_t i = 0; i < jobList.size(); ++i) {
        if (cancel_.load()) {
            report_.cancelled = true;
            break;
        }
        const std::string path = jobList[i];
        const std::uint64_t fileCount = jobList.size();
        lock.unlock();
        processFile(path, i, fileCount);
        lock.lock();
    }
    return std::move(report_);
}

void ResizeJob::processFile(const std::string& text, std::uint64_t fileIndex,
                            std::uint64_t fileCount) {
    const PathWin input(text);
    const std::string reason = whyNotAnInput(input);
    if (!reason.empty()) {
        report_.skipped.push_back({text, reason});
        return;
    }
    Output output;
    output.input = text;
    output.stem = input.stem();
    output.extension = input.extension();
    if (sizer_.mode == s::image::util::MultipleAtOnce) {
        output.sizesBase = input.folder() + input.fileName() + " (Sizes)";
    } else {
        output.folder = input.folder();
    }

    Pooled<IEncodedImage> codec = s::image::FormatDetector::openImage(input);
    if (!codec) {
        report_.skipped.push_back({text, "unrecognised content"});
        return;
    }
    Pooled<BufferedImageSet> set = codec->decodeAll();
    // Animations are resized frame by frame as whole pictures.
    if (set && set->isAnimated()) set = set->coalesced();
    if (!set || set->getCount() == 0) report_.skipped.push_back({text, "could not be decoded"});
    processSamples(*codec, set.get(), output, input.fileName(), fileIndex, fileCount);
}

void ResizeJob::processSamples(IEncodedImage& codec, BufferedImageSet* set, Output& output,
                               const std::string& fileName, std::uint64_t fileIndex,
                               std::uint64_t fileCount) {
    const std::int32_t perFile = sizer_.sampleCount();
    const bool decoded = set && set->getCount() > 0;
    for (std::int32_t j = 0; j < perFile; ++j) {
        if (cancel_.load()) {
            report_.cancelled = true;
            return;
        }
        // Reported before the sample is judged, so a file that gives fewer
        // outputs still moves the progress through all its samples.
        if (sink_) {
            sink_->reportProgress(clampToUint32(fileCount * perFile),
                                  clampToUint32(fileIndex * perFile + j), fileName);
        }
        if (!decoded || !sizer_.isSampleUsable(j, *set)) continue;
        makeSample(j, codec, *set, output);
    }
}

void ResizeJob::makeSample(std::int32_t j, IEncodedImage& codec, BufferedImageSet& set,
                           Output& output) {
    const FilterClearer clearer(set);
    if (!attachFilters(j, set)) {
        fail(output, "not enough memory for the resized image");
        return;
    }
    // The set's size becomes that of its largest resized member, which the
    // output's name carries.
    set.updateLargest();
    Pooled<IEncodedImage> encoded = codec.encodeSet(set);
    if (!encoded) {
        fail(output, "the resized image could not be encoded");
        return;
    }
    write(*encoded, set, output);
}

// Every member gets its own filter, all set up from the decoded set's size
// before any is applied. False when a filter or its result cannot be had.
bool ResizeJob::attachFilters(std::int32_t j, BufferedImageSet& set) {
    const std::int32_t count = set.getCount();
    for (std::int32_t k = 0; k < count; ++k) {
        BufferedImage* image = set.getImage(k);
        auto filter = sizer_.makeScaleFilter(j, set);
        if (!image || !filter) return false;
        image->addFilter(std::move(filter));
    }
    for (std::int32_t k = 0; k < count; ++k) {
        if (!set.getImage(k)->getFiltered()) return false;
    }
    return true;
}

void ResizeJob::write(IEncodedImage& encoded, const BufferedImageSet& set, Output& output) {
    if (!ensureFolder(output)) {
        fail(output, "the folder " + output.sizesBase + " could not be created");
        return;
    }
    const std::string wanted =
        Sizer::outputFileName(set, output.folder, output.stem, output.extension);
    s::file::win::SafeOutputFile file;
    if (!file.open(output.folder) || !encoded.writeTo(file.stream())) {
        file.abandon();
        fail(output, "could not write " + wanted);
        return;
    }
    const std::string written = file.commit(wanted);
    if (written.empty()) {
        fail(output, "could not write " + wanted);
        return;
    }
    report_.written.push_back(written);
}

bool ResizeJob::ensureFolder(Output& output) {
    if (output.sizesBase.empty()) return true;
    for (int attempt = 0; attempt < kFolderAttempts; ++attempt) {
        const PathWin base(output.sizesBase);
        PathWin folder(base.makeUnique());
        if (folder.createFolder(false)) {
            output.folder = folder.fullPath() + "/";
            output.sizesBase.clear();
            return true;
        }
        // Only a name taken meanwhile is worth another try.
        if (!PathWin(folder.fullPath()).exists()) return false;
    }
    return false;
}

void ResizeJob::fail(const Output& output, const std::string& reason) {
    ++report_.failedWrites;
    report_.failed.push_back({output.input, reason});
}

}  // namespace s::job
