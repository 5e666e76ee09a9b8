// tarvex-resize and the preferences the desktop program stores: defaults
// come from the store, options override them, --no-store ignores it, and
// only --save writes to it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "job/JobFixtures.h"
#include "job/SizerStore.h"
#include "shell/lang/LocalizerFactory.h"
#include "shell/reg/MappedData.h"
#include "shell/reg/StoreLocation.h"

namespace {

namespace fs = std::filesystem;
using namespace tarvex::jobtest;
using s::image::util::Sizer;

class StoredOptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeBmp(images / "photo.bmp", solidPicture(800, 600));
        config = home.path();
    }

    std::string databasePath() const { return config + "/zorq/registry.db"; }

    // Stores options as the desktop program would after a drop.
    void store(const Sizer& sizer) {
        auto data = s::reg::MappedData::open(s::reg::StoreLocation::kSaveDataKey, databasePath());
        auto localizer = s::lang::LocalizerFactory::create();
        ASSERT_TRUE(data && localizer);
        s::job::SizerStore::save(*data, *localizer, sizer);
    }

    int run(const std::string& options) {
        const std::string command = "XDG_CONFIG_HOME='" + config + "' '" TARVEX_RESIZE_BIN "' " +
                                    options + " '" + images / "photo.bmp" + "' >/dev/null 2>&1";
        const int raw = std::system(command.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

    ScratchFolder images;
    ScratchFolder home;
    std::string config;
};

Sizer variousShrinking() {
    Sizer sizer;
    sizer.mode = s::image::util::MultipleAtOnce;
    sizer.inMaximumRange = true;
    sizer.numOfSamples = 5;  // 32, 1200, 324, 616, 908: only 32 and 324 fit 800 x 600
    sizer.stretchMode = s::image::util::OnlyShrink;
    return sizer;
}

}  // namespace

TEST_F(StoredOptionsTest, StoredOptionsAreTheDefaults) {
    store(variousShrinking());
    ASSERT_EQ(run(""), 0);
    EXPECT_EQ(images.entries("photo.bmp (Sizes)"),
              (std::vector<std::string>{"photo (324x243).bmp", "photo (32x24).bmp"}));
}

TEST_F(StoredOptionsTest, OptionsOverrideTheStoreAndEachModeKeepsItsStretch) {
    store(variousShrinking());
    Sizer specific;
    specific.stretchMode = s::image::util::OnlyEnlarge;
    specific.pixelWidth = 100;
    specific.pixelHeight = 100;
    store(specific);  // the selector now shows "Specific Size"
    ASSERT_EQ(run("--various"), 0);  // the various-sizes stretch (only shrink) applies
    EXPECT_EQ(images.entries("photo.bmp (Sizes)").size(), 2u);
    ASSERT_EQ(run("--pixels 400x400"), 0);  // only enlarge: the 800 x 600 copy
    EXPECT_TRUE(fs::exists(images / "photo (800x600).bmp"));
    ASSERT_EQ(run("--pixels 400x400 --stretch both"), 0);
    EXPECT_TRUE(fs::exists(images / "photo (400x300).bmp"));
}

TEST_F(StoredOptionsTest, NoStoreIgnoresItAndOnlySaveWrites) {
    ASSERT_EQ(run("--various --max-range --samples 2"), 0);
    EXPECT_FALSE(fs::exists(databasePath())) << "a run without --save wrote the store";

    store(variousShrinking());
    ASSERT_EQ(run("--no-store"), 0);  // the built-in defaults: 800 x 600 beside the source
    EXPECT_TRUE(fs::exists(images / "photo (800x600).bmp"));

    ASSERT_EQ(run("--no-store --save --pixels 200x200"), 0);
    ASSERT_EQ(run(""), 0);  // now the saved size
    EXPECT_TRUE(fs::exists(images / "photo (200x150) (1).bmp"));
}
