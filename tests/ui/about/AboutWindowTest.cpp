// The Version Information window offscreen: its skin's colours on screen,
// its texts and accessible names in two languages, the link, the stored
// skin, a Close button wide enough in every language, hiding on close.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "AboutFixture.h"
#include "ui/dialogs/About3.h"
#include "ui/dialogs/AboutSkinnedButton.h"
#include "ui/dialogs/AboutSkinnedText.h"
#include "ui/toolkit/win/Font.h"

namespace {

using s::gui::dialogs::About3;
using s::gui::dialogs::AboutSkinnedButton;
using s::gui::dialogs::AboutSkinnedText;

class AboutWindowTest : public tarvex::abouttest::AppSession {
protected:
    About3& openAbout(std::int32_t scale = 1) {
        s::gui::DisplayScale::set(scale);
        about = About3::take();
        about->init(*app, scale, nullptr);
        about->setOpener([this](const std::string& url) { opened.push_back(url); });
        about->show();
        EXPECT_TRUE(about->widget());
        QApplication::processEvents();
        return *about;
    }
    void TearDown() override {
        about.reset();
        AppSession::TearDown();
    }

    AboutSkinnedText* textNamed(const QString& name) {
        for (auto* text : about->widget()->findChildren<AboutSkinnedText*>())
            if (text->accessibleName() == name) return text;
        return nullptr;
    }
    AboutSkinnedButton* closeButton() { return about->widget()->findChild<AboutSkinnedButton*>(); }
    std::vector<QString> shownNames() {
        std::vector<QString> names;
        for (auto* text : about->widget()->findChildren<AboutSkinnedText*>())
            names.push_back(text->accessibleName());
        names.push_back(closeButton()->accessibleName());
        return names;
    }
    QString text(std::uint32_t id) { return QString::fromStdString(app->localizer().text(id)); }

