#include "job/ResizeJob.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <deque>
#include <limits>
#include <memory>
#include <thread>

#include "formats/FormatDetector.h"
#include "foundation/SafeOutputFile.h"
#include "job/FileIdentity.h"
#include "job/FilePreparer.h"
#include "job/PreparationPool.h"

namespace s::job {

namespace {

using s::file::win::PathWin;
using s::image::IEncodedImage;
using s::image::util::Sizer;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;
using Header = PreparedFile::Header;
using Kind = PreparedFile::Sample::Kind;

constexpr std::array<const char*, 6> kAcceptedExtensions = {".bmp",  ".gif", ".jpg",
                                                            ".jpeg", ".png", ".ico"};

// Another program may take the free " (Sizes)" name between the test and
// the creation; a few retries pick the next free name instead of failing.
constexpr int kFolderAttempts = 8;

constexpr char kNoMemory[] = "not enough memory for the resized image";
constexpr char kNotEncoded[] = "the resized image could not be encoded";

// Progress arguments are 32-bit; a job too large for them reports the
// largest value rather than a wrapped one.
std::uint32_t clampToUint32(std::uint64_t value) {
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(value, std::numeric_limits<std::uint32_t>::max()));
}

}  // namespace

std::int32_t ResizeJob::defaultThreadCount() {
    const unsigned cores = std::thread::hardware_concurrency();
    return static_cast<std::int32_t>(std::clamp<unsigned>(cores, 1, kMaxThreads));
}

ResizeJob::ResizeJob(const Sizer& sizer, const std::atomic<bool>& cancel, IProgressSink* sink,
                     std::int32_t threads)
    : sizer_(sizer),
      cancel_(cancel),
      sink_(sink),
      threads_(std::clamp<std::int32_t>(threads, 1, kMaxThreads)) {}

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
    if (threads_ > 1) {
        runOverlapped(jobList, jobLock);
    } else {
        runInOrder(jobList, jobLock);
    }
    return std::move(report_);
}

void ResizeJob::runInOrder(const std::vector<std::string>& jobList, std::mutex& jobLock) {
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
}

ResizeJob::Output ResizeJob::outputFor(const std::string& text, const PathWin& input,
                                       std::int32_t mode) {
    Output output;
    output.input = text;
    output.stem = input.stem();
    output.extension = input.extension();
    if (mode == s::image::util::MultipleAtOnce) {
        output.sizesBase = input.folder() + input.fileName() + " (Sizes)";
    } else {
        output.folder = input.folder();
    }
    return output;
}

void ResizeJob::processFile(const std::string& text, std::uint64_t fileIndex,
                            std::uint64_t fileCount) {
    const PathWin input(text);
    const std::string reason = whyNotAnInput(input);
    if (!reason.empty()) {
        report_.skipped.push_back({text, reason});
        return;
    }
    Output output = outputFor(text, input, sizer_.mode);
    Pooled<IEncodedImage> codec = s::image::FormatDetector::openImage(input);
    if (!codec) {
        report_.skipped.push_back({text, kUnrecognised});
        return;
    }
    Pooled<BufferedImageSet> set = FilePreparer::decode(*codec);
    if (!set || set->getCount() == 0) report_.skipped.push_back({text, kUndecoded});
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
        reportProgress(fileIndex, fileCount, j, fileName);
        if (!decoded) continue;
        PreparedFile::Sample sample = FilePreparer::makeSample(sizer_, j, codec, *set);
        commitSample(sample, output);
    }
}

