#include "image/filters/scale/ScaleFilter.h"

#include <algorithm>
#include <cstring>

#include "image/filters/scale/Resampler.h"

namespace s::image::filters::scale {

using s::image::win::BufferedImage;

namespace {

std::int32_t clampToInt32(double value) {
    if (!(value > INT32_MIN)) return INT32_MIN;
    if (value >= static_cast<double>(INT32_MAX)) return INT32_MAX;
    return static_cast<std::int32_t>(value);  // truncates toward zero
}

// A side in pixels, or a percentage of the source side (truncated).
std::int32_t sideOf(bool inPixels, std::int32_t value, std::int32_t sourceSide) {
    if (inPixels) return value;
    return clampToInt32(static_cast<double>(static_cast<std::int64_t>(value) * sourceSide / 100));
}

// The given output, or a new pooled image handed to the caller in `created`.
BufferedImage* outputFor(BufferedImage* output, s::thread::Pooled<BufferedImage>& created) {
    if (output) return output;
    created = BufferedImage::take();
    return created.get();
}

// Copies `image` onto the canvas with its centre on the canvas's centre;
// whatever falls outside the canvas is cut off.
void centreOnto(const BufferedImage& image, BufferedImage& canvas) {
    const std::int32_t x = (canvas.getWidth() - image.getWidth()) / 2;
    const std::int32_t y = (canvas.getHeight() - image.getHeight()) / 2;
    const std::int32_t fromX = std::max(0, -x);
    const std::int32_t toX = std::max(0, x);
    const std::int32_t columns = std::min(image.getWidth() - fromX, canvas.getWidth() - toX);
    if (columns <= 0) return;
    for (std::int32_t row = 0; row < image.getHeight(); ++row) {
        const std::int32_t canvasRow = y + row;
        if (canvasRow < 0 || canvasRow >= canvas.getHeight()) continue;
        std::memcpy(canvas.getRow(canvasRow) + toX * 4, image.getRow(row) + fromX * 4,
                    static_cast<std::size_t>(columns) * 4);
    }
}

}  // namespace

void ScaleFilter::reset() {
    ownedByImage = true;
    centreOnCanvas = false;
    limit = 0;
    sourceWidth = 1;
    sourceHeight = 1;
    resultWidth = 1;
    resultHeight = 1;
}

void ScaleFilter::targetSize(std::int32_t w0, std::int32_t h0, std::int32_t& tw,
                             std::int32_t& th) const {
    tw = sideOf(widthInPixels, width, w0);
    th = sideOf(heightInPixels, height, h0);
    if (keepRatio && w0 > 0 && h0 > 0) {
        const double rx = static_cast<double>(tw) / w0;
        const double ry = static_cast<double>(th) / h0;
        if (rx != ry) {
            if (rx < ry)
                th = clampToInt32(h0 * rx);
            else
                tw = clampToInt32(w0 * ry);
        }
    }
    tw = std::max(tw, 1);
    th = std::max(th, 1);
}

BufferedImage* ScaleFilter::apply(BufferedImage& input, BufferedImage* output,
                                  s::thread::Pooled<BufferedImage>& created) {
    sourceWidth = input.getWidth();
    sourceHeight = input.getHeight();
    if (sourceWidth < 1 || sourceHeight < 1 || !input.getBits()) return nullptr;
    std::int32_t tw = 0;
    std::int32_t th = 0;
    targetSize(sourceWidth, sourceHeight, tw, th);
    const IScaleFilter& weights = Resampler::defaultKernel(kernel);
    BufferedImage* result = outputFor(output, created);
    if (!result) return nullptr;
    return centreOnCanvas ? applyOnCanvas(input, *result, tw, th, weights)
                          : applyPlain(input, *result, tw, th, weights);
}

bool ScaleFilter::keepsSourceSize(std::int32_t tw, std::int32_t th) const {
    if (tw == sourceWidth && th == sourceHeight) return true;
    if (limit == 1) return tw >= sourceWidth && th >= sourceHeight;
    if (limit == 2) return tw <= sourceWidth && th <= sourceHeight;
    return false;
}

BufferedImage* ScaleFilter::applyPlain(BufferedImage& input, BufferedImage& output, std::int32_t tw,
                                       std::int32_t th, const IScaleFilter& weights) {
    if (keepsSourceSize(tw, th)) {
        resultWidth = sourceWidth;
        resultHeight = sourceHeight;
        return input.copyInto(output) ? &output : nullptr;
    }
    resultWidth = tw;
    resultHeight = th;
    return Resampler::resampleWith(weights, input, tw, th, output) ? &output : nullptr;
}

BufferedImage* ScaleFilter::applyOnCanvas(BufferedImage& input, BufferedImage& output,
                                          std::int32_t tw, std::int32_t th,
                                          const IScaleFilter& weights) {
    // The canvas is measured in pixels whatever the unit of the target size.
    const std::int32_t cw = std::max(width, 1);
    const std::int32_t ch = std::max(height, 1);
    resultWidth = cw;
    resultHeight = ch;
    if (cw == sourceWidth && ch == sourceHeight) return input.copyInto(output) ? &output : nullptr;

    const bool keep = limit == 1 && tw >= sourceWidth && th >= sourceHeight;
    s::thread::Pooled<BufferedImage> scaled = keep ? input.copy() : BufferedImage::take();
    if (!scaled) return nullptr;
    if (!keep && !Resampler::resampleWith(weights, input, tw, th, *scaled)) return nullptr;

    output.setSize(0, 0);
    if (!output.reserve(cw, ch)) return nullptr;
    output.setSize(cw, ch);
    output.fill(0, 255, 255, 255);
    centreOnto(*scaled, output);
    return &output;
}

}  // namespace s::image::filters::scale
