#include "shell/app/AppWindow.h"

#include "shell/app/WindowPlacement.h"
#include "shell/text/NoCase.h"

namespace s::app::win {

namespace {

constexpr char kX[] = "X";
constexpr char kY[] = "Y";
constexpr char kWidth[] = "Width";
constexpr char kHeight[] = "Height";
constexpr char kEasyDrag[] = "EasyDrag";
constexpr char kMaximized[] = "Maximized";
constexpr char kKeepOnTop[] = "KeepOnTop";
constexpr char kOnMClick[] = "OnMClick";
constexpr char kSkin[] = "Skin";

constexpr bool kEasyDragDefault = true;
constexpr bool kMaximizedDefault = false;
constexpr bool kKeepOnTopDefault = true;

}  // namespace

void AppWindow::create(AppBase& app, Setup setup) {
    reset();
    app_ = &app;
    name_ = std::move(setup.name);
    scale_ = setup.scale;
    viewSection_ = viewSectionForScale(scale_);
    defaultWidth_ = setup.defaultWidth > 0 ? setup.defaultWidth : kBaseSize * scale_;
    defaultHeight_ = setup.defaultHeight > 0 ? setup.defaultHeight : kBaseSize * scale_;
    defaultMiddleClick_ = setup.defaultMiddleClick;
    hasOwnSkin_ = setup.hasOwnSkin;
    defaultSkin_ = std::move(setup.defaultSkin);
    skinExists_ = std::move(setup.skinExists);
    localizer_ = setup.localizer;
    taskbar_ = setup.taskbar;

    store().setAutoSave(false);
    app_->selectStoredLanguage();
    normaliseMiddleClick();
    store().setAutoSave(true);
}

void AppWindow::reset() {
    app_ = nullptr;
    name_.clear();
    viewSection_.clear();
    scale_ = 1;
    defaultWidth_ = kBaseSize;
    defaultHeight_ = kBaseSize;
    defaultMiddleClick_ = MiddleClick::Close;
    hasOwnSkin_ = false;
    defaultSkin_.clear();
    skinExists_ = nullptr;
    localizer_ = nullptr;
    taskbar_ = nullptr;
}

const char* AppWindow::viewSectionForScale(std::int32_t scale) {
    switch (scale) {
        case 2:
            return "View4K";
        case 4:
            return "View8K";
        default:
            return "View";
    }
}

std::string AppWindow::section(std::string_view sub) const {
    return s::map::IMappedData::section(name_, sub);
}

s::lang::Localizer& AppWindow::localizer() {
    return localizer_ ? *localizer_ : app_->localizer();
}

std::string AppWindow::skin() {
    if (!hasOwnSkin_) return app_->skin();
    std::string name = store().getString(section(kSkin), "", defaultSkin_);
    if (skinExists_ && !skinExists_(name)) return defaultSkin_;
    return name;
}

void AppWindow::setSkin(std::string_view name) {
    if (!hasOwnSkin_) {
        app_->setSkin(name);
        return;
    }
    store().setString(section(kSkin), "", name);
}

bool AppWindow::hasView(std::string_view value) {
    return store().valueExists(viewPath(), value);
}

std::int32_t AppWindow::getView(std::string_view value, std::int32_t def) {
    return store().getInt32(viewPath(), value, def);
}

void AppWindow::setView(std::string_view value, std::int32_t v) {
    store().setInt32(viewPath(), value, v);
}

bool AppWindow::hasX() {
    return hasView(kX);
}
bool AppWindow::hasY() {
    return hasView(kY);
}
bool AppWindow::hasWidth() {
    return hasView(kWidth);
}
bool AppWindow::hasHeight() {
    return hasView(kHeight);
}
std::int32_t AppWindow::x() {
    return getView(kX, 0);
}
std::int32_t AppWindow::y() {
    return getView(kY, 0);
}
std::int32_t AppWindow::width() {
    return getView(kWidth, defaultWidth_);
}
std::int32_t AppWindow::height() {
    return getView(kHeight, defaultHeight_);
}
void AppWindow::setX(std::int32_t value) {
    setView(kX, value);
}
void AppWindow::setY(std::int32_t value) {
    setView(kY, value);
}
void AppWindow::setWidth(std::int32_t value) {
    setView(kWidth, value);
}
void AppWindow::setHeight(std::int32_t value) {
    setView(kHeight, value);
}

void AppWindow::setRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    setX(x);
    setY(y);
    setSize(width, height);
}

void AppWindow::setSize(std::int32_t width, std::int32_t height) {
    setWidth(width);
    setHeight(height);
}

void AppWindow::forgetRect() {
    const std::string view = viewPath();
    for (const char* value : {kX, kY, kWidth, kHeight}) store().deleteValue(view, value);
}

bool AppWindow::isWidthValid(std::int32_t width, const s::app::Rect& virtualScreen) {
    return width >= WindowPlacement::kMinVisible && width <= virtualScreen.width;
}

