// Helpers shared by the fuzz targets: driving a codec through everything a
// hostile file can reach (read, decode one and all, re-encode, write), and
// touching every decoded pixel so the sanitizers see pixels that were never
// written or lie outside their buffer.
//
// The same targets build two ways: linked with libFuzzer, and as plain
// replay programs (ReplayMain.cpp) that feed every file of some folders to
// the target, so kept reproducers run under ctest in every build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/IEncodedImage.h"
#include "image/BufferedImage.h"
#include "image/BufferedImageSet.h"

namespace s::fuzz {

// Decoded sets with more pixels than this (all members together) are read
// but not resized or re-encoded: the resampler and the encoders are exercised
// just as well on small images, and the fuzzer stays fast (re-encoding
// quantizes every pixel of every frame, the costliest step of a run).
constexpr std::int64_t kMaxWorkPixels = std::int64_t{1} << 16;

// Files whose images together declare more pixels than this are read but not
// decoded.
constexpr std::int64_t kMaxDecodePixels = std::int64_t{1} << 22;

// The pixels of all members together.
std::int64_t totalPixels(const s::image::win::BufferedImageSet& set);

// Reads every byte of the logical rows and folds them into a sink the
// compiler cannot drop.
void touchPixels(const s::image::win::BufferedImage& image);
void touchSet(const s::image::win::BufferedImageSet& set);

// Runs a codec object over the input: readFrom, decode of each index, decodeAll,
// then (for small images) encodeSet and writeTo a memory stream. Whatever the
// codec writes must read back with a fresh object of the same class: fresh
// returns such an object.
void exerciseCodec(s::image::IEncodedImage& codec, const std::uint8_t* data, std::size_t size,
                   s::thread::Pooled<s::image::IEncodedImage> (*fresh)());

// The whole target for one codec class.
template <class Codec>
int fuzzCodec(const std::uint8_t* data, std::size_t size) {
    s::thread::Pooled<Codec> codec = Codec::take();
    if (codec) {
        exerciseCodec(*codec, data, size,
                      [] { return s::thread::Pooled<s::image::IEncodedImage>(Codec::take()); });
    }
    return 0;
}

// A folder of this process's own below the system's temporary folder,
// created on first use (targets that need files: detection, settings).
const std::string& scratchFolder();
// Writes bytes to path, replacing it; false when that fails.
bool writeFile(const std::string& path, const std::uint8_t* data, std::size_t size);
// Removes every file in the scratch folder.
void clearScratch();

}  // namespace s::fuzz
