#include <gtest/gtest.h>

#include "FrameFixture.h"
#include "shell/reg/StoreLocation.h"

namespace {

using s::app::win::AppBase;

class AppBaseTest : public s::app::test::FrameFixture {
protected:
    s::thread::Pooled<s::reg::MappedData> productKey() {
        return s::reg::MappedData::open(s::reg::StoreLocation::kProductKey,
                                        folder_.file("registry.db"));
    }
};

TEST_F(AppBaseTest, UnknownStoredLanguageSelectsEnglishAndWritesItBack) {
    store().setString("Language", "", "Klingon");
    AppBase& app = makeApp();
    ASSERT_NE(app.localizer().currentLanguage(), nullptr);
    EXPECT_EQ(app.localizer().currentLanguage()->engName(), "English");
    EXPECT_EQ(store().getString("Language", "", ""), "English");
}

TEST_F(AppBaseTest, KnownStoredLanguageIsSelectedAndNotRewritten) {
    store().setString("Language", "", "German");
    store().writes.clear();
    AppBase& app = makeApp();
    EXPECT_EQ(app.localizer().currentLanguage()->engName(), "German");
    EXPECT_TRUE(store().writes.empty());
    EXPECT_TRUE(store().autoSave());
}

TEST_F(AppBaseTest, SilentFlagOpensTheProductPageOnceAndIsCleared) {
    productKey()->setBool("", "Silent", true);
    AppBase& app = makeApp();
    EXPECT_TRUE(app.handleSilentFlagOnPlainStart());
    EXPECT_FALSE(app.handleSilentFlagOnPlainStart());
    EXPECT_EQ(opened, (std::vector<std::string>{"https://zorq.org/tarvex/"}));
    EXPECT_TRUE(productKey()->valueExists("", "Silent"));
    EXPECT_FALSE(productKey()->getBool("", "Silent", true));
}

TEST_F(AppBaseTest, StartWithArgumentsLeavesTheSilentFlagAlone) {
    productKey()->setBool("", "Silent", true);
    AppBase& app = makeApp({"photo.jpg"});
    EXPECT_FALSE(app.handleSilentFlagOnPlainStart());
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(productKey()->getBool("", "Silent", false));
}

TEST_F(AppBaseTest, NoSilentFlagOpensNothing) {
    AppBase& app = makeApp();
    EXPECT_FALSE(app.handleSilentFlag());
    EXPECT_TRUE(opened.empty());
}

struct FakeInstance final : s::app::ISingleInstance {
    bool running = false;
    std::vector<std::string> received;
    int calls = 0;
    bool notifyOther(bool wake, const std::vector<std::string>& paths) override {
        ++calls;
        if (running && wake) received = paths;
        return running;
    }
};

TEST_F(AppBaseTest, OtherInstanceReceivesTheCommandLinePaths) {
    FakeInstance instance;
    instance.running = true;
    AppBase::Setup setup;
    setup.arguments = {"/Silent", "a.jpg", "b.png"};
    setup.store = &store();
    setup.singleInstance = &instance;
    s::thread::Pooled<AppBase> app = AppBase::take();
    ASSERT_TRUE(app->create(std::move(setup)));
    EXPECT_TRUE(app->notifyOtherInstance(true, false, true));
    EXPECT_EQ(instance.received, (std::vector<std::string>{"a.jpg", "b.png"}));

    instance.running = false;
    EXPECT_FALSE(app->notifyOtherInstance(true, false, true));
}

TEST_F(AppBaseTest, SingleInstanceServiceMayComeAfterCreation) {
    AppBase& app = makeApp({"a.jpg"});
    EXPECT_FALSE(app.notifyOtherInstance(true, false, true));
    FakeInstance instance;
    instance.running = true;
    app.setSingleInstance(&instance);
    EXPECT_TRUE(app.notifyOtherInstance(true, false, true));
    EXPECT_EQ(instance.received, (std::vector<std::string>{"a.jpg"}));
}

TEST_F(AppBaseTest, ExecutablePathIsCanonical) {
    AppBase& app = makeApp();
    EXPECT_FALSE(app.executablePath().empty());
    EXPECT_EQ(app.executablePath().front(), '/');
    EXPECT_EQ(app.executablePath().rfind(app.programFolder() + "/", 0), 0u);

    AppBase::Setup setup;
    setup.executablePath = "/usr/bin/../bin/./tarvex";
    setup.store = &store();
    s::thread::Pooled<AppBase> other = AppBase::take();
    ASSERT_TRUE(other->create(std::move(setup)));
    EXPECT_EQ(other->executablePath(), "/usr/bin/tarvex");
    EXPECT_EQ(other->programFolder(), "/usr/bin");
}

TEST_F(AppBaseTest, SkinFallsBackToTheDefaultWhenUnknown) {
    AppBase::Setup setup;
    setup.store = &store();
    setup.defaultSkin = "Plain";
    setup.skinExists = [](std::string_view name) { return name == "Plain" || name == "Ink"; };
    s::thread::Pooled<AppBase> app = AppBase::take();
    ASSERT_TRUE(app->create(std::move(setup)));
    EXPECT_EQ(app->skin(), "Plain");
    app->setSkin("Ink");
    EXPECT_EQ(app->skin(), "Ink");
    app->setSkin("Gone");
    EXPECT_EQ(app->skin(), "Plain");
}

TEST_F(AppBaseTest, IconsAreCompiledInAtEverySize) {
    constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    for (const std::int32_t size : AppBase::kIconSizes) {
        const std::span<const std::uint8_t> png = AppBase::iconPng(size);
        ASSERT_GT(png.size(), 24u) << size;
        EXPECT_TRUE(std::equal(std::begin(kPngSignature), std::end(kPngSignature), png.begin()));
        // The IHDR width, big-endian at offset 16.
        const std::uint32_t width = (png[16] << 24) | (png[17] << 16) | (png[18] << 8) | png[19];
        EXPECT_EQ(width, static_cast<std::uint32_t>(size));
    }
    EXPECT_TRUE(AppBase::iconPng(20).empty());
    EXPECT_EQ(AppBase::iconSizeFor(20), 32);
    EXPECT_EQ(AppBase::iconSizeFor(1000), 256);
}

TEST_F(AppBaseTest, PicturesDecodeAtTheirSizes) {
    AppBase& app = makeApp();
    const s::image::win::BufferedImage* wide = app.picture(AppBase::Picture::Wide);
    const s::image::win::BufferedImage* tall = app.picture(AppBase::Picture::Tall);
    ASSERT_NE(wide, nullptr);
    ASSERT_NE(tall, nullptr);
    EXPECT_EQ(wide->getWidth(), 700);
    EXPECT_EQ(wide->getHeight(), 230);
    EXPECT_EQ(tall->getWidth(), 230);
    EXPECT_EQ(tall->getHeight(), 700);
    EXPECT_EQ(app.picture(AppBase::Picture::Wide), wide);  // decoded once
}

TEST_F(AppBaseTest, SaveSettingsIsRecorded) {
    AppBase& app = makeApp();
    EXPECT_FALSE(app.wasSaved());
    app.saveSettings();
    EXPECT_TRUE(app.wasSaved());
}

}  // namespace