bool AppWindow::isHeightValid(std::int32_t height, const s::app::Rect& virtualScreen) {
    return height >= WindowPlacement::kMinVisible && height <= virtualScreen.height;
}

bool AppWindow::easyDrag() {
    return store().getBool(viewPath(), kEasyDrag, kEasyDragDefault);
}
void AppWindow::setEasyDrag(bool on) {
    store().setBool(viewPath(), kEasyDrag, on);
}
bool AppWindow::maximized() {
    return store().getBool(viewPath(), kMaximized, kMaximizedDefault);
}
void AppWindow::setMaximized(bool on) {
    store().setBool(viewPath(), kMaximized, on);
}
bool AppWindow::keepOnTop() {
    return store().getBool(viewPath(), kKeepOnTop, kKeepOnTopDefault);
}
void AppWindow::setKeepOnTop(bool on) {
    store().setBool(viewPath(), kKeepOnTop, on);
}

const char* AppWindow::middleClickName(MiddleClick action) {
    switch (action) {
        case MiddleClick::Iconize:
            return "Iconize";
        case MiddleClick::Close:
            return "Close";
        case MiddleClick::DoNothing:
            break;
    }
    return "DoNothing";
}

void AppWindow::normaliseMiddleClick() {
    const std::string stored =
        store().getString(viewPath(), kOnMClick, middleClickName(defaultMiddleClick_));
    const char* canonical = middleClickName(MiddleClick::DoNothing);
    for (const MiddleClick action : {MiddleClick::Iconize, MiddleClick::Close}) {
        if (s::str::NoCase::equals(stored, middleClickName(action)))
            canonical = middleClickName(action);
    }
    if (stored != canonical) store().setString(viewPath(), kOnMClick, canonical);
}

bool AppWindow::isMiddleClickClose() {
    return middleClickAction() == MiddleClick::Close;
}
bool AppWindow::isMiddleClickIconize() {
    return middleClickAction() == MiddleClick::Iconize;
}

AppWindow::MiddleClick AppWindow::middleClickAction() {
    const std::string stored =
        store().getString(viewPath(), kOnMClick, middleClickName(defaultMiddleClick_));
    for (const MiddleClick action : {MiddleClick::Iconize, MiddleClick::Close}) {
        if (s::str::NoCase::equals(stored, middleClickName(action))) return action;
    }
    return MiddleClick::DoNothing;
}

void AppWindow::setMiddleClickAction(MiddleClick action) {
    const std::string stored =
        store().getString(viewPath(), kOnMClick, middleClickName(defaultMiddleClick_));
    const char* name = middleClickName(action);
    if (stored != name) store().setString(viewPath(), kOnMClick, name);
}

AppWindow::Placement AppWindow::restorePlacement(const s::app::Screens& screens) {
    Placement placement;
    placement.maximized = maximized();
    const std::int32_t w = width();
    const std::int32_t h = height();
    if (hasPosition()) {
        const s::app::Rect stored{x(), y(), w, h};
        if (WindowPlacement::isReachable(stored, screens.virtualScreen)) {
            placement.rect = stored;
            placement.storedPosition = true;
            return placement;
        }
    }
    placement.rect = WindowPlacement::centred(w, h, screens.primaryWorkArea);
    return placement;
}

void AppWindow::writeWhenChanged(std::string_view value, std::int32_t v) {
    if (!hasView(value) || getView(value, 0) != v) setView(value, v);
}

void AppWindow::rememberOnHide(WindowState state, const s::app::Rect& rect) {
    switch (state) {
        case WindowState::Maximized:
            if (!maximized()) setMaximized(true);
            return;
        case WindowState::Minimized:
            return;
        case WindowState::Normal:
            break;
    }
    if (maximized()) setMaximized(false);
    writeWhenChanged(kX, rect.x);
    writeWhenChanged(kY, rect.y);
    writeWhenChanged(kWidth, rect.width);
    writeWhenChanged(kHeight, rect.height);
}

void AppWindow::rememberOnMinimize(const s::app::Rect& normalRect) {
    setMaximized(false);
    setRect(normalRect.x, normalRect.y, normalRect.width, normalRect.height);
}

void AppWindow::rememberOnMaximize(const s::app::Rect& normalRect) {
    setMaximized(true);
    setRect(normalRect.x, normalRect.y, normalRect.width, normalRect.height);
}

void AppWindow::taskbarBusy() {
    if (taskbar_) taskbar_->taskbarBusy();
}

void AppWindow::taskbarProgress(std::uint32_t done, std::uint32_t total) {
    if (taskbar_) taskbar_->taskbarProgress(done, total);
}

void AppWindow::taskbarClear() {
    if (taskbar_) taskbar_->taskbarClear();
}

}  // namespace s::app::win
