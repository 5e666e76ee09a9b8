// soak_mutate: writes the batch soak's hostile inputs (scripts/soak.sh).
//
//     soak_mutate OUT_FOLDER BATCH_SIZE SEED_FOLDER...
//
// Every .bmp/.gif/.ico/.jpg/.jpeg/.png file below the seed folders, and a few
// small images made here with Tarvex's own encoders, becomes a number of
// mutated copies: truncations, bit flips, runs of one byte, and header fields
// (sizes, counts, offsets, segment lengths) set to 0, 1, 0x7fff, 0xffff,
// 0x7fffffff or 0xffffffff. PNG chunks whose field was changed get their CRC
// recomputed half of the time, so the change reaches past the CRC check.
// Each format gets about the same number of files whatever the number of its
// seeds. The files go into OUT_FOLDER/batch-NNN/, BATCH_SIZE to a folder; the
// same seeds always give the same files.
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "formats/bmp/Bitmap.h"
#include "formats/gif/Gif.h"
#include "formats/ico/Icon.h"
#include "formats/jpeg/Jpeg.h"
#include "formats/png/Png.h"
#include "foundation/MemoryStreams.h"
#include "image/BufferedImage.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Seeds larger than this are left out: a long animation mutated a dozen times
// would take most of the soak's time under the sanitizers.
constexpr std::uintmax_t kMaxSeedBytes = 128 * 1024;
constexpr std::size_t kFilesPerFormat = 450;
constexpr std::size_t kMinMutantsPerSeed = 3;

struct Seed {
    std::string format;  // bmp gif ico jpg png
    std::string name;    // for the mutants' file names
    Bytes bytes;
};

// A header field a mutation may set to an absurd value. PNG fields name the
// chunk whose CRC covers them (crcFrom: chunk type offset, 0 for none).
struct Field {
    std::size_t offset;
    std::size_t size;  // 1, 2 or 4
    bool bigEndian;
    std::size_t crcFrom = 0;
    std::size_t crcLength = 0;
};

std::uint32_t le32(const Bytes& b, std::size_t at) {
    if (at + 4 > b.size()) return 0;
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t{b[at + 3]} << 24;
}
std::uint32_t be32(const Bytes& b, std::size_t at) {
    if (at + 4 > b.size()) return 0;
    return std::uint32_t{b[at]} << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}
std::size_t be16(const Bytes& b, std::size_t at) {
    return at + 2 > b.size() ? 0 : std::size_t{b[at]} << 8 | b[at + 1];
}

using Layout = std::initializer_list<std::pair<std::size_t, std::size_t>>;  // offset, size

void addLe(std::vector<Field>& fields, std::size_t base, Layout layout) {
    for (const auto& [offset, size] : layout) fields.push_back({base + offset, size, false});
}

void addBe(std::vector<Field>& fields, std::size_t base, Layout layout) {
    for (const auto& [offset, size] : layout) fields.push_back({base + offset, size, true});
}

void bitmapInfoFields(std::vector<Field>& f, std::size_t at) {
    // size, width, height, planes, bit count, compression, image size,
    // colours used, first two channel masks
    addLe(f, at,
          {{0, 4}, {4, 4}, {8, 4}, {12, 2}, {14, 2}, {16, 4}, {20, 4}, {32, 4}, {40, 4}, {44, 4}});
}

std::vector<Field> bmpFields(const Bytes&) {
    std::vector<Field> f;
    addLe(f, 0, {{2, 4}, {10, 4}});  // file size, pixel offset
    bitmapInfoFields(f, 14);
    return f;
}

void pngChunkFields(const Bytes& b, std::size_t start, std::vector<Field>& f) {
    std::size_t at = start + 8;
    for (int chunk = 0; chunk < 16 && at + 12 <= b.size(); ++chunk) {
        const std::size_t length = be32(b, at);
        f.push_back({at, 4, true});
        if (b[at + 4] == 'I' && b[at + 5] == 'H' && at + 25 <= b.size()) {
            // width, height, depth, colour type, compression, filter, interlace
            for (auto [offset, size] :
                 Layout{{8, 4}, {12, 4}, {16, 1}, {17, 1}, {18, 1}, {19, 1}, {20, 1}}) {
                f.push_back({at + offset, size, true, at + 4, 4 + 13});
            }
        }
        if (length > b.size() - at - 12) break;
        at += 12 + length;
    }
}

