#include "formats/ico/Archive.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <new>

namespace s::archive::icon {

namespace {

constexpr std::uint64_t kUnknownSize = std::numeric_limits<std::uint64_t>::max();
// A block is read in pieces of this size, so a stream of unknown length
// never sees one allocation for a length it cannot deliver.
constexpr std::size_t kReadPiece = 1 << 20;

std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

void put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

// True when [start + offset, start + offset + length) lies inside a stream
// of `size` bytes (always true when the size is unknown).
bool fits(std::uint64_t size, std::uint64_t start, std::uint64_t offset, std::uint64_t length) {
    if (size == kUnknownSize) return true;
    return start <= size && offset <= size - start && length <= size - start - offset;
}

// Reads exactly `length` bytes into `out`, growing it piece by piece.
bool readPieces(s::io::IInputStream& stream, std::uint64_t length, std::vector<std::uint8_t>& out) {
    out.clear();
    while (out.size() < length) {
        const std::size_t at = out.size();
        const std::size_t piece =
            static_cast<std::size_t>(std::min<std::uint64_t>(kReadPiece, length - at));
        out.resize(at + piece);
        if (!stream.readFully(out.data() + at, piece)) return false;
    }
    return true;
}

}  // namespace

void Archive::reset() {
    reserved = 0;
    type = kIconType;
    count = 0;
    entries_.clear();
    stream_ = nullptr;
    start_ = 0;
}

Entry* Archive::getEntry(std::int32_t i) const {
    if (i < 0 || i >= getCount()) return nullptr;
    return entries_[static_cast<std::size_t>(i)].get();
}

bool Archive::open(s::io::IInputStream& stream) {
    reset();
    stream_ = &stream;
    start_ = stream.position();
    std::uint8_t header[kHeaderSize];
    if (!stream.readFully(header, sizeof header)) return false;
    reserved = u16(header);
    type = u16(header + 2);
    count = u16(header + 4);
    if (reserved != 0 || type != kIconType) return false;
    if (!fits(stream.size(), start_, kHeaderSize, std::uint64_t{Entry::kSize} * count)) {
        return false;
    }
    try {
        if (readDirectory()) return true;
    } catch (const std::bad_alloc&) {
    }
    entries_.clear();
    return false;
}

bool Archive::readDirectory() {
    entries_.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        s::thread::Pooled<Entry> entry = Entry::take();
        if (!entry) return false;
        entry->position = stream_->position();
        std::uint8_t bytes[Entry::kSize];
        if (!stream_->readFully(bytes, sizeof bytes)) return false;
        entry->parse(bytes);
        entries_.push_back(std::move(entry));
    }
    return true;
}

bool Archive::load(Entry& entry) {
    entry.loaded = false;
    std::vector<std::uint8_t>().swap(entry.block);
    if (!stream_ || entry.bytesInRes == 0 ||
        !fits(stream_->size(), start_, entry.imageOffset, entry.bytesInRes) ||
        !stream_->seek(start_ + entry.imageOffset)) {
        return false;
    }
    try {
        entry.loaded = readPieces(*stream_, entry.bytesInRes, entry.block);
    } catch (const std::bad_alloc&) {
        entry.loaded = false;
    }
    if (!entry.loaded) std::vector<std::uint8_t>().swap(entry.block);
    return entry.loaded;
}

std::int32_t Archive::findPreferred() const {
    constexpr std::int64_t kWantedArea = 32 * 32;
    constexpr std::int64_t kWantedDepth = 32;
    std::int32_t best = -1;
    std::int64_t bestArea = 0, bestDepth = 0;
    for (std::int32_t i = 0; i < getCount(); ++i) {
        const Entry& e = *entries_[static_cast<std::size_t>(i)];
        if (e.width == 32 && e.height == 32 && e.bitCount == 32) return i;
        const std::int64_t area = std::abs(std::int64_t{e.width} * e.height - kWantedArea);
        const std::int64_t depth = std::abs(std::int64_t{e.bitCount} - kWantedDepth);
        if (best < 0 || area < bestArea || (area == bestArea && depth < bestDepth)) {
            best = i;
            bestArea = area;
            bestDepth = depth;
        }
    }
    return best;
}

void Archive::add(s::thread::Pooled<Entry> entry) {
    if (entry) entries_.push_back(std::move(entry));
}

bool Archive::write(s::io::IOutputStream& stream) {
    if (entries_.size() > std::numeric_limits<std::uint16_t>::max()) return false;
    count = static_cast<std::uint16_t>(entries_.size());
    std::uint64_t offset = kHeaderSize + std::uint64_t{Entry::kSize} * count;
    for (const auto& entry : entries_) {
        const std::uint64_t length = entry->block.size();
        if (length > std::numeric_limits<std::uint32_t>::max() - offset) return false;
        entry->bytesInRes = static_cast<std::uint32_t>(length);
        entry->imageOffset = static_cast<std::uint32_t>(offset);
        offset += length;
    }
    std::uint8_t header[kHeaderSize];
    put16(header, reserved);
    put16(header + 2, type);
    put16(header + 4, count);
    if (!stream.writeAll(header, sizeof header)) return false;
    for (const auto& entry : entries_) {
        std::uint8_t bytes[Entry::kSize];
        entry->position = stream.position();
        entry->serialize(bytes);
        if (!stream.writeAll(bytes, sizeof bytes)) return false;
    }
    for (const auto& entry : entries_) {
        if (!stream.writeAll(entry->block.data(), entry->block.size())) return false;
    }
    return true;
}

}  // namespace s::archive::icon
