#include "image/filters/reduction/Quantizer.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace s::image::filters::reduction {

namespace {

constexpr std::int32_t kNone = -1;
constexpr int kLevels = 8;  // interior levels 0..7; leaves are created at level 8
constexpr std::int32_t kMergeBelow = 16;

struct LeafColour {
    std::uint32_t red, green, blue, alpha;
    std::uint64_t count;
};

std::uint32_t packColour(std::uint32_t alpha, std::uint32_t red, std::uint32_t green,
                         std::uint32_t blue) {
    return alpha << 24 | red << 16 | green << 8 | blue;
}

}  // namespace

// Sums are 64-bit so that an image of up to ImageLimits pixels of one colour
// cannot overflow them.
struct Quantizer::Node {
    bool isLeaf = false;
    std::uint64_t pixelCount = 0;
    std::uint64_t sumRed = 0, sumGreen = 0, sumBlue = 0, sumAlpha = 0;
    std::int32_t children[8] = {kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone};
    std::int32_t nextReducible = kNone;
};

// The tree lives in an arena addressed by index; freed nodes are reused.
struct Quantizer::Impl {
    std::vector<Node> nodes;
    std::vector<std::int32_t> freeNodes;
    std::int32_t root = kNone;
    std::uint32_t leafCount = 0;
    std::int32_t reducible[kLevels] = {kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone};
    // Nearest palette index by exact colour, direct-mapped: graphics, icons
    // and animation frames repeat colours across rows, and a hit skips the
    // palette search. A slot holds the colour plus one (0 = empty) and the
    // index the search gave for it, so results are unchanged. mapRow writes
    // it, so a quantizer maps rows on one thread at a time (one per call).
    static constexpr std::size_t kCacheSlots = 4096;
    std::vector<std::uint32_t> cacheKeys = std::vector<std::uint32_t>(kCacheSlots, 0);
    std::vector<std::uint8_t> cacheIndices = std::vector<std::uint8_t>(kCacheSlots, 0);

    void clearCache() { std::fill(cacheKeys.begin(), cacheKeys.end(), 0u); }

    // The filled entries sorted by green: the nearest-colour search starts
    // at the pixel's green and stops on each side once green alone is
    // farther than the best distance found.
    struct SortedEntry {
        std::int32_t green, red, blue, index;
    };
    std::vector<SortedEntry> byGreen;

    // A zeroed node (throws std::bad_alloc when the arena cannot grow).
    std::int32_t allocate() {
        if (!freeNodes.empty()) {
            const std::int32_t index = freeNodes.back();
            freeNodes.pop_back();
            nodes[index] = Node{};
            return index;
        }
        nodes.emplace_back();
        return static_cast<std::int32_t>(nodes.size() - 1);
    }

    // Frees a subtree, children before their parent.
    void release(std::int32_t index) {
        for (std::int32_t& child : nodes[index].children) {
            if (child != kNone) release(child);
            child = kNone;
        }
        freeNodes.push_back(index);
    }

    void clear() {
        nodes.clear();
        freeNodes.clear();
        root = kNone;
        leafCount = 0;
        std::fill(std::begin(reducible), std::end(reducible), kNone);
        clearCache();
        byGreen.clear();
    }

    void collectLeaves(std::int32_t index, std::vector<LeafColour>& out) const {
        const Node& node = nodes[index];
        if (node.isLeaf) {
            const std::uint64_t n = std::max<std::uint64_t>(node.pixelCount, 1);
            out.push_back({static_cast<std::uint32_t>(node.sumRed / n),
                           static_cast<std::uint32_t>(node.sumGreen / n),
                           static_cast<std::uint32_t>(node.sumBlue / n),
                           static_cast<std::uint32_t>(node.sumAlpha / n), node.pixelCount});
            return;
        }
        for (std::int32_t child : node.children)
            if (child != kNone) collectLeaves(child, out);
    }
};

Quantizer::Quantizer() : impl_(new Impl) {}

Quantizer::~Quantizer() {
    delete impl_;
}

void Quantizer::reset() {
    impl_->clear();
    colourCount_ = 16;
    filled_ = 0;
    opaque_ = false;
}

