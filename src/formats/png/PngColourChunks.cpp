#include "formats/png/PngColourChunks.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace s::image::png::win {

using s::image::ColourProfile;

namespace {

// Each name followed by its terminating zero, as the library wants the list.
constexpr png_byte kColourChunks[] = "iCCP\0sRGB\0gAMA\0cHRM";
constexpr int kColourChunkCount = 4;
constexpr const char* kTypes[kColourChunkCount] = {"iCCP", "sRGB", "gAMA", "cHRM"};

constexpr std::size_t kMaxProfileName = 79;

bool isType(const png_unknown_chunk& chunk, const char* type) {
    return std::memcmp(chunk.name, type, 4) == 0;
}

bool isType(const ColourProfile::PngChunk& chunk, const char* type) {
    return std::memcmp(chunk.type.data(), type, 4) == 0;
}

// The chunk's index in kTypes, or kColourChunkCount for another type.
int kindOf(const png_unknown_chunk& chunk) {
    int kind = 0;
    while (kind < kColourChunkCount && !isType(chunk, kTypes[kind])) ++kind;
    return kind;
}

std::uint32_t bigEndian32(const png_byte* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
           std::uint32_t{p[3]};
}

}  // namespace

void PngColourChunks::keepOnReading(png_structp png) {
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_ALWAYS, kColourChunks, kColourChunkCount);
}

bool PngColourChunks::inflate(const std::uint8_t* data, std::size_t size, std::size_t limit,
                              std::vector<std::uint8_t>& out) noexcept {
    out.clear();
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) return false;
    int status = Z_OK;
    try {
        std::uint8_t buffer[16384];
        zs.next_in = const_cast<Bytef*>(data);
        zs.avail_in = static_cast<uInt>(std::min<std::size_t>(size, UINT32_MAX));
        while (status == Z_OK) {
            zs.next_out = buffer;
            zs.avail_out = sizeof buffer;
            status = ::inflate(&zs, Z_NO_FLUSH);
            const std::size_t produced = sizeof buffer - zs.avail_out;
            if (produced > limit - out.size()) {
                status = Z_BUF_ERROR;
                break;
            }
            out.insert(out.end(), buffer, buffer + produced);
            // No input left and nothing more produced: the stream is cut.
            if (status == Z_OK && zs.avail_in == 0 && produced == 0) status = Z_BUF_ERROR;
        }
    } catch (const std::bad_alloc&) {
        status = Z_MEM_ERROR;
    }
    inflateEnd(&zs);
    if (status != Z_STREAM_END) out.clear();
    return status == Z_STREAM_END;
}

bool PngColourChunks::iccOf(const std::uint8_t* body, std::size_t size,
                            std::vector<std::uint8_t>& icc) {
    const auto* end = body + size;
    const auto* zero = std::find(body, end, std::uint8_t{0});
    const std::size_t nameLength = static_cast<std::size_t>(zero - body);
    if (zero == end || nameLength == 0 || nameLength > kMaxProfileName) return false;
    const auto* method = zero + 1;
    if (method == end || *method != 0) return false;
    const auto* compressed = method + 1;
    return inflate(compressed, static_cast<std::size_t>(end - compressed),
                   ColourProfile::kMaxIccBytes, icc) &&
           ColourProfile::isCarriedRgbIcc(icc.data(), icc.size());
}

bool PngColourChunks::isWellFormed(const png_unknown_chunk& chunk, bool colour) {
    // Colour chunks belong before the palette.
    if ((chunk.location & PNG_HAVE_PLTE) != 0) return false;
    if (isType(chunk, "sRGB")) return chunk.size == 1 && chunk.data[0] <= 3;
    if (isType(chunk, "gAMA")) return chunk.size == 4 && bigEndian32(chunk.data) != 0;
    if (isType(chunk, "cHRM")) return chunk.size == 32;
    return colour;  // iCCP: checked with its profile
}

std::shared_ptr<const ColourProfile> PngColourChunks::collect(png_structp png,
                                                              png_infop info) noexcept {
    png_unknown_chunkp chunks = nullptr;
    const int count = png_get_unknown_chunks(png, info, &chunks);
    const bool colour = (png_get_color_type(png, info) & PNG_COLOR_MASK_COLOR) != 0;
    std::shared_ptr<ColourProfile> profile;
    try {
        auto kept = std::make_shared<ColourProfile>();
        bool seen[kColourChunkCount] = {};
        for (int i = 0; i < count; ++i) {
            const png_unknown_chunk& chunk = chunks[i];
            const int kind = kindOf(chunk);
            if (kind == kColourChunkCount || seen[kind]) continue;
            seen[kind] = true;
            if (!isWellFormed(chunk, colour)) continue;
            if (isType(chunk, "iCCP")) {
                std::vector<std::uint8_t> icc;
                if (!iccOf(chunk.data, chunk.size, icc)) continue;
                kept->icc = std::move(icc);
            }
            ColourProfile::PngChunk copy;
            std::memcpy(copy.type.data(), chunk.name, 4);
            copy.body.assign(chunk.data, chunk.data + chunk.size);
            kept->pngChunks.push_back(std::move(copy));
        }
        const bool described =
            std::any_of(kept->pngChunks.begin(), kept->pngChunks.end(),
                        [](const auto& c) { return isType(c, "iCCP") || isType(c, "sRGB"); });
        if (described) {
            // gAMA and cHRM only stand in for a missing profile.
            std::erase_if(kept->pngChunks,
                          [](const auto& c) { return isType(c, "gAMA") || isType(c, "cHRM"); });
        }
        if (!kept->empty()) profile = std::move(kept);
    } catch (const std::bad_alloc&) {
        profile.reset();
    }
    png_free_data(png, info, PNG_FREE_UNKN, -1);
    return profile;
}

void PngColourChunks::write(png_structp png, const ColourProfile& profile) {
    for (const ColourProfile::PngChunk& chunk : profile.pngChunks) {
        png_write_chunk(png, reinterpret_cast<png_const_bytep>(chunk.type.data()),
                        chunk.body.data(), chunk.body.size());
    }
}

}  // namespace s::image::png::win
