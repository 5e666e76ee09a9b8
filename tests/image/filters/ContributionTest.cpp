#include <gtest/gtest.h>

#include <vector>

#include "image/filters/scale/Contribution.h"
#include "image/filters/scale/Resampler.h"

namespace {

using namespace s::image::filters::scale;

struct Record {
    std::int32_t first, last;
    std::vector<std::int32_t> weights;
};

Record recordOf(const Contribution& table, std::int32_t i) {
    Record r{table.first(i), table.last(i), {}};
    for (std::int32_t k = 0; k <= r.last - r.first; ++k) r.weights.push_back(table.weights(i)[k]);
    return r;
}

void expectRecord(const Contribution& table, std::int32_t i, const Record& expected) {
    const Record actual = recordOf(table, i);
    EXPECT_EQ(actual.first, expected.first) << "record " << i;
    EXPECT_EQ(actual.last, expected.last) << "record " << i;
    if (expected.first != expected.last) {
        EXPECT_EQ(actual.weights, expected.weights) << "record " << i;
    }
}

TEST(ContributionTest, BilinearDoublingStartsOnPixelZero) {
    Contribution table;
    ASSERT_TRUE(table.compute(Resampler::defaultKernel(1), 200, 100));
    EXPECT_EQ(table.getDestCount(), 200);
    EXPECT_EQ(table.getWindowSize(), 3);
    EXPECT_EQ(table.getRecordSize(), 20);
    expectRecord(table, 0, {0, 0, {}});
    expectRecord(table, 1, {0, 1, {32768, 32768}});
    expectRecord(table, 2, {1, 1, {}});
    // The last destination pixels lie beyond the last source centre: copies.
    expectRecord(table, 198, {99, 99, {}});
    expectRecord(table, 199, {99, 99, {}});
}

TEST(ContributionTest, ShrinkingStretchesTheKernel) {
    struct Case {
        std::int32_t kind;
        std::int32_t windowSize;
        Record zero, one;
    };
    const Case cases[] = {
        // Bilinear 4 -> 2: support 2; the left edge loses the weight of index -1.
        {1, 5, {0, 1, {43690, 21845}}, {1, 3, {16384, 32768, 16384}}},
        // Box 4 -> 2: support 1, and the edges of the box count (|x| <= s).
        {2, 3, {0, 1, {32768, 32768}}, {1, 3, {21845, 21845, 21845}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        Contribution table;
        ASSERT_TRUE(table.compute(Resampler::defaultKernel(c.kind), 2, 4));
        EXPECT_EQ(table.getWindowSize(), c.windowSize);
        expectRecord(table, 0, c.zero);
        expectRecord(table, 1, c.one);
    }
}

// Every record of every kernel stays inside the source line and its window,
// and the weights of a blended record add up to one (less truncation).
TEST(ContributionTest, RecordsStayInsideSourceAndWindow) {
    const std::int32_t lengths[] = {1, 2, 3, 5, 7, 16, 33, 100, 1000};
    Contribution table;
    for (std::int32_t kind = 1; kind <= 5; ++kind) {
        for (std::int32_t m : lengths) {
            for (std::int32_t n : lengths) {
                SCOPED_TRACE(testing::Message() << "kind " << kind << " " << m << " -> " << n);
                ASSERT_TRUE(table.compute(Resampler::defaultKernel(kind), n, m));
                ASSERT_EQ(table.getDestCount(), n);
                for (std::int32_t i = 0; i < n; ++i) {
                    const std::int32_t first = table.first(i), last = table.last(i);
                    ASSERT_LE(0, first);
                    ASSERT_LE(first, last);
                    ASSERT_LT(last, m);
                    ASSERT_LE(last - first + 1, table.getWindowSize());
                    if (first == last) continue;
                    std::int64_t sum = 0;
                    for (std::int32_t k = 0; k <= last - first; ++k) {
                        ASSERT_GE(table.weights(i)[k], 0);  // tiny weights truncate to 0
                        sum += table.weights(i)[k];
                    }
                    ASSERT_LE(sum, 65536);
                    ASSERT_GE(sum, 65536 - (last - first + 1));
                }
            }
        }
    }
}

}  // namespace
