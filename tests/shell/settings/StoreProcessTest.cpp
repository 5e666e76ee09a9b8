// The store shared between processes: values outlive the process that wrote
// them, and two processes writing at the same time lose nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "SettingsFixture.h"

namespace {

using namespace tarvex::settingstest;

using StoreProcessTest = SettingsTest;

TEST_F(StoreProcessTest, ValuesSurviveTheProcessThatWroteThem) {
    const pid_t writer = startChild([] {
        Pooled<MappedData> store = MappedData::open(StoreLocation::kSaveDataKey);
        store->setInt32("MainWindow\\ConvertTo\\OneSpecific", "Width", 1024);
        store->setBool("MainWindow\\ConvertTo\\OneSpecific", "KeepRatio", false);
        store->setString("Language", "", "Japanese");
        return 0;
    });
    ASSERT_EQ(waitChild(writer), 0);

    Pooled<MappedData> store = openStore();
    EXPECT_EQ(store->getInt32("MainWindow\\ConvertTo\\OneSpecific", "width", 0), 1024);
    EXPECT_FALSE(store->getBool("MainWindow\\ConvertTo\\OneSpecific", "KeepRatio", true));
    EXPECT_EQ(store->getString("Language", "", ""), "Japanese");
}

TEST_F(StoreProcessTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kValues = 150;
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    auto writer = [&](const std::string& tag) {
        return startChild([&, tag] {
            ::close(gate[1]);
            char go = 0;
            if (::read(gate[0], &go, 1) != 1) return 2;
            Pooled<MappedData> store = MappedData::open(StoreLocation::kSaveDataKey);
            for (int i = 0; i < kValues; ++i) {
                // Both create the shared sections at the same moment, and
                // each also has sections of its own.
                store->setInt32("Shared\\Section", tag + std::to_string(i), i);
                store->setInt32("Own\\" + tag + std::to_string(i % 7), "v" + std::to_string(i), i);
            }
            return 0;
        });
    };
    const pid_t first = writer("a");
    const pid_t second = writer("b");
    ::close(gate[0]);
    const char go[2] = {1, 1};
    ASSERT_EQ(::write(gate[1], go, 2), 2);
    ::close(gate[1]);
    ASSERT_EQ(waitChild(first), 0);
    ASSERT_EQ(waitChild(second), 0);

    Pooled<MappedData> store = openStore();
    int missing = 0;
    for (const std::string tag : {"a", "b"}) {
        for (int i = 0; i < kValues; ++i) {
            if (store->getInt32("Shared\\Section", tag + std::to_string(i), -1) != i) ++missing;
            if (store->getInt32("Own\\" + tag + std::to_string(i % 7), "v" + std::to_string(i),
                                -1) != i) {
                ++missing;
            }
        }
    }
    EXPECT_EQ(missing, 0);
}

TEST_F(StoreProcessTest, AStoreFollowsItsFileWhenTheFileIsRemoved) {
    Pooled<MappedData> store = openStore();
    Pooled<MappedData> other = openStore();
    store->setInt32("S", "before", 1);
    EXPECT_EQ(other->getInt32("S", "before", -1), 1);

    // Someone removes the file while both stores have it open; its journal
    // files stay behind and must not leak into the next file.
    ASSERT_TRUE(std::filesystem::exists(dbPath() + "-wal"));
    std::filesystem::remove(dbPath());
    EXPECT_EQ(store->getInt32("S", "before", -1), -1);
    store->setInt32("S", "after", 2);
    other->setInt32("S", "third", 3);

    Pooled<MappedData> fresh = openStore();
    EXPECT_EQ(fresh->getInt32("S", "before", -1), -1);
    EXPECT_EQ(fresh->getInt32("S", "after", -1), 2);
    EXPECT_EQ(fresh->getInt32("S", "third", -1), 3);
    EXPECT_EQ(store->getInt32("S", "third", -1), 3);
    EXPECT_TRUE(asideFiles().empty());
}

}  // namespace
