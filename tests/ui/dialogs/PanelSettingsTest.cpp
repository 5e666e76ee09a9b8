// The options panel's rules, read back from the real settings database:
// restoring the controls, reading the number fields, and writing only the
// active card's keys.
#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "job/SizerStore.h"
#include "ui/dialogs/PanelSettings.h"

namespace {

using s::image::gui::dialogs::tarvex::PanelSettings;
using s::job::SizerStore;
using tarvex::dialogtest::PrivateConfig;
namespace util = s::image::util;

class PanelSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        store = config.open();
        localizer = s::lang::LocalizerFactory::create();
        ASSERT_TRUE(store && localizer);
    }
    PrivateConfig config;
    s::thread::Pooled<s::reg::MappedData> store;
    s::thread::Pooled<s::lang::Localizer> localizer;
};

TEST_F(PanelSettingsTest, FreshStoreGivesTheBuiltDefaults) {
    const PanelSettings panel = PanelSettings::restore(*store, *localizer);
    EXPECT_TRUE(panel.byPixel);
    EXPECT_FALSE(panel.byPercent);
    EXPECT_EQ(panel.pixelWidth, "800");
    EXPECT_EQ(panel.pixelHeight, "600");
    EXPECT_EQ(panel.percentWidth, "200");
    EXPECT_EQ(panel.percentHeight, "200");
    EXPECT_TRUE(panel.keepRatio);
    EXPECT_EQ(panel.numOfSamples, "10");
    EXPECT_TRUE(panel.limitedRange);
    EXPECT_FALSE(panel.maximumRange);
    EXPECT_EQ(panel.limitedPercent, "100");
    for (const auto& stretch : {panel.specificStretch, panel.variousStretch}) {
        EXPECT_TRUE(stretch.both && !stretch.onlyEnlarge && !stretch.onlyShrink);
    }
}

TEST_F(PanelSettingsTest, StoredValuesComeBack) {
    store->setBool(SizerStore::kOneSpecific, "ByPixel", false);
    store->setInt32(SizerStore::kOneSpecific, "PixelWidth", -7);
    store->setBool(SizerStore::kOneSpecific, "KeepRatio", false);
    store->setInt32(SizerStore::kMultipleAtOnce, "NumOfSamples", 3);
    store->setBool(SizerStore::kMultipleAtOnce, "InMaximumRange", true);
    const PanelSettings panel = PanelSettings::restore(*store, *localizer);
    EXPECT_FALSE(panel.byPixel);
    EXPECT_TRUE(panel.byPercent);
    EXPECT_EQ(panel.pixelWidth, "-7");
    EXPECT_FALSE(panel.keepRatio);
    EXPECT_EQ(panel.numOfSamples, "3");
    EXPECT_TRUE(panel.maximumRange);
    EXPECT_FALSE(panel.limitedRange);
}

TEST_F(PanelSettingsTest, StretchNamesMatchWholeAndIgnoringCase) {
    struct Case {
        const char* stored;
        bool both, enlarge, shrink;
    } cases[] = {
        {"onlyshrink", false, false, true}, {"ONLYENLARGE", false, true, false},
        {"all", true, false, false},        {"OnlyShrinkX", true, false, false},
        {"Only", true, false, false},       {"", true, false, false},
    };
    for (const Case& c : cases) {
        store->setString(SizerStore::kMultipleAtOnce, "StretchMode", c.stored);
        const PanelSettings panel = PanelSettings::restore(*store, *localizer);
        const auto& stretch = panel.variousStretch;
        EXPECT_EQ(stretch.both, c.both) << c.stored;
        EXPECT_EQ(stretch.onlyEnlarge, c.enlarge) << c.stored;
        EXPECT_EQ(stretch.onlyShrink, c.shrink) << c.stored;
        EXPECT_TRUE(panel.specificStretch.both) << "card 0 keeps its own stretch mode";
    }
}

TEST(PanelFieldTest, FieldsReadAsSignedDecimalsWithTheDefaultForEmpty) {
    struct Case {
        const char* text;
        std::int32_t expected;
    } cases[] = {
        {"", 800},   {"12abc", 12}, {"  42", 42}, {"\t-5x", -5}, {"+9", 9},
        {"abc", 0},  {"-", 0},      {" ", 0},     {"1 2", 1},    {"99999999999", INT32_MAX},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PanelSettings::fieldValue(c.text, 800), c.expected) << '"' << c.text << '"';
    }
}

