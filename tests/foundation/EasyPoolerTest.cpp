#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <new>
#include <thread>
#include <vector>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"

namespace {

using s::thread::EasyPooler;

struct Item {
    int value = 0;
    std::vector<int> owned;
    std::atomic<bool> inUse{false};
    void reset() {
        value = 0;
        owned.clear();
        owned.shrink_to_fit();
    }
};

// Counts what a pool creates and disposes of; outlives the pool it watches.
struct Counts {
    int created = 0;
    int disposed = 0;
};

std::unique_ptr<EasyPooler<Item>> countingPool(std::size_t capacity, Counts& counts) {
    return std::make_unique<EasyPooler<Item>>(
        capacity,
        [&counts] {
            ++counts.created;
            return new Item();
        },
        [&counts](Item* item) {
            ++counts.disposed;
            delete item;
        });
}

TEST(EasyPooler, ReusesReleasedObjectsLastInFirstOutAfterResettingThem) {
    Counts counts;
    auto pool = countingPool(10, counts);
    Item* first = pool->get();
    Item* second = pool->get();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(counts.created, 2);

    first->value = 7;
    second->value = 8;
    second->owned.assign(1000, 1);
    pool->put(first);
    pool->put(second);

    // The most recently released object comes back first, already reset
    // and without the memory it owned.
    Item* again = pool->get();
    EXPECT_EQ(again, second);
    EXPECT_EQ(again->value, 0);
    EXPECT_EQ(again->owned.capacity(), 0u);
    EXPECT_EQ(pool->get(), first);
    EXPECT_EQ(counts.created, 2);

    pool->put(first);
    pool->put(second);
    pool.reset();
    EXPECT_EQ(counts.disposed, 2);
}

TEST(EasyPooler, KeepsOnlyCapacityObjectsAndDisposesOfTheRest) {
    Counts counts;
    auto pool = countingPool(1, counts);
    Item* first = pool->get();
    Item* second = pool->get();
    pool->put(first);
    pool->put(second);
    EXPECT_EQ(counts.disposed, 1);
    EXPECT_EQ(pool->freeCount(), 1u);
    EXPECT_EQ(pool->get(), first);

    pool->put(first);
    // Destroying the pool disposes of what it still keeps.
    pool.reset();
    EXPECT_EQ(counts.disposed, 2);
    EXPECT_EQ(counts.created, 2);
}

TEST(EasyPooler, GetReportsAFailedCreateAsNull) {
    EasyPooler<Item> pool(4, []() -> Item* { throw std::bad_alloc(); });
    EXPECT_EQ(pool.get(), nullptr);
    pool.put(nullptr);  // tolerated, nothing kept
    EXPECT_EQ(pool.freeCount(), 0u);
}

TEST(EasyPooler, NeverHandsTheSameObjectToTwoThreads) {
    EasyPooler<Item> pool(4);
    std::atomic<int> doubleHandouts{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) {
                Item* item = pool.get();
                if (item->inUse.exchange(true)) ++doubleHandouts;
                item->value = i;
                item->inUse = false;
                pool.put(item);
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(doubleHandouts.load(), 0);
    EXPECT_LE(pool.freeCount(), 4u);
}

// A class pooled the way every framework class is, counting its resets.
class Probe final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(Probe, "s_test_Probe")
public:
    Probe() { reset(); }
    void reset() override {
        ++resets;
        payload = 0;
    }
    static inline int resets = 0;
    int payload = 0;
};

TEST(EasyPooler, PooledHandleReleasesItsObjectExactlyOnce) {
    const std::size_t freeBefore = Probe::pool().freeCount();
    Probe* raw = nullptr;
    {
        s::thread::Pooled<Probe> handle = Probe::take();
        ASSERT_TRUE(handle);
        raw = handle.get();
        handle->payload = 5;
        Probe::resets = 0;
        // Moving the handle transfers the duty to release; the moved-from
        // handle must not release again.
        s::thread::Pooled<Probe> owner = std::move(handle);
        EXPECT_FALSE(handle);
    }
    EXPECT_EQ(Probe::resets, 1);
    EXPECT_EQ(Probe::pool().freeCount(), freeBefore + 1);

    s::thread::Pooled<Probe> again = Probe::take();
    EXPECT_EQ(again.get(), raw);
    EXPECT_EQ(again->payload, 0);
    EXPECT_STREQ(again->getClassName(), "s_test_Probe");
}

}  // namespace
