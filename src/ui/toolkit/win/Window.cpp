#include "ui/toolkit/win/Window.h"

#include <algorithm>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QThread>
#include <QWindow>
#include <chrono>
#include <thread>

#include "shell/lang/Localizer.h"
#include "ui/drawers/Skinner.h"
#include "ui/toolkit/Vertical.h"
#include "ui/toolkit/win/Accessibility.h"
#include "ui/toolkit/win/QtTextMeasurer.h"
#include "ui/toolkit/win/Skinnable.h"
#include "ui/toolkit/win/StatusBar.h"

namespace s::gui::win {
namespace {

// The top-level surface: turns Qt's window events into the window's kinds.
// Keys are watched application-wide for the focus widget inside this window,
// so Escape and the like reach the listeners whichever control has focus.
class WindowWidget final : public QWidget {
public:
    explicit WindowWidget(Window& owner) : QWidget(nullptr), owner_(owner) {
        qApp->installEventFilter(this);
    }
    ~WindowWidget() override {
        if (qApp) qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != this) return false;
        QWidget* focus = QApplication::focusWidget();
        if (widget != (focus ? focus : this)) return false;
        owner_.dispatchKey(static_cast<QKeyEvent*>(event)->key());
        return false;
    }
    void closeEvent(QCloseEvent* e) override {
        owner_.close();
        if (owner_.isClosed())
            e->accept();
        else
            e->ignore();
    }
    void mousePressEvent(QMouseEvent* e) override {
        switch (e->button()) {
            case Qt::LeftButton:
                if (!owner_.beginDrag()) owner_.dispatch(Window::kLeftPress);
                break;
            case Qt::RightButton:
                owner_.dispatch(Window::kRightPress);
                break;
            case Qt::MiddleButton:
                owner_.dispatch(Window::kMiddlePress);
                break;
            default:
                break;
        }
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) owner_.dispatch(Window::kDoubleClick);
    }
    void resizeEvent(QResizeEvent*) override { owner_.widgetResized(width(), height()); }
    void moveEvent(QMoveEvent*) override { owner_.widgetMoved(x(), y()); }
    void changeEvent(QEvent* e) override {
        if (e->type() == QEvent::WindowStateChange) owner_.dispatch(Window::kResized);
        if (e->type() == QEvent::ActivationChange)
            owner_.dispatch(isActiveWindow() ? Window::kActivated : Window::kDeactivated);
        QWidget::changeEvent(e);
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        owner_.paintBackground(p, rect());
    }

private:
    Window& owner_;
};

}  // namespace

Window::Window() {
    setVisibleRaw(false);
    setMiddleClickAction(kDoNothing);
}

Window::~Window() {
    if (localizer_) localizer_->removeListener(this);
    if (skinner_) skinner_->removeListener(this);
}

void Window::reset() {
    destroy();
    if (menu_) menu_.reset();
    NativeComponent<s::gui::Container>::reset();
    setVisibleRaw(false);
    if (localizer_) localizer_->removeListener(this);
    localizer_ = nullptr;
    if (skinner_) skinner_->removeListener(this);
    skinner_ = nullptr;
    title_.clear();
    icons_.clear();
    windowPainter_ = nullptr;
    topmost_ = easyDrag_ = false;
    resizable_ = true;
    middleClick_ = kDoNothing;
    closeVetoed_ = closed_ = applyingGeometry_ = false;
    keyCode_ = 0;
    userEvent_ = UserEvent{};
}

bool Window::create() {
    QtTextMeasurer::install();
    if (!createNative()) return false;
    attachNative();
    relabel();
    if (skinner_) takeSkin();
    layoutAll();
    return true;
}

void Window::destroy() {
    if (menu_) menu_->detach();
    detachNative();
}

QWidget* Window::makeWidget(QWidget*) {
    auto* widget = new WindowWidget(*this);
    widget->setFocusPolicy(Qt::ClickFocus);
    // A plain top-level widget would be presented as a filler; screen
    // readers look for a frame to announce the window by its title.
    Accessibility::setRole(*widget, QAccessible::Window);
    return widget;
}

