// s::image::jpg::win::IccMarkerReader -- reads the decompressor's APP2
// segments and reassembles an embedded ICC profile from its
// "ICC_PROFILE\0" parts (each part carries its sequence number, 1-based,
// and the number of parts; a profile may span up to 255 segments).
//
// A damaged profile is dropped, never fatal: a sequence number of 0 or above
// the part count, part counts that disagree, a part seen twice, a missing
// part, or parts adding up to more than ColourProfile::kMaxIccBytes (once
// that bound is passed the rest is skipped unread, so a file of endless
// APP2 segments costs no more than 1 MiB). Other APP2 segments are skipped.
// Parts live in the library's image pool, freed when the decompression ends;
// only segments before the first scan count (take() closes the collection).
//
// Lives on the stack of the decoding function; MarkerReaders hands it the
// segments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/jpeg/LibJpeg.h"

namespace s::image::jpg::win {

class IccMarkerReader {
public:
    static constexpr int kMaxParts = 255;

    // Consumes one APP2 segment (the source stands after the marker code).
    // FALSE when the source suspends, as the library expects of a handler.
    boolean readSegment(j_decompress_ptr cinfo);
    // The reassembled profile bytes, or false (profile emptied) when there
    // is none, it is damaged or memory for it cannot be had. Later
    // segments are skipped. Never throws.
    bool take(std::vector<std::uint8_t>& profile) noexcept;

private:
    // Records one part's bytes (already in the pool); false when it breaks
    // the profile.
    bool accept(int sequence, int count, std::size_t size);

    const JOCTET* parts_[kMaxParts + 1] = {};  // by sequence number, 1-based
    std::size_t sizes_[kMaxParts + 1] = {};
    int count_ = 0;  // parts announced by the first part seen; 0 before it
    int seen_ = 0;
    std::size_t total_ = 0;
    bool broken_ = false;
    bool closed_ = false;
};

}  // namespace s::image::jpg::win
