#include "job/Sizer.h"

#include <algorithm>
#include <limits>

#include "job/ResizeJob.h"

namespace s::image::util {

namespace {

using s::image::filters::scale::Kernel;
using s::image::filters::scale::ScaleFilter;
using s::image::win::BufferedImageSet;

// The pixel boxes of Maximum Range run from kLowBox to kHighBox.
constexpr std::int32_t kLowBox = 32;
constexpr std::int32_t kHighBox = 1200;

// Settings are plain int32 fields anyone may fill; sums and negations are
// done in 64 bits and brought back into range instead of overflowing.
std::int32_t saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void appendBoth(std::vector<std::int32_t>& widths, std::vector<std::int32_t>& heights,
                std::int64_t value) {
    widths.push_back(saturate(value));
    heights.push_back(saturate(value));
}

// The sample count as the lists are built with it. An unbounded count would
// let a negative setting (read as about four thousand million) run for hours.
std::uint32_t boundedCount(std::int32_t numOfSamples) {
    return static_cast<std::uint32_t>(
        std::clamp<std::int64_t>(numOfSamples, Sizer::kMinSamples, Sizer::kMaxSamples));
}

// 32 and 1200 first, then the N - 2 boxes between them, ascending.
void buildMaximumRange(std::uint32_t n, std::vector<std::int32_t>& widths,
                       std::vector<std::int32_t>& heights) {
    appendBoth(widths, heights, kLowBox);
    appendBoth(widths, heights, kHighBox);
    if (n < 3) return;
    const double step = static_cast<double>(kHighBox - kLowBox) / (n - 1);
    for (std::uint32_t i = 2; i <= n - 1; ++i) {
        appendBoth(widths, heights, kLowBox + static_cast<std::int64_t>((i - 1) * step));
    }
}

// Offsets from 100 %: the extremes first, then the steps between them.
// "All" spreads over -a..+a; the one-sided modes step by a / N from the
// extreme's opposite end, so their lists never repeat 0 %.
void buildLimitedRange(std::int32_t stretchMode, std::int64_t a, std::uint32_t n,
                       std::vector<std::int32_t>& widths, std::vector<std::int32_t>& heights) {
    switch (stretchMode) {
        case All: {
            appendBoth(widths, heights, -a);
            appendBoth(widths, heights, a);
            if (n < 3) return;
            const double step = static_cast<double>(2 * a) / (n - 1);
            for (std::uint32_t i = 2; i <= n - 1; ++i) {
                appendBoth(widths, heights, static_cast<std::int64_t>((i - 1) * step) - a);
            }
            return;
        }
        case OnlyShrink:
        case OnlyEnlarge: {
            const std::int64_t sign = stretchMode == OnlyShrink ? -1 : 1;
            appendBoth(widths, heights, sign * a);
            const double step = static_cast<double>(a) / n;
            for (std::uint32_t i = 1; i <= n - 1; ++i) {
                appendBoth(widths, heights, sign * static_cast<std::int64_t>(i * step));
            }
            return;
        }
        default:
            return;  // an unknown stretch mode yields no samples
    }
}

bool validIndex(std::int32_t j, const std::vector<std::int32_t>& list) {
    return j >= 0 && static_cast<std::size_t>(j) < list.size();
}

// The clamp of one side: at most `limit` when only shrinking, at least
// `limit` when only enlarging, unchanged otherwise.
std::int32_t clampSide(std::int32_t stretchMode, std::int32_t value, std::int32_t limit) {
    if (stretchMode == OnlyShrink) return std::min(value, limit);
    if (stretchMode == OnlyEnlarge) return std::max(value, limit);
    return value;
}

}  // namespace

void Sizer::reset() {
    mode = OneSpecific;
    stretchMode = All;
    numOfSamples = 10;
    inMaximumRange = false;
    limitedPercent = 100;
    byPixel = true;
    pixelWidth = 800;
    pixelHeight = 600;
    percentWidth = 200;
    percentHeight = 200;
    keepRatio = true;
    keepColourProfiles = true;
    pixelWidths.clear();
    pixelHeights.clear();
    percentWidths.clear();
    percentHeights.clear();
}

void Sizer::buildSamples() {
    pixelWidths.clear();
    pixelHeights.clear();
    percentWidths.clear();
    percentHeights.clear();
    if (mode == MultipleAtOnce) {
        const std::uint32_t n = boundedCount(numOfSamples);
        if (inMaximumRange) {
            buildMaximumRange(n, pixelWidths, pixelHeights);
        } else {
            buildLimitedRange(stretchMode, limitedPercent, n, percentWidths, percentHeights);
        }
    } else if (mode == OneSpecific) {
        if (byPixel) {
            pixelWidths.push_back(pixelWidth);
            pixelHeights.push_back(pixelHeight);
        } else {
            percentWidths.push_back(percentWidth);
            percentHeights.push_back(percentHeight);
        }
    }
}

std::int32_t Sizer::sampleCount() const {
    if (mode == MultipleAtOnce) {
        const auto& list = inMaximumRange ? pixelWidths : percentWidths;
        return static_cast<std::int32_t>(list.size());
    }
    return mode == OneSpecific ? 1 : 0;
}

bool Sizer::isSampleUsable(std::int32_t j, const BufferedImageSet& set) const {
    const std::int64_t setWidth = set.getWidth();
    const std::int64_t setHeight = set.getHeight();
    const bool pixels = mode == MultipleAtOnce ? inMaximumRange : byPixel;
    if (mode != MultipleAtOnce && mode != OneSpecific) return false;
    if (pixels) {
        if (!validIndex(j, pixelWidths) || !validIndex(j, pixelHeights)) return false;
        const std::int64_t w = pixelWidths[j];
        const std::int64_t h = pixelHeights[j];
        if (mode == OneSpecific) return w > 0 && h > 0;
        if (stretchMode == OnlyShrink) return w <= setWidth && h <= setHeight;
        if (stretchMode == OnlyEnlarge) return w >= setWidth && h >= setHeight;
        return true;
    }
    if (!validIndex(j, percentWidths) || !validIndex(j, percentHeights)) return false;
    // Limited Range holds offsets from 100 %, one specific size the percentage.
    const std::int64_t base = mode == MultipleAtOnce ? 100 : 0;
    const std::int64_t p = percentWidths[j] + base;
    const std::int64_t q = percentHeights[j] + base;
    const std::int64_t lowest = mode == MultipleAtOnce ? 1 : 0;  // offsets must exceed -99
    return p > lowest && q > lowest && setWidth * p / 100 > 0 && setHeight * q / 100 > 0;
}

s::thread::Pooled<ScaleFilter> Sizer::makeScaleFilter(std::int32_t j,
                                                      const BufferedImageSet& set) const {
    const bool pixels = mode == MultipleAtOnce ? inMaximumRange : byPixel;
    const auto& widths = pixels ? pixelWidths : percentWidths;
    const auto& heights = pixels ? pixelHeights : percentHeights;
    if ((mode != MultipleAtOnce && mode != OneSpecific) || !validIndex(j, widths) ||
        !validIndex(j, heights)) {
        return {};
    }
    s::thread::Pooled<ScaleFilter> filter = ScaleFilter::take();
    if (!filter) return filter;

    const std::int32_t offset = mode == MultipleAtOnce && !pixels ? 100 : 0;
    const std::int32_t limitWidth = pixels ? set.getWidth() : 100;
    const std::int32_t limitHeight = pixels ? set.getHeight() : 100;
    filter->width = clampSide(stretchMode, saturate(std::int64_t{widths[j]} + offset), limitWidth);
    filter->height =
        clampSide(stretchMode, saturate(std::int64_t{heights[j]} + offset), limitHeight);
    filter->widthInPixels = pixels;
    filter->heightInPixels = pixels;
    filter->keepRatio = mode == MultipleAtOnce || keepRatio;
    filter->kernel = static_cast<std::int32_t>(Kernel::Bilinear);
    return filter;
}

JobReport Sizer::resizeFiles(const std::vector<std::string>& jobList, std::mutex& jobLock,
                             const std::atomic<bool>& cancel, s::job::IProgressSink* sink,
                             std::int32_t threads) const {
    s::job::ResizeJob job(*this, cancel, sink, threads);
    return job.run(jobList, jobLock);
}

std::string Sizer::outputFileName(const BufferedImageSet& set, const std::string& outputFolder,
                                  const std::string& stem, const std::string& extension) {
    return outputFileName(set.getWidth(), set.getHeight(), outputFolder, stem, extension);
}

std::string Sizer::outputFileName(std::int32_t width, std::int32_t height,
                                  const std::string& outputFolder, const std::string& stem,
                                  const std::string& extension) {
    return outputFolder + stem + " (" + std::to_string(width) + "x" + std::to_string(height) + ")" +
           extension;
}

}  // namespace s::image::util