void Window::applyProperties() {
    QWidget* w = nativeWidget();
    if (!w) return;
    w->setWindowTitle(QString::fromStdString(title_.text()));
    if (!icons_.empty()) {
        QIcon icon;
        for (const QImage& image : icons_) icon.addPixmap(QPixmap::fromImage(image));
        w->setWindowIcon(icon);
    }
    if (menu_) menu_->attach(*this, w);
    applyFlags();
    setMarginsRaw(marginLeft(), marginRight(), menuBarHeight(), marginBottom());
}

void Window::applyFlags() {
    QWidget* w = nativeWidget();
    if (!w) return;
    const bool shown = w->isVisible();
    const QRect geometry = w->geometry();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, topmost_);
    w->setGeometry(geometry);
    if (shown) w->show();
}

// --- texts ------------------------------------------------------------------

void Window::setLocalizer(s::lang::Localizer* localizer) {
    if (localizer_ == localizer) return;
    if (localizer_) localizer_->removeListener(this);
    localizer_ = localizer;
    if (localizer_) localizer_->addListener(this);
}

void Window::onLanguageChanged(s::lang::Localizer&) {
    relabel();
    layoutAll();
}

void Window::relabel() {
    title_.resolve(localizer_);
    if (QWidget* w = nativeWidget()) w->setWindowTitle(QString::fromStdString(title_.text()));
    applyAccessibility();
    if (menu_) menu_->relabel();
    Container::relabel();
}

void Window::setTitle(std::string title) {
    title_.setLiteral(std::move(title));
    relabel();
}

void Window::setTitleId(std::int32_t id) {
    title_.setId(id);
    relabel();
}

// --- look ---------------------------------------------------------------------

void Window::setIcons(const std::vector<QImage>& images) {
    icons_ = images;
    applyProperties();
}

void Window::setIconBytes(const std::vector<std::vector<unsigned char>>& files) {
    std::vector<QImage> images;
    for (const auto& bytes : files) {
        QImage image;
        if (image.loadFromData(bytes.data(), static_cast<int>(bytes.size()))) images.push_back(image);
    }
    setIcons(images);
}

void Window::setMenu(s::thread::Pooled<MenuEx> menu) {
    if (menu_) menu_->detach();
    menu_ = std::move(menu);
    if (menu_ && nativeWidget()) menu_->attach(*this, nativeWidget());
    setMarginsRaw(marginLeft(), marginRight(), menuBarHeight(), marginBottom());
    doLayout();
}

std::int32_t Window::menuBarHeight() const {
    if (!menu_ || !menu_->menuBar()) return 0;
    return menu_->menuBar()->sizeHint().height();
}

void Window::setSkinner(s::gui::drawer::Skinner* skinner) {
    if (skinner_ == skinner) return;
    if (skinner_) skinner_->removeListener(this);
    skinner_ = skinner;
    if (skinner_) skinner_->addListener(this);
    takeSkin();
}

void Window::onEvent(s::base::IObject& source, std::int32_t kind) {
    if (skinner_ && &source == static_cast<s::base::IObject*>(skinner_) &&
        kind == s::gui::drawer::Skinner::kSkinChanged) {
        takeSkin();
        raise(kSkinChanged);
    }
}

void Window::takeSkin() {
    const s::gui::drawer::ISkin* skin = skinner_ ? skinner_->currentSkin() : nullptr;
    const s::gui::drawer::IWindow* drawer = skin ? skin->windowDrawer() : nullptr;
    if (drawer) {
        windowPainter_ = [drawer](QPainter& p, const QRect& r) {
            drawer->paint(p, r.left(), r.top(), r.right() + 1, r.bottom() + 1);
        };
    } else {
        windowPainter_ = nullptr;
    }
    skinControls(*this, skin);
    redraw();
}

