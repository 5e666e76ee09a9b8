// The settings store within one process: defaults, stored forms, sections,
// names and deletion.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "SettingsFixture.h"
#include "shell/reg/RegType.h"

namespace {

using namespace tarvex::settingstest;
using s::map::IMappedData;
using Bytes = std::vector<std::uint8_t>;

using StoreTest = SettingsTest;

TEST_F(StoreTest, NeverWrittenReadsGiveDefaultsAndCreateNothing) {
    Pooled<MappedData> store = openStore();
    EXPECT_EQ(store->databasePath(), dbPath());
    for (const char* section : {"", "MainWindow", "MainWindow\\ConvertTo\\OneSpecific"}) {
        SCOPED_TRACE(section);
        EXPECT_EQ(store->getUInt8(section, "v", 7), 7);
        EXPECT_EQ(store->getUInt16(section, "v", 7), 7);
        EXPECT_EQ(store->getUInt32(section, "v", 7), 7u);
        EXPECT_EQ(store->getUInt64(section, "v", 7), 7u);
        EXPECT_EQ(store->getInt8(section, "v", -7), -7);
        EXPECT_EQ(store->getInt16(section, "v", -7), -7);
        EXPECT_EQ(store->getInt32(section, "v", -7), -7);
        EXPECT_EQ(store->getInt64(section, "v", -7), -7);
        EXPECT_EQ(store->getFloat(section, "v", 1.5f), 1.5f);
        EXPECT_EQ(store->getDouble(section, "v", 2.5), 2.5);
        EXPECT_TRUE(store->getBool(section, "v", true));
        bool expandable = true;
        EXPECT_EQ(store->getString(section, "v", "dflt", &expandable), "dflt");
        EXPECT_FALSE(expandable);
        EXPECT_FALSE(store->openForRead(section));
        EXPECT_FALSE(store->valueExists(section, "v"));
        store->deleteValue(section, "v");
        store->deleteSection(section);
    }
    EXPECT_FALSE(std::filesystem::exists(zorqFolder()));
}

TEST_F(StoreTest, SettingCreatesTheSectionWithItsAncestorsAndNamesIgnoreCase) {
    Pooled<MappedData> store = openStore();
    store->setInt32("A\\B", "X", 5);
    EXPECT_TRUE(store->openForRead("A"));
    EXPECT_TRUE(store->openForRead("a\\b"));
    EXPECT_EQ(store->getInt32("a\\B", "x", 0), 5);
    EXPECT_EQ(store->getInt32("A\\B\\", "X", 0), 5);
    EXPECT_TRUE(store->valueExists("A\\b", "x"));
    EXPECT_FALSE(store->valueExists("A", "X"));

    const auto value = stored("A\\B", "X");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, s::reg::REG_DWORD);
    EXPECT_EQ(value->data, (Bytes{5, 0, 0, 0}));

    // Writing through another spelling updates the same value.
    store->setInt32("a\\b", "x", 6);
    EXPECT_EQ(openStore()->getInt32("A\\B", "X", 0), 6);
}

