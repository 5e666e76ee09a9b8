// mapRow remembers the nearest entry of colours it has seen; the answers
// must stay those of a full palette search, for colours that share a cache
// slot and after a rebuild with another palette.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "ImageFixtures.h"
#include "image/filters/reduction/Quantizer.h"

namespace {

using namespace tarvex_test;
using s::image::filters::reduction::Quantizer;

// Squared RGB distance search in index order, ties keeping the lower index.
std::uint8_t nearest(const Quantizer& q, std::uint32_t pixel) {
    std::int32_t best = 0;
    std::int32_t bestDistance = INT32_MAX;
    for (std::int32_t i = 0; i < q.getFilledCount(); ++i) {
        const std::uint32_t entry = q.getPalette()[i];
        std::int32_t distance = 0;
        for (int shift : {16, 8, 0}) {
            const std::int32_t d = static_cast<std::int32_t>(entry >> shift & 0xFF) -
                                   static_cast<std::int32_t>(pixel >> shift & 0xFF);
            distance += d * d;
        }
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<std::uint8_t>(best);
}

TEST(QuantizerMappingTest, RepeatedColoursMapLikeAFullSearch) {
    std::mt19937 random(99);
    Quantizer quantizer;
    for (std::int32_t colours : {256, 16, 255}) {
        SCOPED_TRACE(colours);
        // 64 x 64 pixels drawn from 600 colours: every colour recurs, and
        // many share a slot of the cache.
        std::vector<std::uint32_t> colourSet(600);
        for (auto& c : colourSet) c = argb(255, 0, 0, 0) | (random() & 0xFFFFFF);
        Pixels pixels(64 * 64);
        for (auto& p : pixels) p = colourSet[random() % colourSet.size()];
        auto image = makeImage(64, 64, pixels);
        ASSERT_TRUE(quantizer.build(*image, colours));
        std::vector<std::uint8_t> row(64);
        for (std::int32_t y = 0; y < 64; ++y) {
            quantizer.mapRow(image->getRow(y), 64, row.data(), 8);
            for (std::int32_t x = 0; x < 64; ++x)
                ASSERT_EQ(row[x], nearest(quantizer, pixels[y * 64 + x])) << x << "," << y;
        }
    }
}

}  // namespace