bool Quantizer::build(const s::image::win::BufferedImage& image, std::int32_t colours) {
    reset();
    colourCount_ = std::clamp(colours, 1, 256);
    opaque_ = !image.hasAlpha();
    const std::uint32_t limit = static_cast<std::uint32_t>(std::max(kMergeBelow, colourCount_));
    try {
        for (std::int32_t y = 0; y < image.getHeight(); ++y) {
            const std::uint8_t* pixel = image.getRow(y);
            for (std::int32_t x = 0; x < image.getWidth(); ++x, pixel += 4) {
                if (!opaque_ && pixel[3] == 0) continue;
                insert(pixel[2], pixel[1], pixel[0]);
                while (impl_->leafCount > limit) reduce();
            }
        }
        buildPalette();
    } catch (const std::bad_alloc&) {
        reset();
        std::fill(std::begin(palette_), std::end(palette_), 0u);
        return false;
    }
    return true;
}

void Quantizer::insert(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    Impl& tree = *impl_;
    // The slot is named by its parent and child number, not by address:
    // creating a node may move the arena.
    std::int32_t parent = kNone;
    int child = 0;
    std::int32_t index = tree.root;
    for (int level = 0;; ++level) {
        if (index == kNone) {
            index = tree.allocate();
            (parent == kNone ? tree.root : tree.nodes[parent].children[child]) = index;
            Node& created = tree.nodes[index];
            if (level == kLevels) {
                created.isLeaf = true;
                ++tree.leafCount;
            } else {
                created.nextReducible = tree.reducible[level];
                tree.reducible[level] = index;
            }
        }
        Node& node = tree.nodes[index];
        if (node.isLeaf) {
            ++node.pixelCount;
            node.sumRed += red;
            node.sumGreen += green;
            node.sumBlue += blue;
            return;
        }
        const int shift = 7 - level;
        child = ((red >> shift) & 1) * 4 + ((green >> shift) & 1) * 2 + ((blue >> shift) & 1);
        parent = index;
        index = node.children[child];
    }
}

void Quantizer::reduce() {
    Impl& tree = *impl_;
    int level = kLevels - 1;
    while (level > 0 && tree.reducible[level] == kNone) --level;
    const std::int32_t index = tree.reducible[level];
    if (index == kNone) return;
    Node& node = tree.nodes[index];
    tree.reducible[level] = node.nextReducible;
    node.nextReducible = kNone;
    std::uint32_t childCount = 0;
    for (std::int32_t& child : node.children) {
        if (child == kNone) continue;
        const Node& leaf = tree.nodes[child];
        node.pixelCount += leaf.pixelCount;
        node.sumRed += leaf.sumRed;
        node.sumGreen += leaf.sumGreen;
        node.sumBlue += leaf.sumBlue;
        node.sumAlpha += leaf.sumAlpha;
        tree.release(child);
        child = kNone;
        ++childCount;
    }
    node.isLeaf = true;
    tree.leafCount = tree.leafCount + 1 - childCount;
}

void Quantizer::buildPalette() {
    fillPalette();
    impl_->byGreen.clear();
    for (std::int32_t i = 0; i < filled_; ++i) {
        channels_[i][0] = static_cast<std::int16_t>(palette_[i] >> 16 & 0xFF);
        channels_[i][1] = static_cast<std::int16_t>(palette_[i] >> 8 & 0xFF);
        channels_[i][2] = static_cast<std::int16_t>(palette_[i] & 0xFF);
        impl_->byGreen.push_back({channels_[i][1], channels_[i][0], channels_[i][2], i});
    }
    std::stable_sort(
        impl_->byGreen.begin(), impl_->byGreen.end(),
        [](const Impl::SortedEntry& a, const Impl::SortedEntry& b) { return a.green < b.green; });
}

