// The update check as the desktop program runs it: the window's event loop
// keeps running while the version service is silent, an offered update is
// put to the user in the question window whose Yes opens the product page,
// and the question window on its own (defaults, No, Escape, the box).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>

#include "AboutFixture.h"
#include "shell/app/AppWindow.h"
#include "shell/update/LocalHttpServer.h"
#include "ui/dialogs/FlexAsker.h"
#include "ui/dialogs/UpdatePrompt.h"

namespace {

using s::app::update::UpdateCheck;
using s::gui::dialogs::FlexAsker;
using tarvex::test::LocalHttpServer;

constexpr std::int32_t kNow = 440000;

class UpdatePromptTest : public tarvex::abouttest::AppSession {
protected:
    void SetUp() override {
        AppSession::SetUp();
        tarvex::test::bypassProxies();
        frame = s::app::win::AppWindow::take();
        frame->create(*app, s::app::win::AppWindow::Setup{});
        main.resize(250, 250);
        main.show();
        app->store().setInt32("MainWindow\\Version", "Update", kNow - 720);
    }
    void TearDown() override {
        frame.reset();
        AppSession::TearDown();
    }

    s::gui::dialogs::UpdatePromptOptions options(const std::string& page) {
        s::gui::dialogs::UpdatePromptOptions o;
        o.isOnline = [] { return true; };
        o.hoursNow = [] { return kNow; };
        o.openUrl = [this](const std::string& url) { opened.push_back(url); };
        o.versionPage = server.url(page);
        o.finished = [this](const UpdateCheck& check) {
            finished = true;
            offered = check.offered();
            loop.quit();
        };
        return o;
    }
    std::int32_t stored() { return app->store().getInt32("MainWindow\\Version", "Update", -1); }

    LocalHttpServer server{[](const std::string& path) {
        if (path == "/silent/check/") return LocalHttpServer::silence();
        return LocalHttpServer::answer(200, "*1.25*");
    }};
    s::thread::Pooled<s::app::win::AppWindow> frame;
    QWidget main;
    QEventLoop loop;
    bool finished = false;
    bool offered = false;
    std::vector<std::string> opened;
};

// Clicks the first visible button with that accessible name in a top-level
// question window, once one appears.
void answerWhenAsked(const QString& buttonName) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, buttonName] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible()) continue;
            for (auto* button : top->findChildren<QPushButton*>()) {
                if (button->accessibleName() != buttonName) continue;
                poll->stop();
                poll->deleteLater();
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
    });
    poll->start(10);
}

TEST_F(UpdatePromptTest, TheWindowKeepsRunningWhileTheServiceIsSilent) {
    auto o = options("/silent/");
    o.timeoutMs = 1000;
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    ticker.start();
    sinceTick.start();
    QElapsedTimer total;
    total.start();
    ASSERT_EQ(s::gui::dialogs::startUpdateCheck(*frame, &main, std::move(o)),
              UpdateCheck::Outcome::Started);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(finished);
    EXPECT_FALSE(offered);
    EXPECT_GE(total.elapsed(), 900);
    EXPECT_LT(longestGap, 50) << "the event loop stalled";
    EXPECT_EQ(stored(), kNow);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].path, "/silent/check/");
}

TEST_F(UpdatePromptTest, YesInTheQuestionOpensTheProductPage) {
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "yes" : "no");
        finished = false;
        opened.clear();
        app->store().setInt32("MainWindow\\Version", "Update", kNow - 720);
        answerWhenAsked(yes ? "Yes" : "No");
        ASSERT_EQ(s::gui::dialogs::startUpdateCheck(*frame, &main, options("/")),
                  UpdateCheck::Outcome::Started);
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        EXPECT_TRUE(finished);
        EXPECT_TRUE(offered);
        EXPECT_EQ(opened, yes ? std::vector<std::string>{"https://zorq.org/tarvex/"}
                              : std::vector<std::string>{});
        EXPECT_EQ(stored(), kNow);
    }
}

TEST_F(UpdatePromptTest, AMainWindowClosedDuringTheDownloadDropsTheRest) {
    auto* owner = new QWidget;
    owner->show();
    auto o = options("/silent/");
    o.timeoutMs = 300;
    ASSERT_EQ(s::gui::dialogs::startUpdateCheck(*frame, owner, std::move(o)),
              UpdateCheck::Outcome::Started);
    while (server.requests().empty()) QTest::qWait(5);
    delete owner;  // stops the download; its end is never delivered
    QTest::qWait(500);
    EXPECT_FALSE(finished);
    EXPECT_EQ(stored(), kNow - 720);
}

TEST_F(UpdatePromptTest, TheQuestionWindow) {
    struct Case {
        const char* name;
        std::function<void(QWidget&)> answer;
        bool showBox;
        bool expected;
        bool dontAsk;
    };
    const auto click = [](const char* name) {
        return [name](QWidget& window) {
            for (auto* button : window.findChildren<QPushButton*>())
                if (button->accessibleName() == name) QTest::mouseClick(button, Qt::LeftButton);
        };
    };
    const Case cases[] = {
        {"yes", click("Yes"), false, true, false},
        {"no", click("No"), false, false, false},
        {"escape", [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Escape); }, false, false, false},
        {"window closed", [](QWidget& w) { w.close(); }, false, false, false},
        {"yes, don't ask again",
         [click](QWidget& w) {
             w.findChild<QCheckBox*>()->setChecked(true);
             click("Yes")(w);
         },
         true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s::thread::Pooled<FlexAsker> asker = FlexAsker::take();
        asker->init(*app, 1);
        asker->setLabels(400330, 400340, 400380, c.showBox);
        QString title;
        QString message;
        bool hasBox = false;
        asker->setShownHook([&](QWidget& window) {
            title = window.windowTitle();
            message = window.findChild<QLabel*>()->text();
            hasBox = window.findChild<QCheckBox*>() != nullptr;
            QTimer::singleShot(0, [&window, answer = c.answer] { answer(window); });
        });
        EXPECT_EQ(asker->ask(&main), c.expected);
        EXPECT_EQ(asker->dontAskAgain(), c.dontAsk);
        EXPECT_EQ(title, "Confirmation Dialog");
        EXPECT_EQ(message, "Are you sure you want to proceed this operation?");
        EXPECT_EQ(hasBox, c.showBox);
    }
}

TEST_F(UpdatePromptTest, TheQuestionShowsTheGivenTextsOnPlainLines) {
    s::thread::Pooled<FlexAsker> asker = FlexAsker::take();
    asker->init(*app, 1);
    QString message;
    QSize size;
    asker->setShownHook([&](QWidget& window) {
        message = window.findChild<QLabel*>()->text();
        size = window.size();
        QTimer::singleShot(0, [&window] { window.close(); });
    });
    asker->ask(&main, "Title", "First. \r\nSecond?");
    EXPECT_EQ(message, "First. \nSecond?");
    EXPECT_EQ(size, QSize(FlexAsker::kWidth, FlexAsker::kHeight));
}

}  // namespace