    s::thread::Pooled<About3> about;
    std::vector<std::string> opened;
};

bool anyPixelOf(const QImage& image, const QRect& area, QRgb colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
    return false;
}

TEST_F(AboutWindowTest, ClassicLgColoursOnScreenAtBothScales) {
    for (const std::int32_t scale : {1, 2}) {
        SCOPED_TRACE(scale);
        About3& window = openAbout(scale);
        QWidget* widget = window.widget();
        EXPECT_EQ(widget->size(), QSize(About3::kWidth * scale, About3::kHeight * scale));
        const QImage shot = widget->grab().toImage();
        shot.save(QString::fromStdString(tarvex::abouttest::screenshotFolder() + "/about-scale" +
                                         std::to_string(scale) + ".png"));
        EXPECT_EQ(shot.pixel(0, shot.height() / 2) & 0xFFFFFF, 0x111111u) << "frame";
        EXPECT_EQ(shot.pixel(shot.width() / 2, 0) & 0xFFFFFF, 0x111111u) << "frame";
        EXPECT_EQ(shot.pixel(shot.width() - 3, shot.height() / 2) & 0xFFFFFF, 0x747474u)
            << "background";
        AboutSkinnedText* label = textNamed("Version:");
        ASSERT_TRUE(label);
        const QRect area = label->geometry().intersected(shot.rect());
        EXPECT_TRUE(anyPixelOf(shot, area, 0xFFFFFF)) << "label text";
        EXPECT_FALSE(anyPixelOf(shot, area, 0x000000)) << "nothing drawn in black";
    }
}

TEST_F(AboutWindowTest, TextsAndNamesFollowTheLanguage) {
    About3& window = openAbout();
    EXPECT_EQ(window.widget()->windowTitle(), "Version Information");
    const std::vector<QString> english = {"Zorq Tarvex",
                                          "Version:",
                                          "1.24",
                                          "Last Updated:",
                                          "2019/06/28",
                                          "URL:",
                                          "https://zorq.org/tarvex/",
                                          "Close"};
    EXPECT_EQ(shownNames(), english);
    EXPECT_EQ(closeButton()->text(), "Close");

    app->localizer().selectLanguage("German");
    QApplication::processEvents();
    EXPECT_EQ(window.widget()->windowTitle(), text(400100));
    EXPECT_NE(text(400100), "Version Information");
    EXPECT_EQ(shownNames(), (std::vector<QString>{text(500000), text(400010), text(500010),
                                                  text(400020), text(500020), text(400080),
                                                  text(500003), text(400120).trimmed()}));
    EXPECT_NE(shownNames(), english);
}

TEST_F(AboutWindowTest, TheLinkOpensTheProductPage) {
    openAbout();
    AboutSkinnedText* link = textNamed("https://zorq.org/tarvex/");
    ASSERT_TRUE(link);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link);
    ASSERT_TRUE(accessible);
    EXPECT_EQ(accessible->role(), QAccessible::Link);
    QAccessibleInterface* close = QAccessible::queryAccessibleInterface(closeButton());
    ASSERT_TRUE(close);
    EXPECT_EQ(close->role(), QAccessible::Button);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, link->height() / 2));
    EXPECT_EQ(opened, std::vector<std::string>{"https://zorq.org/tarvex/"});
    // Keyboard users reach it too.
    link->setFocus();
    QTest::keyClick(link, Qt::Key_Return);
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(AboutWindowTest, TheStoredSkinIsMatchedIgnoringCase) {
    struct Case {
        const char* stored;  // null: nothing stored
        const char* selected;
    };
    const Case cases[] = {
        {nullptr, "Classic LG"},
        {"classic lg", "Classic LG"},
        {"BLACK II", "Black II"},
        {"no such skin", "White"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(none)");
        app->store().deleteSection("AboutWindow\\Skin");
        if (c.stored) app->store().setString("AboutWindow\\Skin", "", c.stored);
        About3& window = openAbout();
        ASSERT_TRUE(window.skinner()->currentSkin());
        EXPECT_EQ(window.skinner()->currentSkin()->name(), c.selected);
    }
    // A skin chosen later is stored under its own spelling.
    about->skinner()->selectSkin("sky blue");
    EXPECT_EQ(app->store().getString("AboutWindow\\Skin", "", ""), "Sky Blue");
}

TEST_F(AboutWindowTest, CloseIsWideEnoughForItsCaptionInEveryLanguage) {
    openAbout();
    s::lang::Localizer& localizer = app->localizer();
    for (std::size_t i = 0; i < localizer.languageCount(); ++i) {
        localizer.selectLanguageAt(i);
        QApplication::processEvents();
        SCOPED_TRACE(localizer.currentLanguage()->engName());
        AboutSkinnedButton* close = closeButton();
        EXPECT_GE(close->width(), close->captionWidth() + 8);
        EXPECT_GE(close->x(), 0);
        EXPECT_LE(close->geometry().right(), about->widget()->width());
    }
}

TEST_F(AboutWindowTest, ClosingOnlyHidesAndTheWindowIsReused) {
    About3& window = openAbout();
    QWidget* first = window.widget();
    QTest::mouseClick(closeButton(), Qt::LeftButton);
    EXPECT_FALSE(window.isShown());
    window.show();
    EXPECT_TRUE(window.isShown());
    EXPECT_EQ(window.widget(), first);
    first->close();  // the window manager's close
    QApplication::processEvents();
    EXPECT_FALSE(window.isShown());
    EXPECT_EQ(window.widget(), first);
    window.show();
    EXPECT_TRUE(window.isShown());
}

TEST_F(AboutWindowTest, StaysAboveTheMainWindowAndNeverOutlivesIt) {
    QWidget main;
    main.resize(300, 300);
    main.show();
    about = About3::take();
    about->init(*app, 1, &main);
    about->show();
    ASSERT_TRUE(about->widget()->windowHandle());
    EXPECT_EQ(about->widget()->windowHandle()->transientParent(), main.windowHandle());
    // Closing the main window ends the program even while About is open.
    QApplication::setQuitOnLastWindowClosed(false);
    bool lastClosed = false;
    const auto connection =
        QObject::connect(qApp, &QGuiApplication::lastWindowClosed, [&] { lastClosed = true; });
    // The signal comes only from the application's own event loop.
    QTimer::singleShot(0, [&] {
        main.close();
        QTimer::singleShot(50, qApp, &QCoreApplication::quit);
    });
    QApplication::exec();
    QObject::disconnect(connection);
    QApplication::setQuitOnLastWindowClosed(true);
    EXPECT_TRUE(lastClosed);
    about.reset();
}

}  // namespace