std::vector<Field> pngFields(const Bytes& b) {
    std::vector<Field> f;
    pngChunkFields(b, 0, f);
    return f;
}

void jpegSegmentFields(std::size_t at, std::uint8_t marker, std::vector<Field>& f) {
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
        // precision, height, width, component count, then per component its
        // sampling factors and table
        addBe(f, at, {{4, 1}, {5, 2}, {7, 2}, {9, 1}, {11, 1}, {12, 1}, {14, 1}, {15, 1}});
    } else if (marker == 0xDA) {
        addBe(f, at, {{4, 1}, {6, 1}});  // component count of the scan, its tables
    } else if (marker == 0xC4 || marker == 0xDB) {
        addBe(f, at, {{4, 1}, {5, 1}});  // table class and id, first count or value
    } else if (marker == 0xDD) {
        addBe(f, at, {{4, 2}});  // restart interval
    }
}

std::vector<Field> jpegFields(const Bytes& b) {
    std::vector<Field> f;
    std::size_t at = 2;
    while (at + 4 <= b.size() && b[at] == 0xFF) {
        const std::uint8_t marker = b[at + 1];
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        f.push_back({at + 2, 2, true});  // segment length
        jpegSegmentFields(at, marker, f);
        if (marker == 0xDA) break;
        at += 2 + be16(b, at + 2);
    }
    return f;
}

// Skips a run of GIF sub-blocks from at; adds the first length byte.
std::size_t skipSubBlocks(const Bytes& b, std::size_t at, std::vector<Field>& f) {
    if (at < b.size()) f.push_back({at, 1, false});
    while (at < b.size() && b[at] != 0) at += 1 + b[at];
    return at + 1;
}

std::vector<Field> gifFields(const Bytes& b) {
    std::vector<Field> f;
    if (b.size() < 13) return f;
    addLe(f, 0, {{6, 2}, {8, 2}, {10, 1}});  // screen size, table flags
    std::size_t at = 13 + ((b[10] & 0x80) ? 3u << ((b[10] & 7) + 1) : 0);
    for (int block = 0; block < 24 && at < b.size(); ++block) {
        if (b[at] == 0x2C && at + 10 <= b.size()) {
            addLe(f, at, {{1, 2}, {3, 2}, {5, 2}, {7, 2}, {9, 1}});  // placement, size, flags
            at += 10 + ((b[at + 9] & 0x80) ? 3u << ((b[at + 9] & 7) + 1) : 0);
            f.push_back({at, 1, false});  // minimum code size
            at = skipSubBlocks(b, at + 1, f);
        } else if (b[at] == 0x21 && at + 2 <= b.size()) {
            f.push_back({at + 1, 1, false});  // extension label
            at = skipSubBlocks(b, at + 2, f);
        } else {
            break;
        }
    }
    return f;
}

std::vector<Field> icoFields(const Bytes& b) {
    std::vector<Field> f;
    addLe(f, 0, {{2, 2}, {4, 2}});  // type, count
    const std::size_t count = std::min<std::size_t>(b.size() >= 6 ? b[4] | b[5] << 8 : 0, 8);
    for (std::size_t i = 0; i < count && 6 + 16 * (i + 1) <= b.size(); ++i) {
        const std::size_t entry = 6 + 16 * i;
        // width, height, colours, planes, bit count, byte size, offset
        addLe(f, entry, {{0, 1}, {1, 1}, {2, 1}, {4, 2}, {6, 2}, {8, 4}, {12, 4}});
        const std::size_t image = le32(b, entry + 12);
        if (image + 40 <= b.size() && le32(b, image) == 40) bitmapInfoFields(f, image);
        if (image + 33 <= b.size() && b[image] == 0x89 && b[image + 1] == 'P') {
            pngChunkFields(b, image, f);
        }
    }
    return f;
}

std::vector<Field> fieldsOf(const Seed& seed) {
    if (seed.format == "bmp") return bmpFields(seed.bytes);
    if (seed.format == "png") return pngFields(seed.bytes);
    if (seed.format == "jpg") return jpegFields(seed.bytes);
    if (seed.format == "gif") return gifFields(seed.bytes);
    return icoFields(seed.bytes);
}