void Quantizer::fillPalette() {
    std::fill(std::begin(palette_), std::end(palette_), 0u);
    std::vector<LeafColour> leaves;
    leaves.reserve(impl_->leafCount);
    if (impl_->root != kNone) impl_->collectLeaves(impl_->root, leaves);
    const std::size_t count = std::min<std::size_t>(leaves.size(), 256);

    if (colourCount_ >= kMergeBelow || count <= static_cast<std::size_t>(colourCount_)) {
        for (std::size_t i = 0; i < count; ++i) {
            const LeafColour& c = leaves[i];
            palette_[i] = packColour(c.alpha, c.red, c.green, c.blue);
        }
        filled_ = static_cast<std::int32_t>(count);
        return;
    }
    // More leaves than colours: entry k merges the k-th of colourCount equal
    // runs of leaves in tree order, each leaf weighted by its pixel count.
    const std::uint32_t leafCount = static_cast<std::uint32_t>(count);
    const std::uint32_t colours = static_cast<std::uint32_t>(colourCount_);
    for (std::uint32_t k = 0; k < colours; ++k) {
        std::uint64_t total = 0, red = 0, green = 0, blue = 0, alpha = 0;
        for (std::uint32_t i = leafCount * k / colours; i < leafCount * (k + 1) / colours; ++i) {
            const LeafColour& c = leaves[i];
            total += c.count;
            red += c.count * c.red;
            green += c.count * c.green;
            blue += c.count * c.blue;
            alpha += c.count * c.alpha;
        }
        total = std::max<std::uint64_t>(total, 1);
        palette_[k] = packColour(
            static_cast<std::uint32_t>(alpha / total), static_cast<std::uint32_t>(red / total),
            static_cast<std::uint32_t>(green / total), static_cast<std::uint32_t>(blue / total));
    }
    filled_ = colourCount_;
}

std::uint32_t Quantizer::nearestIndex(std::uint8_t red, std::uint8_t green,
                                      std::uint8_t blue) const {
    // The lowest index among the entries at the smallest squared distance,
    // as a scan in index order keeping strictly nearer entries would give.
    // Entries are visited outward from the pixel's green; a side ends when
    // its green difference alone exceeds the best distance (an equal one
    // may still tie with a lower index, so it is still looked at).
    const std::vector<Impl::SortedEntry>& entries = impl_->byGreen;
    std::int32_t best = 0;
    std::int32_t bestDistance = INT32_MAX;
    const auto consider = [&](const Impl::SortedEntry& entry, std::int32_t dg) {
        const std::int32_t dr = entry.red - red;
        const std::int32_t db = entry.blue - blue;
        const std::int32_t distance = dg * dg + dr * dr + db * db;
        if (distance < bestDistance || (distance == bestDistance && entry.index < best)) {
            best = entry.index;
            bestDistance = distance;
        }
    };
    const auto start = std::lower_bound(
        entries.begin(), entries.end(), static_cast<std::int32_t>(green),
        [](const Impl::SortedEntry& entry, std::int32_t g) { return entry.green < g; });
    for (auto up = start; up != entries.end(); ++up) {
        const std::int32_t dg = up->green - green;
        if (dg * dg > bestDistance) break;
        consider(*up, dg);
    }
    for (auto down = start; down != entries.begin();) {
        --down;
        const std::int32_t dg = green - down->green;
        if (dg * dg > bestDistance) break;
        consider(*down, dg);
    }
    return static_cast<std::uint32_t>(best);
}

void Quantizer::mapRow(const std::uint8_t* source, std::int32_t width, std::uint8_t* destination,
                       std::int32_t bitsPerPixel) const {
    if (bitsPerPixel != 8 && bitsPerPixel != 4) return;
    // Runs of one colour are common; the previous pixel's answer is reused.
    std::uint32_t previousColour = 0;
    std::uint32_t previousIndex = 0;
    bool havePrevious = false;
    for (std::int32_t i = 0; i < width; ++i, source += 4) {
        std::uint32_t index = static_cast<std::uint32_t>(colourCount_);
        if (opaque_ || source[3] == 255) {
            const std::uint32_t colour = source[2] << 16 | source[1] << 8 | source[0];
            if (!havePrevious || colour != previousColour) {
                const std::size_t slot = ((colour * 0x9E3779B1u) >> 20) & (Impl::kCacheSlots - 1);
                if (impl_->cacheKeys[slot] == colour + 1) {
                    previousIndex = impl_->cacheIndices[slot];
                } else {
                    previousIndex = nearestIndex(source[2], source[1], source[0]);
                    impl_->cacheKeys[slot] = colour + 1;
                    impl_->cacheIndices[slot] = static_cast<std::uint8_t>(previousIndex);
                }
                previousColour = colour;
                havePrevious = true;
            }
            index = previousIndex;
        }
        if (bitsPerPixel == 8) {
            destination[i] = static_cast<std::uint8_t>(index);
        } else if (i % 2 == 0) {
            destination[i / 2] = static_cast<std::uint8_t>((index & 0x0F) << 4);
        } else {
            destination[i / 2] =
                static_cast<std::uint8_t>((destination[i / 2] & 0xF0) | (index & 0x0F));
        }
    }
}

}  // namespace s::image::filters::reduction
