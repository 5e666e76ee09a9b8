// s::archive::icon::Entry -- one entry of an icon directory: the 16 bytes
// that describe an image block (its nominal size and depth, its length and
// its offset in the file), the block itself once it has been loaded, and the
// stream position the 16 bytes were read from.
//
// An entry only carries values; whether they are believable is decided by
// the Archive that reads the block and by the icon image that parses it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"

namespace s::archive::icon {

class Entry final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(Entry, "s_archive_icon_Entry")
public:
    static constexpr std::size_t kSize = 16;

    Entry() = default;
    void reset() override;

    // Reads and writes the 16 little-endian directory bytes.
    void parse(const std::uint8_t* bytes);
    void serialize(std::uint8_t* bytes) const;

    // Width and height bytes: the size when below 256, otherwise 0.
    static std::uint8_t sizeByte(std::int32_t size) {
        return size > 0 && size < 256 ? static_cast<std::uint8_t>(size) : 0;
    }

    std::uint8_t width = 0;
    std::uint8_t height = 0;
    std::uint8_t colourCount = 0;
    std::uint8_t reserved = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint32_t imageOffset = 0;

    std::vector<std::uint8_t> block;
    bool loaded = false;
    // Stream position of the 16 directory bytes.
    std::uint64_t position = 0;
};

}  // namespace s::archive::icon
