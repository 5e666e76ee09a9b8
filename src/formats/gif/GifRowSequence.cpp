#include "formats/gif/GifRowSequence.h"

namespace s::image::gif::win {

namespace {

struct Pass {
    std::int32_t first;
    std::int32_t step;
};

constexpr Pass kPasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
constexpr std::int32_t kPassCount = 4;

// Rows of one pass inside a frame of `height` rows.
std::int32_t rowsInPass(const Pass& pass, std::int32_t height) {
    return height > pass.first ? (height - pass.first + pass.step - 1) / pass.step : 0;
}

}  // namespace

GifRowSequence::GifRowSequence(std::int32_t height, bool interlaced)
    : height_(height), interlaced_(interlaced) {
    if (height_ <= 0) return;
    if (interlaced_) {
        startPass(0);
    } else {
        row_ = 0;
    }
}

bool GifRowSequence::advance() {
    if (row_ < 0) return false;
    if (!interlaced_) {
        row_ = (row_ + 1 < height_) ? row_ + 1 : -1;
        return row_ >= 0;
    }
    row_ += kPasses[pass_].step;
    if (row_ >= height_) startPass(pass_ + 1);
    return row_ >= 0;
}

void GifRowSequence::startPass(std::int32_t pass) {
    for (pass_ = pass; pass_ < kPassCount; ++pass_) {
        if (kPasses[pass_].first < height_) {
            row_ = kPasses[pass_].first;
            return;
        }
    }
    row_ = -1;
}

std::int32_t GifRowSequence::position(std::int32_t y, std::int32_t height, bool interlaced) {
    if (!interlaced) return y;
    std::int32_t before = 0;
    for (const Pass& pass : kPasses) {
        if (y % pass.step == pass.first) return before + (y - pass.first) / pass.step;
        before += rowsInPass(pass, height);
    }
    return before;
}

}  // namespace s::image::gif::win