// The helpers may read at most as many inputs ahead as there are of them,
// counting the one being committed, so no more than that many are decoded or
// held in memory at once.
void ResizeJob::runOverlapped(const std::vector<std::string>& jobList, std::mutex& jobLock) {
    const FilePreparer preparer(sizer_, cancel_);
    PreparationPool pool(threads_, preparer);
    if (pool.size() == 0) {
        runInOrder(jobList, jobLock);
        return;
    }
    const auto ahead = static_cast<std::size_t>(pool.size());
    std::deque<std::shared_ptr<PreparedFile>> window;  // files i .. handedOut - 1
    std::size_t handedOut = 0;
    std::unique_lock lock(jobLock);
    for (std::size_t i = 0; i < jobList.size(); ++i) {
        if (cancel_.load()) {
            report_.cancelled = true;
            break;
        }
        const std::uint64_t fileCount = jobList.size();
        for (; handedOut < std::min<std::size_t>(jobList.size(), i + ahead); ++handedOut) {
            window.push_back(
                std::make_shared<PreparedFile>(jobList[handedOut], sizer_.sampleCount()));
            pool.submit(window.back());
        }
        std::shared_ptr<PreparedFile> current = std::move(window.front());
        window.pop_front();
        lock.unlock();
        commitFile(*current, i, fileCount);
        current.reset();
        lock.lock();
    }
    lock.unlock();
    // Whatever was read ahead and not committed is dropped.
    for (const auto& file : window) file->abandon();
}

void ResizeJob::commitFile(PreparedFile& prepared, std::uint64_t fileIndex,
                           std::uint64_t fileCount) {
    const std::string& text = prepared.path();
    const Header header = prepared.waitHeader();
    if (header == Header::Stopped || !(prepared.identity() == FileIdentity::of(text))) {
        // Read ahead from something that is no longer there as it was, or
        // not read at all: the file is done now, as in the one-thread run.
        prepared.abandon();
        processFile(text, fileIndex, fileCount);
        return;
    }
    if (header == Header::NotAnInput || header == Header::Unrecognised) {
        report_.skipped.push_back({text, prepared.reason()});
        return;
    }
    const PathWin input(text);
    Output output = outputFor(text, input, sizer_.mode);
    const bool decoded = header == Header::Decoded;
    if (!decoded) report_.skipped.push_back({text, prepared.reason()});
    commitSamples(prepared, decoded, output, input.fileName(), fileIndex, fileCount);
    prepared.abandon();
}

void ResizeJob::commitSamples(PreparedFile& prepared, bool decoded, Output& output,
                              const std::string& fileName, std::uint64_t fileIndex,
                              std::uint64_t fileCount) {
    const std::int32_t perFile = sizer_.sampleCount();
    for (std::int32_t j = 0; j < perFile; ++j) {
        if (!prepared.announce(j, cancel_)) {
            report_.cancelled = true;
            return;
        }
        reportProgress(fileIndex, fileCount, j, fileName);
        if (!decoded) continue;
        PreparedFile::Sample sample = prepared.takeSample(j);
        commitSample(sample, output);
    }
}

void ResizeJob::commitSample(PreparedFile::Sample& sample, Output& output) {
    switch (sample.kind) {
        case Kind::Missing:
        case Kind::NoOutput:
            return;
        case Kind::NoFilter:
            fail(output, kNoMemory);
            return;
        case Kind::NotEncoded:
            fail(output, kNotEncoded);
            return;
        case Kind::NotWritten:
        case Kind::Encoded:
            write(output, sample.width, sample.height, [&](s::io::IOutputStream& stream) {
                return sample.kind == Kind::Encoded &&
                       stream.writeAll(sample.bytes.data(), sample.bytes.size());
            });
            return;
    }
}

// Reported before the sample is judged, so a file that gives fewer outputs
// still moves the progress through all its samples.
void ResizeJob::reportProgress(std::uint64_t fileIndex, std::uint64_t fileCount, std::int32_t j,
                               const std::string& fileName) {
    if (!sink_) return;
    const std::uint64_t perFile = static_cast<std::uint64_t>(sizer_.sampleCount());
    sink_->reportProgress(clampToUint32(fileCount * perFile),
                          clampToUint32(fileIndex * perFile + static_cast<std::uint64_t>(j)),
                          fileName);
}

void ResizeJob::write(Output& output, std::int32_t width, std::int32_t height,
                      const std::function<bool(s::io::IOutputStream&)>& content) {
    if (!ensureFolder(output)) {
        fail(output, "the folder " + output.sizesBase + " could not be created");
        return;
    }
    const std::string wanted =
        Sizer::outputFileName(width, height, output.folder, output.stem, output.extension);
    s::file::win::SafeOutputFile file;
    if (!file.open(output.folder) || !content(file.stream())) {
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
    if (!output.wroteAny) {
        output.wroteAny = true;
        ++report_.resizedInputs;
    }
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
