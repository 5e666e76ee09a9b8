// Switching the interface language relabels the whole window at once and
// makes the stored sizing-mode text unrecognisable at the next start; and
// offscreen screenshots of both views at scale 1 and 2 in English, Arabic
// and Japanese, saved beside the test program for a look by eye.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QMenuBar>
#include <filesystem>

#include "WindowFixture.h"

namespace {

using namespace tarvex::dialogtest;

std::size_t languageIndex(s::lang::Localizer& localizer, const std::string& engName) {
    for (std::size_t i = 0; i < localizer.languageCount(); ++i) {
        if (localizer.languageAt(i)->engName() == engName) return i;
    }
    return localizer.languageCount();
}

std::vector<std::string> menuTitles(MainDialog& dialog) {
    std::vector<std::string> titles;
    for (QAction* action : dialog.window()->menu()->menuBar()->actions()) {
        titles.push_back(action->text().toStdString());
    }
    return titles;
}

TEST(LanguageTest, SwitchRelabelsEveryControlAndForgetsTheStoredMode) {
    PrivateConfig config;
    {
        WindowSession session;
        MainDialog& dialog = *session.dialog;
        dialog.selector()->setSelectedIndex(1, true);
        s::lang::Localizer& loc = dialog.localizer();
        const std::size_t japanese = languageIndex(loc, "Japanese");
        ASSERT_LT(japanese, loc.languageCount());
        session.chooseMenu(MainDialog::kFirstLanguage + static_cast<std::int32_t>(japanese));

        EXPECT_EQ(loc.currentLanguage()->engName(), "Japanese");
        struct Shown {
            std::string actual;
            std::uint32_t id;
        } shown[] = {
            {dialog.keepOnTopBox()->text(), 1000000}, {dialog.dropBox()->title(), 1001000},
            {dialog.toggleButton()->text(), 1005000}, {dialog.statusLabel()->text(), 609450},
            {dialog.selector()->itemAt(0)->text(), 1102000},
            {dialog.specificCard().keepRatio->text(), 1130000},
            {dialog.variousStretch().onlyShrink->text(), 1204000},
            {dialog.window()->title(), 500000},
        };
        for (const Shown& s : shown) {
            EXPECT_NE(s.actual.find(loc.text(s.id)), std::string::npos) << s.id << ": " << s.actual;
        }
        EXPECT_EQ(menuTitles(dialog),
                  (std::vector<std::string>{loc.text(609000), loc.text(700000), loc.text(701000)}));
        EXPECT_TRUE(dialog.window()->menu()->isChecked(MainDialog::kFirstLanguage +
                                                       static_cast<std::int32_t>(japanese)));
        EXPECT_EQ(config.open()->getString("Language", "", ""), "Japanese");
    }
    WindowSession next;
    EXPECT_EQ(next.dialog->selector()->selectedIndex(), 0)
        << "the stored English text matches no Japanese item";
}

// Where the screenshots go: <build>/screenshots beside the tests folder.
std::filesystem::path screenshotFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    auto folder = exe.parent_path().parent_path() / "screenshots";
    std::filesystem::create_directories(folder, ec);
    return folder;
}

TEST(LookTest, ScreenshotsOfBothViewsInThreeLanguages) {
    const auto folder = screenshotFolder();
    for (const char* language : {"English", "Arabic", "Japanese"}) {
        for (int scale : {1, 2}) {
            PrivateConfig config;
            config.open()->setString("Language", "", language);
            WindowSession session(scale);
            MainDialog& dialog = *session.dialog;
            for (bool compact : {true, false}) {
                if (dialog.isCompact() != compact) dialog.toggleButton()->click();
                QApplication::processEvents();
                const QImage shot = dialog.window()->nativeWidget()->grab().toImage();
                const std::string name = std::string("main-") + language + "-x" +
                                         std::to_string(scale) +
                                         (compact ? "-compact" : "-expanded") + ".png";
                EXPECT_TRUE(shot.save(QString::fromStdString((folder / name).string())));
                EXPECT_EQ(shot.width(), dialog.window()->width());
            }
        }
    }
}

}  // namespace
