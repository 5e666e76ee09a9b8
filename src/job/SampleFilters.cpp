#include "job/SampleFilters.h"

namespace s::job {

using s::image::win::BufferedImage;

SampleFilters::SampleFilters(const s::image::util::Sizer& sizer, std::int32_t sample,
                             s::image::win::BufferedImageSet& set)
    : set_(set) {
    ready_ = attach(sizer, sample);
    if (ready_) set_.updateLargest();
}

SampleFilters::~SampleFilters() {
    for (std::int32_t k = 0; k < set_.getCount(); ++k) {
        if (BufferedImage* image = set_.getImage(k)) image->clearFilters();
    }
    set_.updateLargest();
}

// All filters are made from the decoded set's size before any result is
// asked for, since a result may change what the set reports.
bool SampleFilters::attach(const s::image::util::Sizer& sizer, std::int32_t sample) {
    const std::int32_t count = set_.getCount();
    for (std::int32_t k = 0; k < count; ++k) {
        BufferedImage* image = set_.getImage(k);
        auto filter = sizer.makeScaleFilter(sample, set_);
        if (!image || !filter) return false;
        image->addFilter(std::move(filter));
    }
    for (std::int32_t k = 0; k < count; ++k) {
        if (!set_.getImage(k)->getFiltered()) return false;
    }
    return true;
}

}  // namespace s::job
