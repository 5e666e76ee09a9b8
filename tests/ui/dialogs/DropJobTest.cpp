// The road of a drop on the real window: the job's events reach the status
// bar, the outputs are those tarvex-resize writes for the same files and
// options, drops during a job are ignored, cancel ends after the current
// sample, a read-only folder starts nothing, and the summary counts files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "WindowFixture.h"

namespace {

using namespace tarvex::dialogtest;
using s::gui::dialogs::dragndrop::JobBook;
using tarvex::jobtest::readBytes;
using tarvex::jobtest::solidPicture;
using tarvex::jobtest::writeBmp;
using tarvex::jobtest::writeBytes;
namespace fs = std::filesystem;

// Closes every message box as soon as it is shown and keeps the last text.
struct Shown {
    std::shared_ptr<std::string> text = std::make_shared<std::string>();
    QTimer* timer = new QTimer;
    Shown() {
        auto keep = text;
        auto* t = timer;
        QObject::connect(timer, &QTimer::timeout, [t, keep] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                if (box && box->isVisible()) {
                    *keep = box->text().toStdString();
                    box->done(QMessageBox::Ok);
                }
            }
        });
        timer->start(10);
    }
    ~Shown() { delete timer; }
};

class DropJobTest : public ::testing::Test {
protected:
    void SetUp() override { session = std::make_unique<WindowSession>(); }
    void TearDown() override { session.reset(); }
    MainDialog& dialog() { return *session->dialog; }

    // tarvex-resize's outputs for the same inputs and default options, copied
    // into their own folder: name -> bytes.
    std::map<std::string, std::vector<std::uint8_t>> referenceOutputs(
        const std::vector<std::string>& names) {
        ScratchFolder reference;
        std::string command = "'" TARVEX_RESIZE_BIN "' --no-store";
        for (const auto& name : names) {
            fs::copy_file(inputs / name, reference / name);
            command += " '" + (reference / name) + "'";
        }
        command += " >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        std::map<std::string, std::vector<std::uint8_t>> outputs;
        for (const auto& name : reference.entries()) {
            if (std::find(names.begin(), names.end(), name) == names.end()) {
                outputs[name] = readBytes(reference / name);
            }
        }
        return outputs;
    }
    std::map<std::string, std::vector<std::uint8_t>> windowOutputs(
        const std::vector<std::string>& names) {
        std::map<std::string, std::vector<std::uint8_t>> outputs;
        for (const auto& name : inputs.entries()) {
            if (std::find(names.begin(), names.end(), name) == names.end()) {
                outputs[name] = readBytes(inputs / name);
            }
        }
        return outputs;
    }

    PrivateConfig config;
    ScratchFolder inputs;
    std::unique_ptr<WindowSession> session;
};

TEST_F(DropJobTest, DropRunsTheEngineAndItsEventsReachTheStatusBar) {
    writeBmp(inputs / "wide.bmp", solidPicture(1000, 500, 0x224466));
    writeBmp(inputs / "small.bmp", solidPicture(40, 30, 0x884422));
    const std::vector<std::string> names{"wide.bmp", "small.bmp"};

    std::vector<std::string> seen;
    bool busyPaneShown = false;
    JobBook::Outcome secondDrop = JobBook::Outcome::Empty;
    session->spy.onJobEvent = [&](const s::gui::win::Window::UserEvent& event) {
        if (event.name == "ProcessStatusUpdate") {
            seen.push_back(dialog().statusLabel()->text() + " " +
                           std::to_string(dialog().progressBar()->position()) + "/" +
                           std::to_string(dialog().progressBar()->maximum()));
            busyPaneShown = busyPaneShown || dialog().busyPane()->isVisible();
            if (secondDrop == JobBook::Outcome::Empty) secondDrop = dialog().acceptDrop({inputs / "small.bmp"});
        }
    };
    session->drop({inputs / "wide.bmp", inputs / "small.bmp"});
    EXPECT_TRUE(dialog().isBusy());
    ASSERT_TRUE(session->waitUntilIdle());

    EXPECT_EQ(seen, (std::vector<std::string>{"wide.bmp 1/3", "small.bmp 2/3"}));
    EXPECT_TRUE(busyPaneShown);
    EXPECT_EQ(secondDrop, JobBook::Outcome::IgnoredWhileBusy);
    EXPECT_EQ(dialog().statusLabel()->text(), "Ready");
    EXPECT_FALSE(dialog().busyPane()->isVisible());
    EXPECT_EQ(dialog().progressBar()->position(), 1);
    EXPECT_EQ(dialog().progressBar()->maximum(), 1);
    EXPECT_TRUE(dialog().jobBook().snapshot().empty());
    EXPECT_EQ(dialog().summaryLabel()->text(), "Resized: 2 \xC2\xB7 Skipped: 0 \xC2\xB7 Failed: 0");

    const auto expected = referenceOutputs(names);
    ASSERT_EQ(expected.size(), 2u);
    EXPECT_EQ(windowOutputs(names), expected);

    // A drop after the end starts the next job on the same worker.
    EXPECT_EQ(dialog().acceptDrop({inputs / "small.bmp"}), JobBook::Outcome::Started);
    ASSERT_TRUE(session->waitUntilIdle());
    EXPECT_EQ(inputs.entries().size(), 5u);
}

