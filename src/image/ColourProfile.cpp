#include "image/ColourProfile.h"

namespace s::image {

namespace {

constexpr std::size_t kColourSpaceOffset = 16;
constexpr std::size_t kSignatureOffset = 36;  // "acsp" in every ICC profile

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
           std::uint32_t{p[3]};
}

}  // namespace

std::string ColourProfile::iccColourSpace(const std::uint8_t* data, std::size_t size) {
    if (!data || size < kIccHeaderBytes) return std::string();
    return std::string(reinterpret_cast<const char*>(data) + kColourSpaceOffset, 4);
}

bool ColourProfile::isCarriedRgbIcc(const std::uint8_t* data, std::size_t size) {
    if (!data || size < kIccHeaderBytes || size > kMaxIccBytes) return false;
    if (bigEndian32(data) != size) return false;
    if (std::string(reinterpret_cast<const char*>(data) + kSignatureOffset, 4) != "acsp") {
        return false;
    }
    return iccColourSpace(data, size) == "RGB ";
}

}  // namespace s::image