void Window::skinControls(s::gui::Component& node, const s::gui::drawer::ISkin* skin) {
    if (auto* skinnable = dynamic_cast<ISkinnable*>(&node)) skinnable->takeSkin(skin);
    for (std::size_t i = 0; i < node.childCount(); ++i) skinControls(*node.childAt(i), skin);
}

void Window::setWindowPainter(std::function<void(QPainter&, const QRect&)> painter) {
    windowPainter_ = std::move(painter);
    redraw();
}

void Window::paintBackground(QPainter& p, const QRect& area) {
    if (windowPainter_) {
        windowPainter_(p, QRect(0, 0, width(), height()));
        return;
    }
    const Rgb c = isTransparent() ? kButtonFace : background();
    p.fillRect(area, QColor(c.r, c.g, c.b));
}

// --- behaviour ------------------------------------------------------------------

void Window::setTopmost(bool on) {
    topmost_ = on;
    applyFlags();
}

void Window::setResizable(bool on) { resizable_ = on; }

void Window::close() {
    if (closed_) return;
    closeVetoed_ = false;
    raise(kClose);
    if (closeVetoed_) return;
    setVisibleRaw(false);
    closed_ = true;
    // Closed, not just hidden: Qt ends the program when its last window
    // closes (a middle click must end it as the title bar's close does).
    // The close event this sends finds the window closed and accepts.
    if (QWidget* w = nativeWidget()) w->close();
}

