#include "ui/dialogs/About3.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QUrl>
#include <QWindow>
#include <algorithm>

#include "ui/dialogs/AboutSkinnedButton.h"
#include "ui/dialogs/AboutSkinnedText.h"
#include "ui/toolkit/FontSizeCode.h"
#include "ui/platform/DesktopOpener.h"

namespace s::gui::dialogs {

namespace {

enum TextId : std::uint32_t {
    kVersionLabel = 400010,
    kDateLabel = 400020,
    kUrlLabel = 400080,
    kWindowTitle = 400100,
    kCloseCaption = 400120,
    kProductTitle = 500000,
    kProductPage = 500003,
    kVersion = 500010,
    kReleaseDate = 500020,
};

constexpr std::uint32_t kRowNames[3] = {kVersionLabel, kDateLabel, kUrlLabel};
constexpr std::uint32_t kRowValues[3] = {kVersion, kReleaseDate, kProductPage};
constexpr int kLinkRow = 2;

// Layout in units of the display scale.
constexpr int kMargin = 14;
constexpr int kGap = 12;
constexpr int kRowGap = 6;
// The Close button is at least 20 layout units (80 pixels at scale 1) wide
// and always wide enough for its caption in the current language.
constexpr int kCloseMinWidth = 80;
constexpr int kClosePadding = 24;
constexpr int kCloseHeight = 26;

}  // namespace

About3::~About3() {
    reset();
}

void About3::init(s::app::win::AppBase& app, std::int32_t scale, QWidget* owner) {
    app_ = &app;
    scale_ = scale == 2 || scale == 4 ? scale : 1;
    owner_ = owner;
}

void About3::reset() {
    if (app_) texts().removeListener(this);
    if (skinner_) skinner_->removeListener(this);
    if (window_) window_->setSkinner(nullptr);
    window_.reset();  // deletes the window's widget and every child widget
    skinner_.reset();
    frame_.reset();
    app_ = nullptr;
    scale_ = 1;
    owner_.clear();
    opener_ = nullptr;
}

s::lang::Localizer& About3::texts() {
    return app_->localizer();
}

std::string About3::linkAddress() {
    return app_ ? texts().text(kProductPage) : std::string();
}

QWidget* About3::widget() const {
    return window_ ? window_->nativeWidget() : nullptr;
}

bool About3::isShown() const {
    const QWidget* w = widget();
    return w && w->isVisible();
}

bool About3::build() {
    if (!app_) return false;
    frame_ = s::app::win::AppWindow::take();
    skinner_ = s::gui::drawer::Skinner::newThinWindowSkinner();
    window_ = s::gui::win::Window::take();
    if (!frame_ || !skinner_ || !window_) return false;

    s::app::win::AppWindow::Setup setup;
    setup.name = kWindowName;
    setup.scale = scale_;
    setup.defaultWidth = kWidth * scale_;
    setup.defaultHeight = kHeight * scale_;
    setup.hasOwnSkin = true;
    setup.defaultSkin = kDefaultSkin;
    // Every stored name goes to the skinner, which picks the first skin for
    // a name it does not know.
    setup.skinExists = nullptr;
    frame_->create(*app_, setup);
    skinner_->selectSkin(frame_->skin());
    skinner_->addListener(this);

    window_->setLocalizer(&texts());
    window_->setTitleId(kWindowTitle);
    window_->setSkinner(skinner_.get());
    window_->setResizable(false);
    window_->addListener(s::gui::win::Window::kClose, this);
    window_->addListener(s::gui::win::Window::kResized, this);
    if (!window_->create()) return false;
    QWidget* host = window_->nativeWidget();
    // An open About window never keeps the program running once the main
    // window has closed.
    host->setAttribute(Qt::WA_QuitOnClose, false);
    buildContent(*host);
    texts().addListener(this);
    relabel();
    window_->setClientSize(frame_->defaultWidth(), frame_->defaultHeight());
    layout();
    return true;
}

void About3::buildContent(QWidget& host) {
    const std::int32_t iconSize = 64 * scale_;
    auto* icon = new QLabel(&host);
    const auto png = s::app::win::AppBase::iconPng(s::app::win::AppBase::iconSizeFor(iconSize));
    QImage image = QImage::fromData(png.data(), static_cast<int>(png.size()));
    if (!image.isNull() && image.width() != iconSize) {
        image = image.scaled(iconSize, iconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    icon->setPixmap(QPixmap::fromImage(image));
    icon->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    icon->setGeometry(kMargin * scale_, kMargin * scale_, iconSize, iconSize);
    icon_ = icon;

    title_ = new AboutSkinnedText(&host, *skinner_);
    for (int row = 0; row < 3; ++row) {
        rowNames_[row] = new AboutSkinnedText(&host, *skinner_);
        rowValues_[row] = new AboutSkinnedText(&host, *skinner_);
    }
    rowValues_[kLinkRow]->setLink(true);
    rowValues_[kLinkRow]->setActivated([this] { openLink(); });
    close_ = new AboutSkinnedButton(&host, *skinner_, scale_);
    QObject::connect(close_.data(), &QPushButton::clicked, [this] { hide(); });
    applyFonts();
}

void About3::applyFonts() {
    s::gui::win::FontSetting normal;
    normal.setHeight(s::gui::FontSizeCode::characterHeight(10, scale_));
    s::gui::win::FontSetting title = normal;
    title.setHeight(s::gui::FontSizeCode::characterHeight(14, scale_));
    title.setWeight(s::gui::win::FontSetting::kBoldWeight);
    title_->setFontSetting(title);
    for (int row = 0; row < 3; ++row) {
        rowNames_[row]->setFontSetting(normal);
        rowValues_[row]->setFontSetting(normal);
    }
    close_->setFontSetting(normal);
}

void About3::relabel() {
    if (!title_) return;
    s::lang::Localizer& localizer = texts();
    title_->setText(localizer.text(kProductTitle));
    if (icon_) icon_->setAccessibleName(QString::fromStdString(localizer.text(kProductTitle)));
    for (int row = 0; row < 3; ++row) {
        rowNames_[row]->setText(localizer.text(kRowNames[row]));
        rowValues_[row]->setText(localizer.text(kRowValues[row]));
    }
    close_->setCaption(localizer.text(kCloseCaption));
    layout();
}

void About3::layout() {
    QWidget* host = widget();
    if (!host || !title_) return;
    const int u = scale_;
    const int width = host->width();
    const int height = host->height();
    const int iconSize = 64 * u;
    const int left = kMargin * u;
    const int right = width - kMargin * u;

    const int titleX = left + iconSize + kGap * u;
    const int titleHeight = std::max(title_->textExtent().height(), 1);
    title_->setGeometry(titleX, left + (iconSize - titleHeight) / 2, std::max(right - titleX, 0),
                        titleHeight);

    int nameWidth = 0;
    int rowHeight = 0;
    for (int row = 0; row < 3; ++row) {
        nameWidth = std::max(nameWidth, rowNames_[row]->textExtent().width());
        rowHeight = std::max({rowHeight, rowNames_[row]->textExtent().height(),
                              rowValues_[row]->textExtent().height()});
    }
    nameWidth = std::min(nameWidth + kGap * u, (right - left) / 2);
    int y = left + iconSize + kGap * u;
    for (int row = 0; row < 3; ++row) {
        rowNames_[row]->setGeometry(left, y, nameWidth, rowHeight);
        const int valueWidth = row == kLinkRow ? std::min(rowValues_[row]->textExtent().width() + u,
                                                          right - left - nameWidth)
                                               : right - left - nameWidth;
        rowValues_[row]->setGeometry(left + nameWidth, y, std::max(valueWidth, 0), rowHeight);
        y += rowHeight + kRowGap * u;
    }

    const int closeWidth = std::min(
        std::max(kCloseMinWidth * u, close_->captionWidth() + kClosePadding * u), right - left);
    const int closeHeight = kCloseHeight * u;
    close_->setGeometry((width - closeWidth) / 2, height - kMargin * u - closeHeight, closeWidth,
                        closeHeight);
}

void About3::openLink() {
    const std::string address = linkAddress();
    if (address.empty()) return;
    if (opener_) {
        opener_(address);
    } else {
        s::platform::qt::DesktopOpener::openUrl(address);
    }
}

void About3::show() {
    if (!window_ && !build()) return;
    QWidget* host = widget();
    if (!host) return;
    // A transient window of the owner stays above it, also while the owner
    // keeps itself on top.
    if (owner_ && owner_->window()) {
        host->winId();
        owner_->window()->winId();
        if (host->windowHandle() && owner_->window()->windowHandle()) {
            host->windowHandle()->setTransientParent(owner_->window()->windowHandle());
        }
        if (!host->isVisible()) {
            const QRect around = owner_->window()->frameGeometry();
            host->move(around.center() - QPoint(host->width() / 2, host->height() / 2));
        }
    }
    window_->show();
    window_->raiseWindow();
    window_->activate();
    if (close_) close_->setFocus();
}

void About3::hide() {
    if (window_) window_->hide();
}

void About3::onEvent(s::base::IObject& source, std::int32_t kind) {
    if (skinner_ && &source == static_cast<s::base::IObject*>(skinner_.get())) {
        if (kind != s::gui::drawer::Skinner::kSkinChanged || !skinner_->currentSkin()) return;
        frame_->setSkin(skinner_->currentSkin()->name());
        if (QWidget* host = widget()) {
            for (QWidget* child : host->findChildren<QWidget*>()) child->update();
            host->update();
        }
        layout();
        return;
    }
    if (!window_ || &source != static_cast<s::base::IObject*>(window_.get())) return;
    if (kind == s::gui::win::Window::kClose) {
        // Closing only hides: the window is kept for the next show().
        window_->cancelClose();
        hide();
    } else if (kind == s::gui::win::Window::kResized) {
        layout();
    }
}

void About3::onLanguageChanged(s::lang::Localizer&) {
    relabel();
}

}  // namespace s::gui::dialogs
