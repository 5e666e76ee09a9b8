// s::image::filters::scale::Contribution -- the weights of one resampling
// pass: for every destination index along the pass, the range of source
// indices that contribute to it (first..last) and their weights in 16.16
// fixed point, normalised to sum to (about) 65536.
//
// A record with first == last means "copy that source pixel unchanged".
// compute() guarantees 0 <= first <= last < source length for every record
// and never more than windowSize weights per record, so applying a table
// never reads outside the source line.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "image/filters/scale/IScaleFilter.h"

namespace s::image::filters::scale {

class Contribution final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(Contribution, "s_image_filters_scale_Contribution")
public:
    void reset() override;

    // Builds the table for a pass from sourceLength to destLength pixels
    // (both at least 1). False (table emptied) when memory cannot be had.
    bool compute(const IScaleFilter& kernel, std::int32_t destLength, std::int32_t sourceLength);

    std::int32_t getDestCount() const { return destCount_; }
    std::int32_t getWindowSize() const { return windowSize_; }
    // Bytes per record: first, last and windowSize weights, 4 bytes each.
    std::int32_t getRecordSize() const { return recordSize_; }

    std::int32_t first(std::int32_t i) const { return record(i)[0]; }
    std::int32_t last(std::int32_t i) const { return record(i)[1]; }
    // The record's weights; the first last - first + 1 of them are used.
    const std::int32_t* weights(std::int32_t i) const { return record(i) + 2; }

private:
    const std::int32_t* record(std::int32_t i) const {
        return records_.data() + static_cast<std::size_t>(i) * (recordSize_ / 4);
    }
    void fillRecord(const IScaleFilter& kernel, std::int32_t i, double scale, double support,
                    double fscale, std::int32_t sourceLength, double* scratch);

    std::int32_t destCount_ = 0;
    std::int32_t windowSize_ = 0;
    std::int32_t recordSize_ = 0;
    std::vector<std::int32_t> records_;
};

}  // namespace s::image::filters::scale
