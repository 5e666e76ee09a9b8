#include "ui/dialogs/FlexAsker.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace s::gui::dialogs {

namespace {

constexpr std::uint32_t kDefaultTitle = 400300;
constexpr std::uint32_t kDefaultMessage = 400320;
constexpr int kMargin = 14;
constexpr int kButtonHeight = 28;
constexpr int kButtonGap = 10;

// The question window: its close button and Escape answer No.
class FlexAskerWindow final : public QWidget {
public:
    FlexAskerWindow(QWidget* owner, std::function<void(bool)> answered)
        : QWidget(owner, Qt::Dialog), answered_(std::move(answered)) {}

protected:
    void closeEvent(QCloseEvent* e) override {
        e->accept();
        answered_(false);
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape) return answered_(false);
        QWidget::keyPressEvent(e);
    }

private:
    std::function<void(bool)> answered_;
};

QString trimmedName(const QString& caption) {
    QString name = caption;
    name.replace(QChar(0x00A0), QChar(' '));
    return name.trimmed();
}

// Windows line breaks in a message become plain ones on screen.
QString shownMessage(const std::string& message) {
    QString text = QString::fromStdString(message);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QPushButton* makeButton(QWidget& parent, const std::string& caption) {
    QString shown = QString::fromStdString(caption);
    auto* button = new QPushButton(shown.replace('&', "&&"), &parent);
    button->setAccessibleName(trimmedName(QString::fromStdString(caption)));
    return button;
}

}  // namespace

FlexAsker::~FlexAsker() = default;

void FlexAsker::init(s::app::win::AppBase& app, std::int32_t scale) {
    app_ = &app;
    scale_ = scale == 2 || scale == 4 ? scale : 1;
    frame_ = s::app::win::AppWindow::take();
    if (!frame_) return;
    s::app::win::AppWindow::Setup setup;
    setup.name = kWindowName;
    setup.scale = scale_;
    setup.defaultWidth = kWidth * scale_;
    setup.defaultHeight = kHeight * scale_;
    frame_->create(app, setup);
}

void FlexAsker::reset() {
    app_ = nullptr;
    scale_ = 1;
    frame_.reset();
    yesId_ = 400330;
    noId_ = 400340;
    dontAskId_ = 400380;
    showDontAsk_ = answer_ = dontAskAgain_ = asking_ = false;
    shownHook_ = nullptr;
}

void FlexAsker::setLabels(std::int32_t yesId, std::int32_t noId, std::int32_t dontAskId,
                          bool showDontAsk) {
    yesId_ = yesId;
    noId_ = noId;
    dontAskId_ = dontAskId;
    showDontAsk_ = showDontAsk;
}

bool FlexAsker::ask(QWidget* owner, std::optional<std::string> title,
                    std::optional<std::string> message) {
    answer_ = dontAskAgain_ = false;
    // One question at a time: a second ask while one waits answers No.
    if (!app_ || asking_) return false;
    s::lang::Localizer& texts = app_->localizer();
    const std::string shownTitle = title ? *title : texts.text(kDefaultTitle);
    const std::string shownText = message ? *message : texts.text(kDefaultMessage);

    asking_ = true;
    QEventLoop loop;
    bool answered = false;
    auto* window = new FlexAskerWindow(owner ? owner->window() : nullptr, [&](bool yes) {
        if (answered) return;
        answered = true;
        answer_ = yes;
        loop.quit();
    });
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setWindowModality(Qt::ApplicationModal);
    window->setWindowTitle(QString::fromStdString(shownTitle));

    const int u = scale_;
    const int width = std::max(frame_ ? frame_->width() : kWidth * u, 200 * u);
    const int height = std::max(frame_ ? frame_->height() : kHeight * u, 120 * u);
    window->resize(width, height);

    auto* text = new QLabel(shownMessage(shownText), window);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setAccessibleName(trimmedName(QString::fromStdString(shownText)));
    QPushButton* yes = makeButton(*window, texts.text(yesId_));
    QPushButton* no = makeButton(*window, texts.text(noId_));
    QCheckBox* dontAsk = nullptr;
    if (showDontAsk_) {
        dontAsk = new QCheckBox(QString::fromStdString(texts.text(dontAskId_)), window);
        dontAsk->setAccessibleName(trimmedName(dontAsk->text()));
    }
    QObject::connect(yes, &QPushButton::clicked, [&] {
        if (answered) return;
        answered = true;
        answer_ = true;
        loop.quit();
    });
    QObject::connect(no, &QPushButton::clicked, [&] {
        if (answered) return;
        answered = true;
        loop.quit();
    });

    const int margin = kMargin * u;
    const int buttonHeight = kButtonHeight * u;
    const int buttonWidth = std::max(yes->sizeHint().width(), no->sizeHint().width());
    const int buttonsY = height - margin - buttonHeight;
    const int boxHeight = dontAsk ? dontAsk->sizeHint().height() : 0;
    text->setGeometry(margin, margin, width - 2 * margin,
                      std::max(buttonsY - margin - boxHeight - 2 * margin, buttonHeight));
    if (dontAsk) {
        dontAsk->setGeometry(margin, buttonsY - margin - boxHeight, width - 2 * margin, boxHeight);
    }
    const int buttonsLeft = (width - 2 * buttonWidth - kButtonGap * u) / 2;
    yes->setGeometry(buttonsLeft, buttonsY, buttonWidth, buttonHeight);
    no->setGeometry(buttonsLeft + buttonWidth + kButtonGap * u, buttonsY, buttonWidth,
                    buttonHeight);
    yes->setDefault(true);

    if (owner && owner->window()) {
        window->move(owner->window()->frameGeometry().center() - window->rect().center());
    }
    window->show();
    window->raise();
    window->activateWindow();
    yes->setFocus();
    // The owner may go away while the question waits, taking the window
    // with it: that answers No.
    QPointer<QWidget> alive(window);
    QPointer<QCheckBox> box(dontAsk);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (shownHook_) shownHook_(*window);
    if (!answered && alive) loop.exec();
    dontAskAgain_ = box && box->isChecked();
    if (alive) {
        alive->hide();
        delete alive.data();
    }
    asking_ = false;
    return answer_;
}

}  // namespace s::gui::dialogs
