#include "formats/jpeg/IccMarkerReader.h"

#include <cstring>
#include <new>

#include "formats/jpeg/MarkerBytes.h"
#include "image/ColourProfile.h"

namespace s::image::jpg::win {

namespace {

constexpr std::uint8_t kId[12] = {'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0};
constexpr std::size_t kHeaderSize = sizeof kId + 2;  // id, sequence number, part count

}  // namespace

bool IccMarkerReader::accept(int sequence, int count, std::size_t size) {
    if (sequence == 0 || count == 0 || sequence > count) return false;
    if (count_ != 0 && count != count_) return false;
    if (parts_[sequence] != nullptr) return false;
    if (size > s::image::ColourProfile::kMaxIccBytes - total_) return false;
    count_ = count;
    return true;
}

boolean IccMarkerReader::readSegment(j_decompress_ptr cinfo) {
    std::size_t left = 0;
    if (!MarkerBytes::readLength(cinfo, left)) return FALSE;
    if (closed_ || broken_ || left < kHeaderSize) {
        MarkerBytes::skip(cinfo, left);
        return TRUE;
    }
    std::uint8_t header[kHeaderSize];
    if (!MarkerBytes::read(cinfo, header, kHeaderSize)) return FALSE;
    left -= kHeaderSize;
    if (std::memcmp(header, kId, sizeof kId) != 0) {
        MarkerBytes::skip(cinfo, left);
        return TRUE;
    }
    const int sequence = header[sizeof kId];
    const int count = header[sizeof kId + 1];
    if (!accept(sequence, count, left)) {
        broken_ = true;
        MarkerBytes::skip(cinfo, left);
        return TRUE;
    }
    // At most 65519 bytes (the 16-bit segment length less the header).
    auto* part = static_cast<JOCTET*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, left > 0 ? left : 1));
    if (!MarkerBytes::read(cinfo, part, left)) return FALSE;
    parts_[sequence] = part;
    sizes_[sequence] = left;
    total_ += left;
    ++seen_;
    return TRUE;
}

bool IccMarkerReader::take(std::vector<std::uint8_t>& profile) noexcept {
    closed_ = true;
    profile.clear();
    if (broken_ || count_ == 0 || seen_ != count_) return false;
    try {
        profile.reserve(total_);
        for (int i = 1; i <= count_; ++i) {
            profile.insert(profile.end(), parts_[i], parts_[i] + sizes_[i]);
        }
    } catch (const std::bad_alloc&) {
        profile.clear();
        return false;
    }
    return true;
}

}  // namespace s::image::jpg::win