TEST_F(StoreTest, EveryKindIsStoredInItsFormAndReadsBack) {
    struct Case {
        const char* name;
        std::function<void(IMappedData&)> set;
        std::function<bool(IMappedData&)> readsBack;
        std::uint32_t type;
        Bytes data;
    };
    using namespace s::reg;
    const Case cases[] = {
        {"u8",
         [](IMappedData& s) { s.setUInt8("K", "u8", 200); },
         [](IMappedData& s) { return s.getUInt8("K", "u8", 0) == 200; },
         REG_DWORD,
         {200, 0, 0, 0}},
        {"i8",
         [](IMappedData& s) { s.setInt8("K", "i8", -2); },
         [](IMappedData& s) { return s.getInt8("K", "i8", 0) == -2; },
         REG_DWORD,
         {0xFE, 0xFF, 0xFF, 0xFF}},
        {"u16",
         [](IMappedData& s) { s.setUInt16("K", "u16", 0xBEEF); },
         [](IMappedData& s) { return s.getUInt16("K", "u16", 0) == 0xBEEF; },
         REG_DWORD,
         {0xEF, 0xBE, 0, 0}},
        {"i16",
         [](IMappedData& s) { s.setInt16("K", "i16", -300); },
         [](IMappedData& s) { return s.getInt16("K", "i16", 0) == -300; },
         REG_DWORD,
         {0xD4, 0xFE, 0xFF, 0xFF}},
        {"u32",
         [](IMappedData& s) { s.setUInt32("K", "u32", 0x89ABCDEF); },
         [](IMappedData& s) { return s.getUInt32("K", "u32", 0) == 0x89ABCDEF; },
         REG_DWORD,
         {0xEF, 0xCD, 0xAB, 0x89}},
        {"i32",
         [](IMappedData& s) { s.setInt32("K", "i32", -1); },
         [](IMappedData& s) { return s.getInt32("K", "i32", 0) == -1; },
         REG_DWORD,
         {0xFF, 0xFF, 0xFF, 0xFF}},
        {"u64",
         [](IMappedData& s) { s.setUInt64("K", "u64", 0x0102030405060708); },
         [](IMappedData& s) { return s.getUInt64("K", "u64", 0) == 0x0102030405060708; },
         REG_BINARY,
         {8, 7, 6, 5, 4, 3, 2, 1}},
        {"i64",
         [](IMappedData& s) { s.setInt64("K", "i64", -2); },
         [](IMappedData& s) { return s.getInt64("K", "i64", 0) == -2; },
         REG_BINARY,
         {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"f",
         [](IMappedData& s) { s.setFloat("K", "f", 1.5f); },
         [](IMappedData& s) { return s.getFloat("K", "f", 0) == 1.5f; },
         REG_BINARY,
         {0, 0, 0xC0, 0x3F}},
        {"d",
         [](IMappedData& s) { s.setDouble("K", "d", -0.25); },
         [](IMappedData& s) { return s.getDouble("K", "d", 0) == -0.25; },
         REG_BINARY,
         {0, 0, 0, 0, 0, 0, 0xD0, 0xBF}},
        {"b",
         [](IMappedData& s) { s.setBool("K", "b", true); },
         [](IMappedData& s) { return s.getBool("K", "b", false); },
         REG_DWORD,
         {1, 0, 0, 0}},
        {"s",
         [](IMappedData& s) { s.setString("K", "s", "h\xC3\xA9\xF0\x9F\x98\x80"); },
         [](IMappedData& s) { return s.getString("K", "s", "") == "h\xC3\xA9\xF0\x9F\x98\x80"; },
         REG_SZ,
         {'h', 0, 0xE9, 0, 0x3D, 0xD8, 0x00, 0xDE, 0, 0}},
        {"e",
         [](IMappedData& s) { s.setExpandString("K", "e", "%NOT_SET_ANYWHERE%"); },
         [](IMappedData& s) { return s.getString("K", "e", "") == "%NOT_SET_ANYWHERE%"; },
         REG_EXPAND_SZ,
         {'%', 0, 'N', 0, 'O', 0, 'T', 0, '_', 0, 'S', 0, 'E', 0, 'T', 0, '_', 0, 'A', 0,
          'N', 0, 'Y', 0, 'W', 0, 'H', 0, 'E', 0, 'R', 0, 'E', 0, '%', 0, 0,   0}},
        {"raw",
         [](IMappedData& s) {
             s.setBytes("K", "raw", Bytes{1, 2, 3});
         },
         [](IMappedData& s) {
             return s.getBytes("K", "raw") == Bytes{1, 2, 3};
         },
         REG_BINARY,
         {1, 2, 3}},
    };
    Pooled<MappedData> store = openStore();
    for (const Case& c : cases) c.set(*store);
    Pooled<MappedData> reopened = openStore();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.readsBack(*reopened));
        const auto value = stored("K", c.name);
        ASSERT_TRUE(value);
        EXPECT_EQ(value->type, c.type);
        EXPECT_EQ(value->data, c.data);
    }
}

TEST_F(StoreTest, TheUnnamedValueIsTheSectionsDefault) {
    Pooled<MappedData> store = openStore();
    store->setString("Language", "", "German");
    store->setString("Language", "Other", "x");
    EXPECT_EQ(openStore()->getString("language", "", "English"), "German");
    const auto value = stored("Language", "");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, s::reg::REG_SZ);
    EXPECT_EQ(value->data.size(), 14u);  // six UTF-16 units and the NUL
}

TEST_F(StoreTest, ReadsCheckTheSizeOfTheDataNotItsType) {
    Pooled<MappedData> store = openStore();
    store->setString("S", "one", "x");  // 4 bytes with its terminator
    store->setString("S", "two", "xy");
    store->setInt32("S", "dword", 3);
    store->setInt64("S", "qword", 3);
    store->setBytes("S", "three", Bytes{1, 2, 3});
    store->setString("S", "empty", "");

    EXPECT_TRUE(store->getBool("S", "one", false));
    EXPECT_EQ(store->getUInt32("S", "one", 0), 0x78u);
    EXPECT_FALSE(store->getBool("S", "two", false));
    EXPECT_TRUE(store->getBool("S", "two", true));
    EXPECT_EQ(store->getInt64("S", "dword", -1), -1);
    EXPECT_EQ(store->getInt32("S", "qword", -1), -1);
    EXPECT_EQ(store->getInt32("S", "three", -1), -1);
    EXPECT_EQ(store->getDouble("S", "dword", 0.5), 0.5);
    // Strings do check the type.
    EXPECT_EQ(store->getString("S", "dword", "dflt"), "dflt");
    EXPECT_EQ(store->getString("S", "empty", "dflt"), "");
    EXPECT_EQ(store->getBytes("S", "dword"), (Bytes{3, 0, 0, 0}));
}