// The chunk CRC of PNG files, as zlib computes it.
std::uint32_t chunkCrc(const std::uint8_t* data, std::size_t size) {
    return static_cast<std::uint32_t>(::crc32(0L, data, static_cast<uInt>(size)));
}

class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : random_(seed) {}

    std::uint32_t next(std::uint32_t bound) { return bound ? random_() % bound : 0; }

    void truncate(Bytes& b) { b.resize(next(static_cast<std::uint32_t>(b.size()))); }

    // Flips up to 16 bits, half of the time within the first 512 bytes,
    // where the headers are.
    void flipBits(Bytes& b) {
        if (b.empty()) return;
        const std::uint32_t span = next(2) ? std::min<std::uint32_t>(512, b.size()) : b.size();
        for (std::uint32_t n = 1 + next(16); n > 0; --n) b[next(span)] ^= 1u << next(8);
    }

    void byteRun(Bytes& b) {
        if (b.empty()) return;
        const std::size_t at = next(static_cast<std::uint32_t>(b.size()));
        const std::size_t length = std::min<std::size_t>(1 + next(64), b.size() - at);
        static constexpr std::array<int, 3> kValues = {0x00, 0xFF, -1};
        const int pick = kValues[next(3)];
        const std::uint8_t value = pick < 0 ? static_cast<std::uint8_t>(next(256)) : pick;
        std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(at), length, value);
    }

    // Sets one field to an absurd value; false when the seed has no field.
    bool absurdField(Bytes& b, const std::vector<Field>& fields) {
        static constexpr std::array<std::uint32_t, 6> kValues = {0,      1,          0x7fff,
                                                                 0xffff, 0x7fffffff, 0xffffffff};
        if (fields.empty()) return false;
        const Field& field = fields[next(static_cast<std::uint32_t>(fields.size()))];
        if (field.offset + field.size > b.size()) return false;
        std::uint32_t value = kValues[next(kValues.size())];
        if (field.size == 1) value = value == 0x7fff || value == 0x7fffffff ? 0x7f : value & 0xFF;
        if (field.size == 2) value = value > 0xffff ? value >> 16 : value;
        for (std::size_t i = 0; i < field.size; ++i) {
            const std::size_t shift = 8 * (field.bigEndian ? field.size - 1 - i : i);
            b[field.offset + i] = static_cast<std::uint8_t>(value >> shift);
        }
        if (field.crcFrom && next(2)) fixCrc(b, field);
        return true;
    }

private:
    static void fixCrc(Bytes& b, const Field& field) {
        const std::size_t end = field.crcFrom + field.crcLength;
        if (end + 4 > b.size()) return;
        const std::uint32_t crc = chunkCrc(b.data() + field.crcFrom, field.crcLength);
        for (std::size_t i = 0; i < 4; ++i)
            b[end + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    }

    std::mt19937 random_;
};

// One mutant of a seed; the kind cycles so every seed gets each of them.
std::string mutate(Mutator& m, Bytes& b, const std::vector<Field>& fields, std::size_t index) {
    switch (index % 6) {
        case 0:
            m.truncate(b);
            return "cut";
        case 1:
            m.flipBits(b);
            return "bits";
        case 2:
            m.byteRun(b);
            return "run";
        case 3:
        case 4:
            if (m.absurdField(b, fields)) return "field";
            m.flipBits(b);
            return "bits";
        default:
            // A bad header on a file cut short: the reader must not trust
            // either.
            m.absurdField(b, fields);
            if (m.next(2)) m.absurdField(b, fields);
            m.truncate(b);
            return "field-cut";
    }
}

std::string formatOf(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (ext == ".jpeg" || ext == ".jpg") return "jpg";
    if (ext == ".bmp" || ext == ".gif" || ext == ".ico" || ext == ".png") return ext.substr(1);
    return "";
}

std::string safeName(std::string text) {
    for (char& c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') c = '_';
    }
    return text.substr(0, 40);
}

void collectSeeds(const fs::path& folder, std::vector<Seed>& seeds) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
        if (entry.is_regular_file(error) && !formatOf(entry.path()).empty() &&
            entry.file_size(error) <= kMaxSeedBytes) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        seeds.push_back({formatOf(file), safeName(file.stem().string()), std::move(bytes)});
    }
}