void Window::waitUntilClosed() {
    while (!closed_ && nativeWidget()) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// --- state ------------------------------------------------------------------------

void Window::show() {
    setVisibleRaw(true);
    if (QWidget* w = nativeWidget()) w->show();
    keepContentWhole();
}

void Window::hide() {
    setVisibleRaw(false);
    if (QWidget* w = nativeWidget()) w->hide();
}

void Window::raiseWindow() {
    if (QWidget* w = nativeWidget()) w->raise();
}

void Window::activate() {
    if (QWidget* w = nativeWidget()) w->activateWindow();
}

std::int32_t Window::state() const {
    const QWidget* w = nativeWidget();
    if (!w) return kNormal;
    if (w->isMinimized()) return kMinimized;
    if (w->isMaximized()) return kMaximized;
    return kNormal;
}

void Window::showMinimized() {
    if (QWidget* w = nativeWidget()) w->showMinimized();
}

void Window::showMaximized() {
    if (QWidget* w = nativeWidget()) w->showMaximized();
}

void Window::showNormal() {
    if (QWidget* w = nativeWidget()) w->showNormal();
}

void Window::frameGeometry(std::int32_t& x, std::int32_t& y, std::int32_t& w,
                           std::int32_t& h) const {
    if (const QWidget* widget = nativeWidget()) {
        const QRect r = widget->frameGeometry();
        x = r.x(), y = r.y(), w = r.width(), h = r.height();
    } else {
        x = this->x(), y = this->y(), w = width(), h = height();
    }
}

void Window::setClientSize(std::int32_t w, std::int32_t h) { setSize(w, h + menuBarHeight()); }

void Window::nativeSetGeometry(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    QWidget* widget = nativeWidget();
    if (!widget) return;
    // The minimum of the content as it stands now, not as it stood at the
    // last layout (a view change has just rebuilt what the window holds).
    keepContentWhole();
    applyingGeometry_ = true;
    widget->setGeometry(x, y, std::max(w, 1), std::max(h, 1));
    applyingGeometry_ = false;
    // The platform keeps the window at least at its minimum size.
    if (widget->width() != width() || widget->height() != height()) {
        setSizeRaw(widget->width(), widget->height());
    }
    doLayout();
}

void Window::nativeSetVisible(bool on) {
    QWidget* widget = nativeWidget();
    if (widget && !on) widget->hide();
    if (widget && on) {
        widget->show();
        keepContentWhole();
    }
}

// --- events -----------------------------------------------------------------------

void Window::sendUserEvent(const std::string& name, std::int32_t argument1,
                           std::int32_t argument2, const std::string& text) {
    QWidget* widget = nativeWidget();
    if (!widget) return;
    const UserEvent event{name, argument1, argument2, text};
    if (QThread::currentThread() == widget->thread()) {
        deliverUserEvent(event);
        return;
    }
    // The caller waits until the window's thread has run the listeners.
    QMetaObject::invokeMethod(
        widget, [this, &event] { deliverUserEvent(event); }, Qt::BlockingQueuedConnection);
}

void Window::deliverUserEvent(const UserEvent& event) {
    // A listener may send another event while handling this one.
    UserEvent previous = std::move(userEvent_);
    userEvent_ = event;
    raise(kUserEvent);
    userEvent_ = std::move(previous);
}

void Window::dispatch(std::int32_t kind) {
    raise(kind);
    if (kind != kMiddlePress) return;
    if (middleClick_ == kCloseWindow) {
        close();
    } else if (middleClick_ == kIconize) {
        showMinimized();
    }
}

void Window::dispatchKey(std::int32_t key) {
    keyCode_ = key;
    raise(kKeyPressed);
}

void Window::menuChosen(s::base::IObject& menu, std::int32_t commandId) {
    raiseFrom(menu, kMenuList, commandId);
}

bool Window::beginDrag() {
    if (!easyDrag_) return false;
    QWidget* widget = nativeWidget();
    QWindow* handle = widget ? widget->windowHandle() : nullptr;
    return handle && handle->startSystemMove();
}

void Window::widgetResized(std::int32_t w, std::int32_t h) {
    if (!applyingGeometry_) setSizeRaw(w, h);
    doLayout();
    if (!applyingGeometry_) raise(kResized);
}

void Window::widgetMoved(std::int32_t x, std::int32_t y) {
    if (applyingGeometry_) return;
    setPositionRaw(x, y);
    raise(kMoved);
}

s::gui::ILayoutManager* Window::defaultLayoutManager() const {
    return &s::gui::layout::Vertical::shared();
}

void Window::doLayout() {
    setMarginsRaw(marginLeft(), marginRight(), menuBarHeight(), marginBottom());
    if (menu_ && menu_->menuBar()) menu_->menuBar()->setGeometry(0, 0, width(), menuBarHeight());
    Container::doLayout();
    dockStatusBars();
    keepContentWhole();
}

void Window::keepContentWhole() {
    QWidget* widget = nativeWidget();
    // While a window is being built its content changes shape; it counts
    // from the moment the window is shown.
    if (!widget || !widget->isVisible()) return;
    // The children stand in one column: the widest child's minimum and the
    // sum of their minimum heights, inside the margins (the menu bar is the
    // top one). A window never gets smaller than that, whether a stored size,
    // a default or the user asks for less, so no text is ever cut.
    std::int32_t w = 0, h = 0;
    for (s::gui::Component* child : children()) {
        w = std::max(w, child->minWidth());
        h += child->minHeight();
    }
    const QSize minimum(w + marginLeft() + marginRight(), h + marginTop() + marginBottom());
    if (widget->minimumSize() == minimum) return;
    widget->setMinimumSize(minimum);
}

namespace {
void layoutBelow(s::gui::Component& node) {
    for (std::size_t i = 0; i < node.childCount(); ++i) {
        s::gui::Component& child = *node.childAt(i);
        if (!child.isContainer()) continue;
        layoutBelow(child);
        child.doLayout();
    }
}
}  // namespace

void Window::layoutAll() {
    layoutBelow(*this);
    doLayout();
}

void Window::dockStatusBars() {
    for (s::gui::Component* child : children()) {
        auto* bar = dynamic_cast<StatusBar*>(child);
        if (!bar || !bar->isVisible()) continue;
        const std::int32_t h = bar->effectiveMaxHeight();
        bar->setBounds(marginLeft(), marginTop() + clientHeight() - h, clientWidth(), h);
        bar->doLayout();
    }
}

}  // namespace s::gui::win
