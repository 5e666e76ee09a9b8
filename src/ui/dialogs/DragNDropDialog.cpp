#include "ui/dialogs/DragNDropDialog.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMouseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QUrl>
#include <QWidget>
#include <chrono>
#include <thread>

#include "shell/app/WindowPlacement.h"
#include "shell/text/NoCase.h"
#include "ui/dialogs/OutputFolderCheck.h"
#include "ui/drawers/border/Plain.h"
#include "ui/drawers/border/UnderWindowMenu.h"
#include "ui/toolkit/MenuItem.h"
#include "ui/toolkit/win/MenuEx.h"
#include "ui/toolkit/win/MessageBox.h"
#include "ui/toolkit/win/Spacer.h"
#include "ui/platform/DesktopOpener.h"

namespace s::gui::dialogs::dragndrop {

namespace win = s::gui::win;
using s::gui::menuitem::MenuItem;
using s::thread::Pooled;

namespace {

// Language-pack ids of the window's texts.
enum TextId : std::uint32_t {
    kTitle = 500000,
    kVersion = 500010,
    kHomePageAddress = 500040,
    kTranslateAddress = 500050,
    kProductPageAddress = 500003,
    kGuideAddress = 500060,
    kIssuesAddress = 500070,
    kReady = 609450,
    kViewMenu = 609000,
    kKeepOnTopEntry = 609100,
    kRightClickEntry = 609200,
    kEasyDragEntry = 609300,
    kMiddleClickEntry = 609350,
    kProgressName = 609470,
    kGripName = 609480,
    kLanguageMenu = 700000,
    kTranslateEntry = 700001,
    kAboutMenu = 701000,
    kVersionEntry = 701100,
    kHomePageEntry = 701200,
    kGuideEntry = 701300,
    kReportEntry = 701900,
    kKeepOnTopBox = 1000000,
    kDropBoxTitle = 1001000,
    kDropHint = 1002000,
    kExtensionsHint = 1003000,
    kCreateLabel = 1004000,
    kToAdvanced = 1005000,
    kToMinimize = 1006000,
    kCancelCaption = 1006050,
};

constexpr s::gui::Rgb kDropBoxFrame = s::gui::Rgb::hex(0x919B9C);
constexpr s::gui::Rgb kHintGrey = s::gui::Rgb::hex(0x777777);
constexpr s::gui::Rgb kLinkColour = s::gui::Rgb::hex(0x333333);
constexpr s::gui::Rgb kLinkHover = s::gui::Rgb::hex(0x0000EE);

// Accessible names are visible texts without surrounding (no-break) spaces.
std::string trimmed(const std::string& text) {
    static const std::string kNoBreak = "\xC2\xA0";
    std::size_t begin = 0;
    std::size_t end = text.size();
    for (bool changed = true; changed && begin < end;) {
        changed = false;
        if (text[begin] == ' ' || text[begin] == '\t') ++begin, changed = true;
        else if (text.compare(begin, 2, kNoBreak) == 0) begin += 2, changed = true;
        if (begin >= end) break;
        if (text[end - 1] == ' ' || text[end - 1] == '\t') --end, changed = true;
        else if (end >= 2 && text.compare(end - 2, 2, kNoBreak) == 0) end -= 2, changed = true;
    }
    return begin < end ? text.substr(begin, end - begin) : std::string();
}

// Calls a function when the watched widget is double-clicked.
class DoubleClickWatcher : public QObject {
public:
    DoubleClickWatcher(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick) {
            action_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

void collapse(s::gui::Component& component) {
    component.setVisible(false);
    component.setFixedSize(0, 0);
}

}  // namespace

// --- the job's services ------------------------------------------------

void Dialog::FrameTaskbar::taskbarBusy() {
    if (frame) frame->taskbarBusy();
}
void Dialog::FrameTaskbar::taskbarProgress(std::uint32_t done, std::uint32_t total) {
    if (frame) frame->taskbarProgress(done, total);
}
void Dialog::FrameTaskbar::taskbarClear() {
    if (frame) frame->taskbarClear();
}

void Dialog::StatusView::setText(const std::string& text) {
    if (dialog->status_) dialog->status_->setText(text);
    dialog->statusIsReady_ = false;
}
void Dialog::StatusView::setRange(std::int64_t low, std::int64_t high) {
    if (dialog->progress_) {
        dialog->progress_->setRange(static_cast<std::int32_t>(low),
                                    static_cast<std::int32_t>(high));
    }
}
void Dialog::StatusView::setPosition(std::int64_t position) {
    if (dialog->progress_) dialog->progress_->setPosition(static_cast<std::int32_t>(position));
}

// --- lifetime ------------------------------------------------------------

Dialog::Dialog() {
    statusView_.dialog = this;
    worker_ = s::thread::win::Thread::take();
    if (worker_) worker_->setPriority(-1);
}

Dialog::~Dialog() { Dialog::reset(); }

void Dialog::reset() {
    cancel(true);
    for (auto& helper : helpers_) delete helper.data();
    helpers_.clear();
    if (frame_) frame_->localizer().removeListener(this);
    progressModel_.reset();
    window_.reset();
    mainArea_ = dropColumn_ = optionsColumn_ = filler_ = panel_ = idlePane_ = busyPane_ = nullptr;
    keepOnTop_ = nullptr;
    dropBox_ = nullptr;
    hint_ = extensions_ = createLabel_ = status_ = summary_ = link_ = nullptr;
    selector_ = nullptr;
    toggle_ = cancel_ = grip_ = nullptr;
    statusBar_ = nullptr;
    progress_ = nullptr;
    frame_ = nullptr;
    services_ = {};
    compact_ = true;
    rightClickTransform_ = true;
    built_ = false;
    statusIsReady_ = true;
    book_.finish();
}

void Dialog::attach(s::app::win::AppWindow& frame, Services services) {
    frame_ = &frame;
    services_ = std::move(services);
    taskbar_.frame = &frame;
    scale_ = frame.scale();
    viewSectionPath_ = frame.viewPath();
    viewPath_ = frame.section("View");
}

// --- building ------------------------------------------------------------

bool Dialog::buildWindow() {
    if (!frame_ || built_) return false;
    window_ = win::Window::take();
    if (!window_) return false;
    window_->setLocalizer(&localizer());
    window_->setTitle(text(kTitle) + " v" + text(kVersion));
    rightClickTransform_ = store().getBool(viewPath_, "RightClickTransform", true);

    buildMenu();
    buildContent();
    buildStatusBar();
    progressModel_.attach(&statusView_, &statusView_);
    registerPanelListeners();

    window_->addListener(win::Window::kClose, this);
    window_->addListener(win::Window::kUserEvent, this);
    window_->addListener(win::Window::kRightPress, this);
    window_->addListener(win::Window::kKeyPressed, this);
    window_->addMenuListener(this);
    localizer().addListener(this);

    if (!window_->create()) return false;
    window_->setEasyDrag(frame_->easyDrag());
    window_->setTopmost(frame_->keepOnTop());
    window_->setMiddleClickAction(frame_->isMiddleClickClose() ? win::Window::kCloseWindow
                                                               : win::Window::kDoNothing);
    installShortcuts();
    built_ = true;

    restoreSelection();
    setView(store().getBool(viewPath_, "CompactView", true), false);
    restoreGeometry();
    if (services_.checkForUpdate) services_.checkForUpdate(*this);
    return true;
}

void Dialog::buildMenu() {
    s::lang::Localizer* loc = &localizer();
    auto menu = win::MenuEx::take();

    auto& view = menu->addMenu(MenuItem::make(loc, kViewMenu));
    view.addChild(MenuItem::make(loc, kKeepOnTopEntry, kKeepOnTop)).setChecked(frame_->keepOnTop());
    view.addChild(MenuItem::make(loc, kRightClickEntry, kRightClickTransform))
        .setChecked(rightClickTransform_);
    view.addChild(MenuItem::make(loc, kEasyDragEntry, kEasyDrag)).setChecked(frame_->easyDrag());
    view.addChild(MenuItem::make(loc, kMiddleClickEntry, kCloseByMiddleClick))
        .setChecked(frame_->isMiddleClickClose());

    auto& languages = menu->addMenu(MenuItem::make(loc, kLanguageMenu));
    languages.addChild(MenuItem::make(loc, kTranslateEntry, kTranslatePage));
    languages.addChild(MenuItem::separator());
    const std::size_t count = std::min<std::size_t>(localizer().languageCount(),
                                                    kLastLanguage - kFirstLanguage + 1);
    for (std::size_t i = 0; i < count; ++i) {
        s::lang::LangPack* pack = localizer().languageAt(i);
        auto& entry = languages.addChild(
            MenuItem::literal(pack->trueName(), kFirstLanguage + static_cast<std::int32_t>(i)));
        entry.setChecked(pack == localizer().currentLanguage());
    }

    auto& about = menu->addMenu(MenuItem::make(loc, kAboutMenu));
    about.addChild(MenuItem::make(loc, kVersionEntry, kVersionInformation));
    about.addChild(MenuItem::separator());
    about.addChild(MenuItem::make(loc, kHomePageEntry, kHomePage));
    about.addChild(MenuItem::make(loc, kGuideEntry, kUserGuide));
    about.addChild(MenuItem::make(loc, kReportEntry, kReportProblem));
    window_->setMenu(std::move(menu));
}

void Dialog::buildContent() {
    // The etched strip under the menu bar.
    auto& strip = window_->add(win::Box::take());
    strip.setPercentWidth(100);
    strip.setFixedHeight(px(7));
    strip.setBorderPainter([](QPainter& p, const QRect& r) {
        s::gui::drawer::border::win::UnderWindowMenu line;
        line.paint(p, r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    });

    mainArea_ = &window_->add(win::Box::take());
    mainArea_->fill();
    mainArea_->setMargins(px(4), px(4), 0, 0);
    mainArea_->setSpacingX(px(4));
    mainArea_->setSpacingY(px(3));

    dropColumn_ = &mainArea_->add(win::Box::take());
    dropColumn_->setColumn();
    dropColumn_->setSpacingY(px(2));
    buildDropColumn(*dropColumn_);

    optionsColumn_ = &mainArea_->add(win::Box::take());
    optionsColumn_->setColumn();
    optionsColumn_->setSpacingY(px(3));
    buildOptionsColumn(*optionsColumn_);

    window_->add(win::Spacer::make(0, px(3)));
}

void Dialog::buildDropColumn(win::Box& column) {
    auto& row = column.add(win::Box::take());
    row.setRow();
    row.setPercentWidth(100);
    keepOnTop_ = &row.add(win::CheckBox::take());
    keepOnTop_->setTextId(kKeepOnTopBox);
    keepOnTop_->setCheckedSilently(frame_->keepOnTop());
    keepOnTop_->addCheckListener(this);

    dropBox_ = &column.add(win::GroupBox::take());
    dropBox_->setTitleId(kDropBoxTitle);
    dropBox_->setFrameColour(kDropBoxFrame);
    dropBox_->fill();
    dropBox_->setAcceptFiles(true);
    dropBox_->addDropListener(this);

    win::Box& content = dropBox_->content();
    content.setColumn();
    content.alignCentre();
    content.alignMiddle();
    content.setSpacingY(px(2));
    filler_ = &content.add(win::Box::take());
    hint_ = &content.add(win::Label::take());
    hint_->setTextId(kDropHint);
    hint_->setTextColour(kHintGrey);
    hint_->setCentred(true);
    hint_->setPercentWidth(100);
    extensions_ = &content.add(win::Label::take());
    extensions_->setTextId(kExtensionsHint);
    extensions_->setTextColour(kHintGrey);
    extensions_->setCentred(true);
    extensions_->setPercentWidth(100);
}

void Dialog::buildOptionsColumn(win::Box& column) {
    auto& row = column.add(win::Box::take());
    row.setRow();
    row.alignMiddle();
    row.setPercentWidth(100);
    createLabel_ = &row.add(win::Label::take());
    createLabel_->setTextId(kCreateLabel);
    selector_ = &row.add(win::ComboBox::take());
    buildSelectorItems(*selector_);
    selector_->setAccessibleName(trimmed(text(kCreateLabel)));
    selector_->addSelectionListener(this);

    panel_ = &column.add(buildOptionsPanel());
    panel_->setWhite();
    panel_->setMargins(px(4));
    panel_->setBorderPainter([](QPainter& p, const QRect& r) {
        s::gui::drawer::border::win::Plain border;
        border.setColour(kDropBoxFrame.r, kDropBoxFrame.g, kDropBoxFrame.b);
        border.paint(p, r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    });

    auto& toggleRow = column.add(win::Box::take());
    toggleRow.setRow();
    toggleRow.alignRight();
    toggleRow.setPercentWidth(100);
    toggle_ = &toggleRow.add(win::Button::take());
    toggle_->setTextId(kToAdvanced);
    toggle_->addClickListener(this);
}

Pooled<win::Box> Dialog::buildOptionsPanel() { return win::Box::take(); }

void Dialog::buildStatusBar() {
    statusBar_ = &window_->add(win::StatusBar::take());
    statusBar_->setRow();
    statusBar_->alignMiddle();
    statusBar_->setMargins(px(3), 0, 0, 0);
    statusBar_->setSpacingX(px(4));

    status_ = &statusBar_->add(win::Label::take());
    status_->setTextId(kReady);
    status_->setPercentWidth(100);
    summary_ = &statusBar_->add(win::Label::take());
    summary_->setLink(true);
    summary_->setTextColour(kLinkColour);
    summary_->setFocusable(true);
    summary_->addClickListener(this);

    idlePane_ = &statusBar_->add(win::Box::take());
    idlePane_->setRow();
    idlePane_->alignMiddle();
    link_ = &idlePane_->add(win::Label::take());
    link_->setText("zorq");
    link_->setLink(true);
    link_->setFocusable(true);
    s::gui::win::FontSetting linkFont = link_->font(win::Label::kLink);
    linkFont.setTextColour(kLinkColour);
    link_->setFont(win::Label::kLink, linkFont);
    linkFont.setTextColour(kLinkHover);
    link_->setFont(win::Label::kLinkHover, linkFont);
    link_->setFont(win::Label::kLinkPressed, linkFont);
    link_->addClickListener(this);

    busyPane_ = &statusBar_->add(win::Box::take());
    busyPane_->setRow();
    busyPane_->alignMiddle();
    progress_ = &busyPane_->add(win::ProgressBar::take());
    progress_->setFixedSize(px(100), px(16));
    progress_->setAccessibleName(text(kProgressName));
    busyPane_->add(win::Spacer::make(px(4), 0));
    cancel_ = &busyPane_->add(win::Button::take());
    cancel_->setTextId(kCancelCaption);
    cancel_->setFixedHeight(px(18));
    cancel_->addClickListener(this);
    collapse(*busyPane_);

    grip_ = &statusBar_->add(win::Button::take());
    grip_->setText(win::Button::kResizer);
    grip_->setFixedSize(px(12), px(12));
    grip_->setAccessibleName(text(kGripName));
}

void Dialog::installShortcuts() {
    QWidget* widget = window_->nativeWidget();
    if (!widget) return;
    auto* open = new QShortcut(QKeySequence::Open, widget);
    QObject::connect(open, &QShortcut::activated, [this] { chooseFiles(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), widget);
    QObject::connect(escape, &QShortcut::activated, [this] {
        if (book_.isBusy()) cancel(false);
    });
    // F10 opens the menu bar, as Alt does.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), widget);
    QObject::connect(f10, &QShortcut::activated, [this] {
        win::MenuEx* menu = window_ ? window_->menu() : nullptr;
        QMenuBar* bar = menu ? menu->menuBar() : nullptr;
        if (bar && !bar->actions().isEmpty()) {
            bar->setFocus(Qt::MenuBarFocusReason);
            bar->setActiveAction(bar->actions().first());
        }
    });
    helpers_.push_back(open);
    helpers_.push_back(escape);
    helpers_.push_back(f10);
    for (QWidget* target : {dropBox_->nativeWidget(), dropBox_->content().nativeWidget()}) {
        if (!target) continue;
        auto* watcher = new DoubleClickWatcher(target, [this] { chooseFiles(); });
        target->installEventFilter(watcher);
        helpers_.push_back(watcher);
    }
}

void Dialog::restoreSelection() {
    // The stored choice is the item's displayed text; a text of another
    // language matches nothing and selects the first item.
    const std::string stored = store().getString(viewPath_, "ConvertTo", "");
    std::int32_t chosen = 0;
    for (std::size_t i = 0; i < selector_->itemCount(); ++i) {
        auto* item = selector_->itemAt(i);
        const std::string& shown = item->relabel(&localizer());
        if (!stored.empty() && s::str::NoCase::equals(shown, stored)) {
            chosen = static_cast<std::int32_t>(i);
            break;
        }
    }
    if (selector_->itemCount() > 0) selector_->setSelectedIndex(chosen, false);
    showOptionsCard(chosen);
}

void Dialog::restoreGeometry() {
    s::app::Screens screens;
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        const QRect all = primary->virtualGeometry();
        const QRect geometry = primary->geometry();
        const QRect work = primary->availableGeometry();
        screens.virtualScreen = {all.x(), all.y(), all.width(), all.height()};
        screens.primary = {geometry.x(), geometry.y(), geometry.width(), geometry.height()};
        screens.primaryWorkArea = {work.x(), work.y(), work.width(), work.height()};
    }
    const s::app::win::AppWindow::Placement placement = frame_->restorePlacement(screens);
    // The view decides the size; the frame the position.
    s::app::Rect rect{placement.rect.x, placement.rect.y, window_->width(), window_->height()};
    if (!placement.storedPosition) {
        rect = s::app::WindowPlacement::centred(rect.width, rect.height, screens.primaryWorkArea);
    }
    window_->setPosition(rect.x, rect.y);
    if (placement.maximized) {
        window_->showMaximized();
    } else {
        window_->show();
    }
}

// --- views -----------------------------------------------------------------

void Dialog::setView(bool compact, bool saveSize) {
    if (saveSize && window_) {
        const char* widthKey = compact ? "LargeWidth" : "SmallWidth";
        const char* heightKey = compact ? "LargeHeight" : "SmallHeight";
        store().setInt32(viewSectionPath_, widthKey, window_->width());
        store().setInt32(viewSectionPath_, heightKey, window_->height());
    }
    compact_ = compact;
    applyViewLayout();
    const std::int32_t w = compact ? store().getInt32(viewSectionPath_, "SmallWidth", px(getSmallWidth()))
                                   : store().getInt32(viewSectionPath_, "LargeWidth", px(getLargeWidth()));
    const std::int32_t h = compact
                               ? store().getInt32(viewSectionPath_, "SmallHeight", px(getSmallHeight()))
                               : store().getInt32(viewSectionPath_, "LargeHeight", px(getLargeHeight()));
    if (window_) {
        window_->setSize(w, h);
        window_->doLayout();
    }
    store().setBool(viewPath_, "CompactView", compact);
}

void Dialog::applyViewLayout() {
    if (!mainArea_) return;
    if (compact_) {
        mainArea_->setColumn();
        dropColumn_->fill();
        optionsColumn_->setPercentWidth(100);
        optionsColumn_->setShrinkHeight(false);
        collapse(*panel_);
        panel_->lockVisibility(true);
        filler_->setFixedSize(0, 0);
        filler_->setPercentHeight(15);
        toggle_->setTextId(kToAdvanced);
    } else {
        mainArea_->setRow();
        // The options take the width their texts need (longer in some
        // languages); the Drop Box takes the rest.
        dropColumn_->fill();
        optionsColumn_->setPercentWidth(s::gui::Component::kNone);
        optionsColumn_->setPercentHeight(100);
        panel_->lockVisibility(false);
        panel_->fill();
        panel_->setVisible(true);
        showOptionsCard(selector_ ? selector_->selectedIndex() : 0);
        filler_->setFixedSize(0, 0);
        toggle_->setTextId(kToMinimize);
    }
    toggle_->measure();
    mainArea_->doLayout();
}

void Dialog::showOptionsCard(std::int32_t index) {
    if (panel_ && index >= 0 && static_cast<std::size_t>(index) < panel_->childCount()) {
        panel_->showOnlyChildAndCollapse(static_cast<std::size_t>(index));
        panel_->doLayout();
    }
}

void Dialog::toggleView() {
    QWidget* widget = window_->nativeWidget();
    if (widget) widget->setUpdatesEnabled(false);
    setView(!compact_, true);
    if (widget) widget->setUpdatesEnabled(true);
}

void Dialog::storeCurrentSize() {
    if (!window_) return;
    store().setInt32(viewSectionPath_, compact_ ? "SmallWidth" : "LargeWidth", window_->width());
    store().setInt32(viewSectionPath_, compact_ ? "SmallHeight" : "LargeHeight", window_->height());
}

// --- events ----------------------------------------------------------------

void Dialog::onEvent(s::base::IObject& source, std::int32_t kind) {
    const bool fromWindow = window_ && &source == static_cast<s::base::IObject*>(window_.get());
    const bool closing = fromWindow && kind == win::Window::kClose;
    if (closing) {
        storeCurrentSize();
        std::int32_t x = 0, y = 0, w = 0, h = 0;
        window_->frameGeometry(x, y, w, h);
        const auto state = window_->state() == win::Window::kMinimized
                               ? s::app::win::AppWindow::WindowState::Minimized
                           : window_->state() == win::Window::kMaximized
                               ? s::app::win::AppWindow::WindowState::Maximized
                               : s::app::win::AppWindow::WindowState::Normal;
        frame_->rememberOnHide(state, {window_->x(), window_->y(), window_->width(), window_->height()});
    }
    if (onPanelEvent(source, kind)) return;
    if (&source == keepOnTop_) {
        setKeepOnTop(keepOnTop_->isChecked());
        return;
    }
    if (closing) {
        cancel(false);
        return;
    }
    if (fromWindow && kind == win::Window::kRightPress) {
        if (rightClickTransform_) toggleView();
        return;
    }
    if (fromWindow && kind == win::Window::kKeyPressed) {
        if (window_->keyCode() == Qt::Key_Escape && book_.isBusy()) cancel(false);
        return;
    }
    if (&source == link_) return openUrlOf(kHomePageAddress);
    if (&source == toggle_) return toggleView();
    if (&source == selector_) return onSelectorChanged();
    if (&source == cancel_) return cancel(false);
    if (&source == summary_) return showSummaryDetails();
    if (&source == dropBox_ && kind == s::gui::Component::kDropped) {
        onDropped(dropBox_->droppedPaths());
        return;
    }
    if (window_ && window_->menu() && &source == window_->menu()) return onMenuCommand(kind);
    if (fromWindow && kind == win::Window::kUserEvent) {
        const auto& event = window_->userEvent();
        if (event.name == s::job::JobEvent::kStart) onJobStart();
        else if (event.name == s::job::JobEvent::kUpdate) onJobUpdate(event);
        else if (event.name == s::job::JobEvent::kEnd) onJobEnd();
    }
}

void Dialog::onMenuCommand(std::int32_t command) {
    win::MenuEx* menu = window_->menu();
    switch (command) {
        case kTranslatePage:
            return openUrlOf(kTranslateAddress);
        // The switches turn from the state in force: a checkable entry has
        // already taken its new tick by the time it is chosen.
        case kKeepOnTop:
            return setKeepOnTop(!frame_->keepOnTop());
        case kRightClickTransform:
            rightClickTransform_ = !rightClickTransform_;
            menu->setChecked(kRightClickTransform, rightClickTransform_);
            store().setBool(viewPath_, "RightClickTransform", rightClickTransform_);
            return;
        case kEasyDrag: {
            const bool on = !window_->isEasyDrag();
            window_->setEasyDrag(on);
            frame_->setEasyDrag(on);
            menu->setChecked(kEasyDrag, on);
            return;
        }
        case kCloseByMiddleClick: {
            const bool on = !frame_->isMiddleClickClose();
            menu->setChecked(kCloseByMiddleClick, on);
            window_->setMiddleClickAction(on ? win::Window::kCloseWindow : win::Window::kDoNothing);
            frame_->setMiddleClickAction(on ? s::app::win::AppWindow::MiddleClick::Close
                                            : s::app::win::AppWindow::MiddleClick::DoNothing);
            return;
        }
        case kVersionInformation:
            if (services_.showAbout) services_.showAbout(*this);
            return;
        case kHomePage:
            return openUrlOf(kProductPageAddress);
        case kUserGuide:
            return openUrlOf(kGuideAddress);
        case kReportProblem:
            return openUrlOf(kIssuesAddress);
        default:
            if (command >= kFirstLanguage && command <= kLastLanguage) {
                switchLanguage(static_cast<std::size_t>(command - kFirstLanguage));
            }
    }
}

void Dialog::setKeepOnTop(bool on) {
    keepOnTop_->setCheckedSilently(on);
    if (window_->menu()) window_->menu()->setChecked(kKeepOnTop, on);
    window_->setTopmost(on);
    frame_->setKeepOnTop(on);
}

void Dialog::openUrlOf(std::uint32_t textId) {
    const std::string url = text(textId);
    if (url.empty()) return;
    if (services_.openUrl) {
        services_.openUrl(url);
    } else {
        s::platform::qt::DesktopOpener::openUrl(url);
    }
}

void Dialog::onSelectorChanged() {
    const std::int32_t index = selector_->selectedIndex();
    showOptionsCard(index);
    if (auto* item = index >= 0 ? selector_->itemAt(static_cast<std::size_t>(index)) : nullptr) {
        store().setString(viewPath_, "ConvertTo", item->relabel(&localizer()));
    }
    if (mainArea_) mainArea_->doLayout();
}

void Dialog::switchLanguage(std::size_t index) {
    s::lang::LangPack* pack = localizer().languageAt(index);
    if (!pack) return;
    // Stored first: whoever reads the stored language during the switch
    // (the options' store) must find the new one.
    frame_->app().setLanguage(pack->engName());
    localizer().selectLanguageAt(index);
}

void Dialog::onLanguageChanged(s::lang::Localizer&) {
    if (!window_) return;
    if (win::MenuEx* menu = window_->menu()) {
        for (std::size_t i = 0; i < localizer().languageCount(); ++i) {
            const auto command = kFirstLanguage + static_cast<std::int32_t>(i);
            if (command > kLastLanguage) break;
            menu->setChecked(command, localizer().languageAt(i) == localizer().currentLanguage());
        }
    }
    relabelOwnTexts();
    window_->relabel();
    window_->doLayout();
}

void Dialog::relabelOwnTexts() {
    window_->setTitle(text(kTitle) + " v" + text(kVersion));
    selector_->setAccessibleName(trimmed(text(kCreateLabel)));
    progress_->setAccessibleName(text(kProgressName));
    grip_->setAccessibleName(text(kGripName));
    if (!book_.isBusy() && summary_->text().size() > 0) summary_->setText(jobSummary());
}

// --- the road of a drop ------------------------------------------------------

void Dialog::onDropped(const std::vector<std::string>& paths) { acceptDrop(paths); }

JobBook::Outcome Dialog::acceptDrop(const std::vector<std::string>& paths) {
    const JobBook::Result result = book_.acceptDrop(paths, *this);
    if (result.outcome == JobBook::Outcome::FolderRefused) {
        win::MessageBox::warning(window_ ? window_->nativeWidget() : nullptr, result.message,
                                 text(kTitle));
    }
    return result.outcome;
}

std::string Dialog::checkOutputFolder(const std::string& firstPath) {
    return OutputFolderCheck::failureMessage(firstPath, localizer());
}

void Dialog::startJob() {
    if (worker_) worker_->start(*this);
}

void Dialog::onJobEvent(const s::job::JobEvent& event) {
    if (!window_) return;
    window_->sendUserEvent(event.name, event.argument1, event.argument2,
                           event.text ? *event.text : std::string());
}

void Dialog::onJobStart() {
    collapse(*idlePane_);
    busyPane_->setFixedSize(s::gui::Component::kNone, s::gui::Component::kNone);
    busyPane_->setVisible(true);
    summary_->setText("");
    s::archive::ProcessStatusProgress(progressModel_).onStart();
    statusBar_->doLayout();
}

void Dialog::onJobUpdate(const win::Window::UserEvent& event) {
    s::archive::ProcessStatusProgress(progressModel_)
        .onUpdate(event.argument1, event.argument2, event.text, book_.isCancelling());
}

void Dialog::onJobEnd() {
    s::archive::ProcessStatusProgress(progressModel_).onEnd(text(kReady));
    status_->setTextId(kReady);
    statusIsReady_ = true;
    collapse(*busyPane_);
    idlePane_->setFixedSize(s::gui::Component::kNone, s::gui::Component::kNone);
    idlePane_->setVisible(true);
    book_.finish();
    summary_->setText(jobSummary());
    statusBar_->doLayout();
}

void Dialog::cancel(bool wait) {
    book_.requestCancel();
    if (!wait) {
        if (status_ && book_.isBusy()) {
            status_->setText(kCanceling);
            statusIsReady_ = false;
        }
        return;
    }
    // The worker may be blocked sending an event to this thread: keep the
    // window's events flowing until it is idle.
    while (worker_ && !worker_->isIdle()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (worker_) worker_->wait();
    if (book_.isBusy()) book_.finish();
    book_.cancelFlag().store(false);
}

void Dialog::chooseFiles() {
    if (!services_.chooseFiles || book_.isBusy()) return;
    const std::vector<std::string> chosen = services_.chooseFiles(*this);
    if (!chosen.empty()) acceptDrop(chosen);
}

void Dialog::showSummaryDetails() {
    const std::string details = jobDetails();
    if (details.empty()) return;
    win::MessageBox::information(window_->nativeWidget(), details, jobDetailsTitle());
}

void Dialog::wake() {
    if (!window_) return;
    if (window_->state() == win::Window::kMinimized) window_->showNormal();
    window_->show();
    window_->raiseWindow();
    window_->activate();
}

}  // namespace s::gui::dialogs::dragndrop