// A small test picture: colour gradients, and an alpha ramp when asked.
s::thread::Pooled<s::image::win::BufferedImage> picture(std::int32_t w, std::int32_t h,
                                                        bool alpha) {
    auto image = s::image::win::BufferedImage::createImage(w, h);
    if (!image) return image;
    for (std::int32_t y = 0; y < h; ++y) {
        std::uint32_t* row = image->getPixelRow(y);
        for (std::int32_t x = 0; x < w; ++x) {
            const std::uint32_t a = alpha ? (255u * static_cast<std::uint32_t>(x) / w) : 255u;
            row[x] = a << 24 | (x * 37u & 0xFF) << 16 | (y * 59u & 0xFF) << 8 | ((x ^ y) & 0xFF);
        }
    }
    image->setAlpha(alpha);
    return image;
}

template <class Codec>
void addGenerated(const char* format, std::vector<Seed>& seeds) {
    struct Size {
        std::int32_t w, h;
        bool alpha;
    };
    for (const Size size :
         {Size{1, 1, false}, Size{3, 2, true}, Size{33, 7, false}, Size{64, 48, true}}) {
        auto image = picture(size.w, size.h, size.alpha);
        auto codec = Codec::take();
        if (!image || !codec) continue;
        auto encoded = codec->encodeImage(*image);
        s::io::MemoryOutputStream out;
        if (!encoded || !encoded->writeTo(out)) continue;
        seeds.push_back({format,
                         "made-" + std::to_string(size.w) + "x" + std::to_string(size.h) +
                             (size.alpha ? "-alpha" : ""),
                         out.take()});
    }
}

// Mostly the seed's own extension; now and then another one (the content
// decides the reader) or an upper-case one.
std::string extensionFor(Mutator& m, const std::string& format) {
    static constexpr std::array<const char*, 7> kOthers = {".bmp",  ".gif", ".ico", ".jpg",
                                                           ".jpeg", ".png", ".PNG"};
    if (m.next(8) == 0) return kOthers[m.next(kOthers.size())];
    return "." + format;
}

bool writeBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s OUT_FOLDER BATCH_SIZE SEED_FOLDER...\n", argv[0]);
        return 2;
    }
    const fs::path out = argv[1];
    const std::size_t batchSize = std::max(1, std::atoi(argv[2]));
    std::vector<Seed> seeds;
    for (int i = 3; i < argc; ++i) collectSeeds(argv[i], seeds);
    addGenerated<s::image::bmp::win::Bitmap>("bmp", seeds);
    addGenerated<s::image::gif::win::Gif>("gif", seeds);
    addGenerated<s::image::ico::win::Icon>("ico", seeds);
    addGenerated<s::image::jpg::win::Jpeg>("jpg", seeds);
    addGenerated<s::image::png::win::Png>("png", seeds);

    std::map<std::string, std::size_t> perFormat;
    for (const Seed& seed : seeds) ++perFormat[seed.format];
    Mutator mutator(0x7A5E5EEDu);
    std::size_t written = 0;
    for (const Seed& seed : seeds) {
        const std::size_t mutants =
            std::max(kMinMutantsPerSeed, kFilesPerFormat / perFormat[seed.format]);
        const std::vector<Field> fields = fieldsOf(seed);
        for (std::size_t i = 0; i < mutants; ++i) {
            Bytes bytes = seed.bytes;
            const std::string kind = mutate(mutator, bytes, fields, i);
            const fs::path folder =
                out / ("batch-" + std::to_string(1000 + written / batchSize).substr(1));
            // The running number keeps names unique when two seeds share a stem.
            char number[16];
            std::snprintf(number, sizeof number, "%05zu", written);
            const std::string name = std::string(number) + "-" + seed.format + "-" + seed.name +
                                     "-" + kind + extensionFor(mutator, seed.format);
            std::error_code error;
            fs::create_directories(folder, error);
            if (!writeBytes(folder / name, bytes)) {
                std::fprintf(stderr, "cannot write %s\n", (folder / name).c_str());
                return 1;
            }
            ++written;
        }
    }
    std::printf("%zu seeds, %zu files in %s\n", seeds.size(), written, out.c_str());
    return 0;
}
