// A settings file that is corrupt, locked, unusable or holds rows no writer
// of ours produced: the program keeps running on defaults, damaged files are
// kept aside, and nothing is written partly.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>

#include "SettingsFixture.h"

namespace {

using namespace tarvex::settingstest;
using Bytes = std::vector<std::uint8_t>;

using StoreDamageTest = SettingsTest;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Two kinds of damage: a file that is not a database at all, and a real
// store whose table pages were overwritten.
enum class Damage { NotADatabase, BrokenPages };

TEST_F(StoreDamageTest, ACorruptFileIsMovedAsideAndAFreshOneStarted) {
    for (const Damage damage : {Damage::NotADatabase, Damage::BrokenPages}) {
        for (const bool readFirst : {true, false}) {
            SCOPED_TRACE(
                std::string(damage == Damage::NotADatabase ? "not a database" : "broken pages") +
                (readFirst ? ", read first" : ", write first"));
            std::filesystem::remove_all(zorqFolder());
            if (damage == Damage::NotADatabase) {
                std::filesystem::create_directories(zorqFolder());
                writeFile(dbPath(), std::string(8192, 'x'));
            } else {
                openStore()->setInt32("S", "old", 1);
                std::string bytes = readFile(dbPath());
                ASSERT_GE(bytes.size(), 8192u);
                std::fill(bytes.begin() + 4096, bytes.end(), '\xA5');
                writeFile(dbPath(), bytes);
            }
            const std::string damaged = readFile(dbPath());

            Pooled<MappedData> store = openStore();
            if (readFirst) {
                EXPECT_EQ(store->getInt32("S", "old", -1), -1);
            }
            store->setInt32("S", "new", 2);

            const std::vector<std::string> aside = asideFiles();
            ASSERT_EQ(aside.size(), 1u);
            EXPECT_EQ(readFile(aside[0]), damaged);
            EXPECT_EQ(store->getInt32("S", "new", -1), 2);
            EXPECT_EQ(openStore()->getInt32("S", "new", -1), 2);
            EXPECT_EQ(openStore()->getInt32("S", "old", -1), -1);
        }
    }
}

TEST_F(StoreDamageTest, AWriteBlockedPastTheTimeoutIsLostAndTheStoreGoesOn) {
    Pooled<MappedData> store = openStore();
    store->setInt32("S", "v", 1);

    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(dbPath().c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const auto start = std::chrono::steady_clock::now();
    store->setInt32("S", "v", 2);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(store->getInt32("S", "v", -1), 1);  // readers are not blocked
    sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(holder);

    EXPECT_EQ(store->getInt32("S", "v", -1), 1);
    store->setInt32("S", "v", 4);
    EXPECT_EQ(openStore()->getInt32("S", "v", -1), 4);
    EXPECT_TRUE(asideFiles().empty());
}

TEST_F(StoreDamageTest, AFileThatCannotBeOpenedGivesDefaultsAndIsLeftAlone) {
    std::filesystem::create_directories(dbPath());  // a folder where the file should be
    Pooled<MappedData> store = openStore();
    store->setInt32("S", "v", 1);
    EXPECT_EQ(store->getInt32("S", "v", -1), -1);
    EXPECT_TRUE(std::filesystem::is_directory(dbPath()));
    EXPECT_TRUE(asideFiles().empty());
}

TEST_F(StoreDamageTest, RowsOfTheWrongShapeReadAsMissing) {
    openStore()->openForWrite("S");
    const std::string key =
        "(SELECT id FROM keys WHERE name = 'S' AND parent = "
        "(SELECT id FROM keys WHERE name = 'SaveData'))";
    execSql("INSERT INTO vals VALUES(" + key +
            ", 'textType', 'abc', x'01000000');"
            "INSERT INTO vals VALUES(" +
            key +
            ", 'negType', -4, x'01000000');"
            "INSERT INTO vals VALUES(" +
            key +
            ", 'textData', 4, 'abcd');"
            "INSERT INTO vals VALUES(" +
            key +
            ", 'huge', 3, zeroblob(3000000));"
            "INSERT INTO vals VALUES(" +
            key +
            ", 'oddString', 1, x'4100420043');"
            "INSERT INTO vals VALUES(" +
            key + ", 'oddType', 99, x'07000000');");
    Pooled<MappedData> store = openStore();
    for (const char* name : {"textType", "negType", "textData", "huge"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(store->getInt32("S", name, -1), -1);
        EXPECT_EQ(store->getString("S", name, "dflt"), "dflt");
        EXPECT_EQ(store->getBytes("S", name), std::nullopt);
        EXPECT_FALSE(store->valueExists("S", name));
    }
    // Shapes that are merely unusual still read by their size.
    EXPECT_EQ(store->getString("S", "oddString", ""), "AB");
    EXPECT_EQ(store->getInt32("S", "oddType", -1), 7);
}

}  // namespace
