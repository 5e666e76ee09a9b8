// s::archive::icon::Archive -- the container side of an icon file: the
// 6-byte header (reserved, type, count), the directory of 16-byte entries
// and the image blocks they point to.
//
// Reading is for untrusted files. open() accepts only the icon header
// (reserved 0, type 1) with a directory that lies completely inside the
// data; load() reads an entry's block only when the block is not empty and
// lies completely inside the data, so no length or offset from the file ever
// drives a read or an allocation beyond what the file holds.
//
// Writing lays the entries out in the order they were added: header,
// directory, then the blocks back to back, each entry's offset and length
// taken from its block.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/ico/Entry.h"
#include "foundation/EasyPooler.h"
#include "foundation/IInputStream.h"
#include "foundation/IObject.h"
#include "foundation/IOutputStream.h"

namespace s::archive::icon {

class Archive final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(Archive, "s_archive_icon_Archive")
public:
    static constexpr std::uint64_t kHeaderSize = 6;
    static constexpr std::uint16_t kIconType = 1;

    Archive() = default;
    void reset() override;

    // Binds the stream at its current position (the start of the icon data)
    // and reads the header and every directory entry. False (archive empty)
    // when the header is not an icon header or the directory is cut short.
    bool open(s::io::IInputStream& stream);
    // Reads the entry's block from the bound stream. False when the block is
    // empty or reaches beyond the data.
    bool load(Entry& entry);

    // The entry an icon lists first: one of 32 x 32 at 32 bits at once,
    // otherwise the one whose area (width byte x height byte) is nearest to
    // 32 x 32, the bit count nearer to 32 breaking ties, the earlier entry
    // winning what is still tied. -1 for an empty directory.
    std::int32_t findPreferred() const;

    // Appends an entry (its block filled) for write().
    void add(s::thread::Pooled<Entry> entry);
    // Writes header, directory and blocks, setting each entry's length and
    // offset. False when the stream fails or the layout does not fit the
    // format's 16-bit count and 32-bit offsets.
    bool write(s::io::IOutputStream& stream);

    std::int32_t getCount() const { return static_cast<std::int32_t>(entries_.size()); }
    // Entry i, or null when i is not an entry index.
    Entry* getEntry(std::int32_t i) const;

    std::uint16_t reserved = 0;
    std::uint16_t type = kIconType;
    std::uint16_t count = 0;

private:
    bool readDirectory();

    std::vector<s::thread::Pooled<Entry>> entries_;
    s::io::IInputStream* stream_ = nullptr;
    std::uint64_t start_ = 0;
};

}  // namespace s::archive::icon
