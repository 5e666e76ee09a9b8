// s::job::SampleFilters -- the scale filters of one sample on every member of
// a decoded image set, for as long as the object lives.
//
// The constructor gives every member its own filter, all set up from the
// decoded set's size before any is applied, then measures the set again so
// its size is that of its largest resized member (the size an output's name
// carries). The destructor removes the filters from every member and
// measures the set again, so the next sample is judged against the decoded
// images' size and one sample's output size never leaks into the next.
#pragma once

#include <cstdint>

#include "image/BufferedImageSet.h"
#include "job/Sizer.h"

namespace s::job {

class SampleFilters {
public:
    SampleFilters(const s::image::util::Sizer& sizer, std::int32_t sample,
                  s::image::win::BufferedImageSet& set);
    ~SampleFilters();
    SampleFilters(const SampleFilters&) = delete;
    SampleFilters& operator=(const SampleFilters&) = delete;

    // False when a filter or the resized pixels of a member cannot be had;
    // nothing may be encoded from the set then.
    bool ready() const { return ready_; }

private:
    bool attach(const s::image::util::Sizer& sizer, std::int32_t sample);

    s::image::win::BufferedImageSet& set_;
    bool ready_ = false;
};

}  // namespace s::job