TEST_F(PanelSettingsTest, CardZeroStoresOnlyItsKeysWithParsedFields) {
    PanelSettings panel;
    panel.pixelWidth = "";
    panel.pixelHeight = "12abc";
    panel.keepRatio = false;
    panel.specificStretch = {false, false, true};
    panel.numOfSamples = "4";  // card 1: must not reach the store
    util::Sizer sizer;
    ASSERT_TRUE(panel.apply(PanelSettings::kSpecificSize, sizer, *store, *localizer));

    EXPECT_EQ(sizer.mode, util::OneSpecific);
    EXPECT_EQ(sizer.pixelWidth, 800);
    EXPECT_EQ(sizer.pixelHeight, 12);
    EXPECT_FALSE(sizer.keepRatio);
    EXPECT_EQ(sizer.stretchMode, util::OnlyShrink);
    EXPECT_EQ(sizer.sampleCount(), 1);

    auto reread = config.open();
    EXPECT_EQ(reread->getInt32(SizerStore::kOneSpecific, "PixelWidth", 0), 800);
    EXPECT_EQ(reread->getInt32(SizerStore::kOneSpecific, "PixelHeight", 0), 12);
    EXPECT_FALSE(reread->getBool(SizerStore::kOneSpecific, "KeepRatio", true));
    EXPECT_EQ(reread->getString(SizerStore::kOneSpecific, "StretchMode", ""), "OnlyShrink");
    EXPECT_FALSE(reread->openForRead(SizerStore::kMultipleAtOnce));
}

TEST_F(PanelSettingsTest, CardOneStoresOnlyItsKeysAndAlwaysKeepsTheRatio) {
    store->setInt32(SizerStore::kOneSpecific, "PixelWidth", 321);
    PanelSettings panel;
    panel.keepRatio = false;
    panel.pixelWidth = "55";
    panel.numOfSamples = "3x";
    panel.radioClicked(PanelSettings::Radio::MaximumRange);
    panel.limitedPercent = "";
    panel.variousStretch = {false, true, false};
    util::Sizer sizer;
    ASSERT_TRUE(panel.apply(PanelSettings::kVariousSizes, sizer, *store, *localizer));

    EXPECT_EQ(sizer.mode, util::MultipleAtOnce);
    EXPECT_TRUE(sizer.keepRatio);
    EXPECT_EQ(sizer.numOfSamples, 3);
    EXPECT_TRUE(sizer.inMaximumRange);
    EXPECT_EQ(sizer.limitedPercent, 100);
    EXPECT_EQ(sizer.stretchMode, util::OnlyEnlarge);
    EXPECT_EQ(sizer.sampleCount(), 3);

    auto reread = config.open();
    EXPECT_EQ(reread->getInt32(SizerStore::kMultipleAtOnce, "NumOfSamples", 0), 3);
    EXPECT_TRUE(reread->getBool(SizerStore::kMultipleAtOnce, "InMaximumRange", false));
    EXPECT_EQ(reread->getInt32(SizerStore::kMultipleAtOnce, "LimitedPercent", 0), 100);
    EXPECT_EQ(reread->getString(SizerStore::kMultipleAtOnce, "StretchMode", ""), "OnlyEnlarge");
    EXPECT_EQ(reread->getInt32(SizerStore::kOneSpecific, "PixelWidth", 0), 321);
    EXPECT_FALSE(reread->valueExists(SizerStore::kOneSpecific, "KeepRatio"));
}

TEST_F(PanelSettingsTest, NoStretchRadioTickedKeepsTheStoredStretchMode) {
    store->setString(SizerStore::kOneSpecific, "StretchMode", "OnlyEnlarge");
    PanelSettings panel;
    panel.specificStretch = {false, false, false};
    util::Sizer sizer;
    panel.apply(PanelSettings::kSpecificSize, sizer, *store, *localizer);
    EXPECT_EQ(sizer.stretchMode, util::All);
    EXPECT_EQ(config.open()->getString(SizerStore::kOneSpecific, "StretchMode", ""),
              "OnlyEnlarge");
}

TEST_F(PanelSettingsTest, UnknownSelectorIndexOnlyResets) {
    PanelSettings panel;
    panel.pixelWidth = "5";
    util::Sizer sizer;
    sizer.pixelWidth = 77;
    panel.apply(-1, sizer, *store, *localizer);
    EXPECT_EQ(sizer.pixelWidth, 800);
    EXPECT_FALSE(config.open()->openForRead("MainWindow"));
}

TEST(PanelRadioTest, PairedRadiosInDifferentRowsStayExclusive) {
    using Radio = PanelSettings::Radio;
    PanelSettings panel;
    panel.radioClicked(Radio::ByPercent);
    EXPECT_TRUE(panel.byPercent && !panel.byPixel);
    panel.radioClicked(Radio::ByPixel);
    EXPECT_TRUE(panel.byPixel && !panel.byPercent);
    panel.radioClicked(Radio::MaximumRange);
    EXPECT_TRUE(panel.maximumRange && !panel.limitedRange);
    panel.radioClicked(Radio::LimitedRange);
    EXPECT_TRUE(panel.limitedRange && !panel.maximumRange);
    EXPECT_TRUE(panel.byPixel) << "the other pair is left alone";
}

}  // namespace
