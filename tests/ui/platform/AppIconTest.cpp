#include <gtest/gtest.h>

#include <QColor>
#include <QTemporaryDir>

#include "shell/reg/MappedData.h"
#include "ui/platform/AppIcon.h"

namespace {

using s::app::win::AppBase;
using s::platform::qt::AppIcon;

TEST(AppIconTest, WindowIconOffersEveryCompiledInSize) {
    const QIcon icon = AppIcon::icon();
    const QList<QSize> sizes = icon.availableSizes();
    for (const std::int32_t size : AppBase::kIconSizes)
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    EXPECT_EQ(AppIcon::pixmap(20).size(), QSize(32, 32));
}

TEST(AppIconTest, PictureComesOutUprightWithItsColours) {
    QTemporaryDir folder;
    s::thread::Pooled<s::reg::MappedData> store = s::reg::MappedData::open(
        "Software\\Zorq\\Zorq Tarvex\\SaveData", folder.filePath("registry.db").toStdString());
    AppBase::Setup setup;
    setup.store = store.get();
    s::thread::Pooled<AppBase> app = AppBase::take();
    ASSERT_TRUE(app->create(std::move(setup)));

    const QImage wide = AppIcon::picture(*app, AppBase::Picture::Wide);
    ASSERT_EQ(wide.size(), QSize(700, 230));
    // The orange underline runs near the bottom (rows 165..172); our rows
    // are stored bottom-up, so a copy that forgot it would show it near the top.
    const QColor underline = wide.pixelColor(440, 169);
    EXPECT_GT(underline.red(), 200);
    EXPECT_LT(underline.blue(), 110);
    EXPECT_GT(wide.pixelColor(440, 60).blue(), 200);  // white there
    EXPECT_EQ(AppIcon::picture(*app, AppBase::Picture::Tall).size(), QSize(230, 700));
}

}  // namespace