TEST_F(StoreTest, DeleteSectionRemovesItWithEverythingBelow) {
    Pooled<MappedData> store = openStore();
    store->setInt32("Top\\Mid\\Low", "a", 1);
    store->setInt32("Top", "b", 2);
    store->setInt32("Topper", "c", 3);
    store->setAutoSave(true);

    store->deleteSection("top");
    for (const char* section : {"Top", "Top\\Mid", "Top\\Mid\\Low"}) {
        EXPECT_FALSE(store->openForRead(section)) << section;
    }
    EXPECT_EQ(store->getInt32("Top\\Mid\\Low", "a", -1), -1);
    EXPECT_EQ(store->getInt32("Topper", "c", -1), 3);

    store->deleteSection("Missing\\Section");
    EXPECT_FALSE(store->openForRead("Missing"));
    EXPECT_EQ(store->getInt32("Topper", "c", -1), 3);

    // The section can be used again.
    store->setInt32("Top\\Mid", "a", 4);
    EXPECT_EQ(store->getInt32("Top\\Mid", "a", -1), 4);
}

TEST_F(StoreTest, DeleteValueLeavesTheSection) {
    Pooled<MappedData> store = openStore();
    store->setString("S", "v", "x");
    store->setString("S", "w", "y");
    store->deleteValue("s", "V");
    EXPECT_FALSE(store->valueExists("S", "v"));
    EXPECT_TRUE(store->valueExists("S", "w"));
    EXPECT_TRUE(store->openForRead("S"));
}

TEST_F(StoreTest, GetBytesTellsAMissingSectionFromAMissingValue) {
    Pooled<MappedData> store = openStore();
    EXPECT_EQ(store->getBytes("Nowhere", "v"), Bytes{});
    EXPECT_EQ(store->getBytes("Nowhere", "v", Bytes{9, 9}), (Bytes{9, 9}));
    store->openForWrite("Here");
    EXPECT_TRUE(store->openForRead("Here"));
    EXPECT_EQ(store->getBytes("Here", "v", Bytes{9, 9}), std::nullopt);
    store->setBytes("Here", "v", Bytes{});
    EXPECT_EQ(store->getBytes("Here", "v", Bytes{9, 9}), Bytes{});
}

TEST_F(StoreTest, ExpandableStringsExpandOnRequest) {
    ::setenv("TARVEX_TEST_FOLDER", "/pics", 1);
    Pooled<MappedData> store = openStore();
    store->setExpandString("P", "path", "%TARVEX_TEST_FOLDER%/out %UNSET_TARVEX_VAR% 100%");
    store->setString("P", "plain", "%TARVEX_TEST_FOLDER%");

    bool expandable = false;
    EXPECT_EQ(store->getString("P", "path", "", &expandable), "/pics/out %UNSET_TARVEX_VAR% 100%");
    EXPECT_TRUE(expandable);
    EXPECT_EQ(store->getString("P", "path", "", &expandable, false),
              "%TARVEX_TEST_FOLDER%/out %UNSET_TARVEX_VAR% 100%");
    EXPECT_EQ(store->getString("P", "plain", "", &expandable), "%TARVEX_TEST_FOLDER%");
    EXPECT_FALSE(expandable);
    ::unsetenv("TARVEX_TEST_FOLDER");
}

TEST_F(StoreTest, WritesThatCannotBeMadeAreLostWhole) {
    Pooled<MappedData> store = openStore();
    store->setBytes("S", "blob", Bytes{1, 2});
    // Larger than any value may be: refused, the old value stays.
    store->setBytes("S", "blob", Bytes(2u << 20, 0xAB));
    EXPECT_EQ(store->getBytes("S", "blob"), (Bytes{1, 2}));
    // A section path with an empty component names no key.
    store->setInt32("A\\\\B", "v", 1);
    EXPECT_EQ(store->getInt32("A\\\\B", "v", -1), -1);
    EXPECT_FALSE(store->openForRead("A"));
}

}  // namespace