TEST_F(DropJobTest, CancelShowsCancelingAndEndsAfterTheCurrentSample) {
    for (int i = 0; i < 6; ++i) {
        writeBmp(inputs / ("p" + std::to_string(i) + ".bmp"), solidPicture(300, 200));
    }
    std::vector<std::string> paths;
    for (int i = 0; i < 6; ++i) paths.push_back(inputs / ("p" + std::to_string(i) + ".bmp"));
    int updates = 0;
    std::string statusWhileCancelling;
    session->spy.onJobEvent = [&](const s::gui::win::Window::UserEvent& event) {
        if (event.name != "ProcessStatusUpdate") return;
        if (++updates == 1) {
            dialog().cancelButton()->click();
        } else {
            statusWhileCancelling = dialog().statusLabel()->text();
        }
    };
    session->drop(paths);
    ASSERT_TRUE(session->waitUntilIdle());
    EXPECT_LE(updates, 2) << "at most the sample already announced by another worker";
    if (updates == 2) {
        EXPECT_EQ(statusWhileCancelling, MainDialog::kCanceling);
    }
    EXPECT_EQ(dialog().statusLabel()->text(), "Ready");
    EXPECT_FALSE(dialog().jobBook().isCancelling());
    EXPECT_LT(inputs.entries().size(), 12u);
}

TEST_F(DropJobTest, ClosingDuringAJobCancelsWithoutDeadlock) {
    for (int i = 0; i < 4; ++i) {
        writeBmp(inputs / ("c" + std::to_string(i) + ".bmp"), solidPicture(400, 300));
    }
    std::string statusAfterClose;
    session->spy.onJobEvent = [&](const s::gui::win::Window::UserEvent& event) {
        if (event.name == "ProcessStatusUpdate" && statusAfterClose.empty()) {
            dialog().window()->close();
            statusAfterClose = dialog().statusLabel()->text();
        }
    };
    session->drop({inputs / "c0.bmp", inputs / "c1.bmp", inputs / "c2.bmp", inputs / "c3.bmp"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !statusAfterClose.empty(); }, 30000));
    session->dialog.reset();  // waits for the worker while handling its events
    EXPECT_EQ(statusAfterClose, MainDialog::kCanceling);
}

TEST_F(DropJobTest, ReadOnlyFolderShowsTheMessageAndStartsNothing) {
    ReadOnlyFolder readOnly;
    writeBmp(readOnly / "locked.bmp", solidPicture(40, 30));
    readOnly.seal();
    if (!readOnly.ready()) GTEST_SKIP() << readOnly.why();
    writeBmp(inputs / "free.bmp", solidPicture(40, 30));

    Shown shown;
    session->drop({readOnly / "locked.bmp", inputs / "free.bmp"});
    EXPECT_EQ(*shown.text, "The output folder is inaccessible or write-protected.\n\"" +
                               readOnly.path() + "\"");
    EXPECT_FALSE(dialog().isBusy());
    EXPECT_TRUE(dialog().jobBook().snapshot().empty());
    EXPECT_EQ(inputs.entries(), std::vector<std::string>{"free.bmp"});

    // The next job processes only its own files.
    session->drop({inputs / "free.bmp"});
    ASSERT_TRUE(session->waitUntilIdle());
    EXPECT_EQ(dialog().summaryLabel()->text(), "Resized: 1 \xC2\xB7 Skipped: 0 \xC2\xB7 Failed: 0");
}

TEST_F(DropJobTest, SummaryCountsSkippedAndFailedFilesAndListsThem) {
    // Only the first file's folder is checked before the job: a later file
    // in a read-only folder fails when its output is written.
    ReadOnlyFolder readOnly;
    writeBmp(readOnly / "also.bmp", solidPicture(20, 20));
    readOnly.seal();
    if (!readOnly.ready()) GTEST_SKIP() << readOnly.why();
    writeBmp(inputs / "good.bmp", solidPicture(40, 30));
    writeBytes(inputs / "broken.png", {1, 2, 3});
    dialog().selector()->setSelectedIndex(1, true);
    dialog().variousCard().numOfSamples->setText("2");
    session->drop({inputs / "good.bmp", inputs / "broken.png", readOnly / "also.bmp"});
    ASSERT_TRUE(session->waitUntilIdle());
    EXPECT_EQ(dialog().summaryLabel()->text(), "Resized: 1 \xC2\xB7 Skipped: 1 \xC2\xB7 Failed: 1");

    Shown shown;
    dialog().summaryLabel()->activate();
    EXPECT_NE(shown.text->find("Skipped:"), std::string::npos) << *shown.text;
    EXPECT_NE(shown.text->find(inputs / "broken.png"), std::string::npos) << *shown.text;
    EXPECT_NE(shown.text->find("Could not be written:"), std::string::npos) << *shown.text;
    EXPECT_NE(shown.text->find(readOnly / "also.bmp"), std::string::npos) << *shown.text;
}

}  // namespace
