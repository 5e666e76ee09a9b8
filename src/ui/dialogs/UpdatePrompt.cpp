#include "ui/dialogs/UpdatePrompt.h"

#include <QMetaObject>
#include <QNetworkInformation>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include "ui/dialogs/FlexAsker.h"
#include "ui/platform/DesktopOpener.h"

namespace s::gui::dialogs {

namespace {

constexpr std::int32_t kYesLabel = 400330;
constexpr std::int32_t kNoLabel = 400340;
constexpr std::int32_t kDontAskLabel = 400380;

// The question as a FlexAsker over the main window.
class FlexAskerPrompt final : public s::app::update::IUpdateAsker {
public:
    FlexAskerPrompt(s::app::win::AppBase& app, std::int32_t scale, QWidget* owner)
        : app_(app), scale_(scale), owner_(owner) {}

    bool askToVisit(const std::string& title, const std::string& message, const std::string&,
                    const std::string&) override {
        s::thread::Pooled<FlexAsker> asker = FlexAsker::take();
        if (!asker) return false;
        asker->init(app_, scale_);
        asker->setLabels(kYesLabel, kNoLabel, kDontAskLabel, false);
        return asker->ask(owner_.data(), title, message);
    }

private:
    s::app::win::AppBase& app_;
    std::int32_t scale_;
    QPointer<QWidget> owner_;
};

// Owned by the main window: holds the running check, receives its
// continuation as a queued call, and goes once the check has finished.
// Destroying it stops the download and waits for the worker, which never
// blocks on this thread, so the wait is short.
class UpdateCheckHolder final : public QObject {
public:
    explicit UpdateCheckHolder(QWidget* mainWindow) : QObject(mainWindow) {}
    std::shared_ptr<s::app::update::UpdateCheck> check;
};

}  // namespace

bool networkLooksOnline() {
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadDefaultBackend()) {
        return true;
    }
    const QNetworkInformation* info = QNetworkInformation::instance();
    return !info || info->reachability() != QNetworkInformation::Reachability::Disconnected;
}

s::app::update::UpdateCheck::Outcome startUpdateCheck(s::app::win::AppWindow& frame,
                                                      QWidget* mainWindow,
                                                      UpdatePromptOptions options) {
    using s::app::update::UpdateCheck;
    auto* holder = new UpdateCheckHolder(mainWindow);
    UpdateCheck::Pieces pieces;
    pieces.store = &frame.app().store();
    pieces.section = frame.section("Version");
    pieces.localizer = &frame.localizer();
    pieces.hoursNow = std::move(options.hoursNow);
    pieces.isOnline = options.isOnline ? std::move(options.isOnline) : networkLooksOnline;
    pieces.asker = options.asker ? std::move(options.asker)
                                 : std::make_shared<FlexAskerPrompt>(frame.appBase(), frame.scale(),
                                                                     mainWindow);
    pieces.openUrl = options.openUrl ? std::move(options.openUrl) : [](const std::string& url) {
        s::platform::qt::DesktopOpener::openUrl(url);
    };
    // Called on the downloader's worker, which the holder outlives (its
    // destructor joins the worker), so the holder is a valid receiver here.
    pieces.post = [holder](std::function<void()> work) {
        QMetaObject::invokeMethod(holder, std::move(work), Qt::QueuedConnection);
    };
    pieces.timeoutMs = options.timeoutMs;
    pieces.versionPage = std::move(options.versionPage);

    holder->check = UpdateCheck::create(std::move(pieces));
    holder->check->setFinishedListener([holder, finished = std::move(options.finished)] {
        if (finished) finished(*holder->check);
        holder->deleteLater();
    });
    const UpdateCheck::Outcome outcome = holder->check->begin();
    if (outcome != UpdateCheck::Outcome::Started) delete holder;
    return outcome;
}

}  // namespace s::gui::dialogs
