// The Qt controls as a user meets them: drops, closing, captions with
// ampersands, language changes and events sent from a worker thread.
#include <gtest/gtest.h>

#include <QTest>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <thread>

#include "shell/lang/LocalizerFactory.h"
#include "ui/toolkit/win/Box.h"
#include "ui/toolkit/win/Button.h"
#include "ui/toolkit/win/CheckBox.h"
#include "ui/toolkit/win/ComboBox.h"
#include "ui/toolkit/win/GroupBox.h"
#include "ui/toolkit/win/Label.h"
#include "ui/toolkit/win/MenuEx.h"
#include "ui/toolkit/win/ProgressBar.h"
#include "ui/toolkit/win/RadioButton.h"
#include "ui/toolkit/win/Window.h"

namespace s::gui::win {
namespace {

using s::gui::menuitem::MenuItem;

struct Recorder : s::gui::events::IEventListener {
    void onEvent(s::base::IObject& source, std::int32_t kind) override {
        sources.push_back(&source);
        kinds.push_back(kind);
        if (action) action();
    }
    std::vector<s::base::IObject*> sources;
    std::vector<std::int32_t> kinds;
    std::function<void()> action;
};

s::thread::Pooled<Window> shownWindow() {
    auto window = Window::take();
    return window;
}

void realise(Window& window, int w = 300, int h = 200) {
    ASSERT_TRUE(window.create());
    window.setBounds(10, 10, w, h);
    window.show();
}

// Sends a drag entering the widget and, when accepted, the drop; returns
// whether the drop was accepted.
bool dropUrls(QWidget& target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
    return drop.isAccepted();
}

TEST(Drop, FilesDroppedOnAnAcceptingBoxArriveDecodedInOrder) {
    auto window = shownWindow();
    auto& box = window->add(Box::take());
    box.fill();
    box.setAcceptFiles(true);
    Recorder dropped;
    box.addDropListener(&dropped);
    realise(*window);
    const QList<QUrl> urls = {QUrl::fromLocalFile("/tmp/my photo.png"),
                              QUrl("https://example.invalid/x.png"),
                              QUrl::fromLocalFile(QString::fromUtf8("/tmp/Ärger/été.JPG"))};
    ASSERT_TRUE(dropUrls(*box.nativeWidget(), urls));
    EXPECT_EQ(dropped.kinds, (std::vector<std::int32_t>{Component::kDropped}));
    EXPECT_EQ(box.droppedPaths(),
              (std::vector<std::string>{"/tmp/my photo.png", "/tmp/Ärger/été.JPG"}));
}

TEST(Drop, ABoxThatDoesNotAcceptFilesRefusesTheDrag) {
    auto window = shownWindow();
    auto& box = window->add(Box::take());
    box.fill();
    Recorder dropped;
    box.addDropListener(&dropped);
    realise(*window);
    EXPECT_FALSE(dropUrls(*box.nativeWidget(), {QUrl::fromLocalFile("/tmp/a.png")}));
    EXPECT_TRUE(dropped.kinds.empty());
}

TEST(Drop, DropOnAGroupBoxContentReachesTheGroupBoxListeners) {
    auto window = shownWindow();
    auto& group = window->add(GroupBox::take());
    group.fill();
    group.setTitle("Drop Box");
    group.setAcceptFiles(true);
    Recorder dropped;
    group.addDropListener(&dropped);
    realise(*window);
    ASSERT_TRUE(dropUrls(*group.content().nativeWidget(), {QUrl::fromLocalFile("/tmp/b.gif")}));
    ASSERT_EQ(dropped.sources.size(), 1u);
    EXPECT_EQ(dropped.sources[0], &group);
    EXPECT_EQ(group.droppedPaths(), (std::vector<std::string>{"/tmp/b.gif"}));
}

// A window is a container too: its layouts must not reach the listeners of
// its own events that share their numbers (3 is a right press).
TEST(WindowEvents, LayoutsReachOnlyLayoutListenersAndARightPressOnlyItsOwn) {
    auto window = shownWindow();
    Recorder rightPresses, layouts;
    window->addListener(Window::kRightPress, &rightPresses);
    window->addLayoutListener(&layouts);
    realise(*window);
    window->relayout();
    EXPECT_TRUE(rightPresses.kinds.empty());
    EXPECT_FALSE(layouts.kinds.empty());

    layouts.kinds.clear();
    QTest::mouseClick(window->nativeWidget(), Qt::RightButton);
    EXPECT_EQ(rightPresses.kinds, (std::vector<std::int32_t>{Window::kRightPress}));
    EXPECT_TRUE(layouts.kinds.empty());
}

TEST(Close, AVetoLeavesTheWindowOpenAndAPlainCloseClosesIt) {
    auto window = shownWindow();
    Recorder closing;
    closing.action = [&] { window->cancelClose(); };
    window->addListener(Window::kClose, &closing);
    realise(*window);
    window->nativeWidget()->close();
    EXPECT_EQ(closing.kinds, (std::vector<std::int32_t>{Window::kClose}));
    EXPECT_TRUE(window->nativeWidget()->isVisible());
    EXPECT_FALSE(window->isClosed());

    closing.action = nullptr;
    window->close();
    EXPECT_TRUE(window->isClosed());
    EXPECT_FALSE(window->nativeWidget()->isVisible());
    window->close();  // a second request after closing does nothing
    EXPECT_EQ(closing.kinds.size(), 2u);
}

TEST(Captions, AnAmpersandShowsItselfAndMakesNoShortcut) {
    auto window = shownWindow();
    auto& button = window->add(Button::take());
    button.setText("Save & Close");
    auto& check = window->add(CheckBox::take());
    check.setText("Fish & Chips");
    realise(*window);
    auto* push = qobject_cast<QPushButton*>(button.nativeWidget());
    ASSERT_NE(push, nullptr);
    EXPECT_EQ(push->text(), QString("Save && Close"));
    EXPECT_TRUE(QKeySequence::mnemonic(push->text()).isEmpty());
    EXPECT_EQ(push->accessibleName(), QString("Save & Close"));
    auto* box = qobject_cast<QCheckBox*>(check.nativeWidget());
    EXPECT_EQ(box->text(), QString("Fish && Chips"));
    EXPECT_TRUE(QKeySequence::mnemonic(box->text()).isEmpty());
}

constexpr const char* kTwoLanguages = R"(<lang>
  <languages>
    <entry tagName="eng" engName="English" trueName="English"/>
    <entry tagName="deu" engName="German" trueName="Deutsch"/>
  </languages>
  <entries>
    <entry id="1"><eng>Title</eng><deu>Titel</deu></entry>
    <entry id="2"><eng>Ready</eng><deu>Bereit</deu></entry>
    <entry id="3"><eng>Cancel</eng><deu>Abbrechen</deu></entry>
    <entry id="4"><eng>Keep on Top</eng><deu>Immer oben</deu></entry>
    <entry id="5"><eng>Pixels</eng><deu>Pixel</deu></entry>
    <entry id="6"><eng>Drop Box</eng><deu>Ablage</deu></entry>
    <entry id="7"><eng>View</eng><deu>Ansicht</deu></entry>
    <entry id="8"><eng>Percent</eng><deu>Prozent</deu></entry>
    <entry id="9"><eng>Idle</eng><deu>Untätig und wartet auf viele Bilddateien</deu></entry>
  </entries>
</lang>)";

TEST(Language, AChangeRelabelsEveryControlAndMenuEntry) {
    auto localizer = s::lang::LocalizerFactory::create(kTwoLanguages, "English");
    auto window = shownWindow();
    window->setLocalizer(localizer.get());
    window->setTitleId(1);
    auto& label = window->add(Label::take());
    label.setTextId(2);
    auto& button = window->add(Button::take());
    button.setTextId(3);
    auto& check = window->add(CheckBox::take());
    check.setTextId(4);
    auto& radio = window->add(RadioButton::take());
    radio.setTextId(8);
    auto& combo = window->add(ComboBox::take());
    combo.addItem(s::gui::combobox::ComboBoxItem::byId(5));
    auto& group = window->add(GroupBox::take());
    group.setTitleId(6);
    auto menu = MenuEx::take();
    menu->addMenu(MenuItem::make(localizer.get(), 7))
        .addChild(MenuItem::make(localizer.get(), 4, 1001))
        .setChecked(true);
    window->setMenu(std::move(menu));
    realise(*window);
    EXPECT_EQ(label.nativeWidget()->accessibleName(), QString("Ready"));

    localizer->selectLanguage("German");
    EXPECT_EQ(window->nativeWidget()->windowTitle(), QString("Titel"));
    EXPECT_EQ(label.text(), "Bereit");
    EXPECT_EQ(label.nativeWidget()->accessibleName(), QString("Bereit"));
    EXPECT_EQ(qobject_cast<QPushButton*>(button.nativeWidget())->text(), QString("Abbrechen"));
    EXPECT_EQ(qobject_cast<QCheckBox*>(check.nativeWidget())->text(), QString("Immer oben"));
    EXPECT_EQ(qobject_cast<QRadioButton*>(radio.nativeWidget())->text(), QString("Prozent"));
    EXPECT_EQ(qobject_cast<QComboBox*>(combo.nativeWidget())->itemText(0), QString("Pixel"));
    EXPECT_EQ(group.nativeWidget()->accessibleName(), QString("Ablage"));
    const QList<QAction*> top = window->menu()->menuBar()->actions();
    ASSERT_EQ(top.size(), 1);
    EXPECT_EQ(top[0]->text(), QString("Ansicht"));
    QAction* keepOnTop = window->menu()->actionFor(1001);
    ASSERT_NE(keepOnTop, nullptr);
    EXPECT_EQ(keepOnTop->text(), QString("Immer oben"));
    EXPECT_TRUE(keepOnTop->isChecked());
}

TEST(Language, ALongerTextWidensEveryContainerAboveIt) {
    auto localizer = s::lang::LocalizerFactory::create(kTwoLanguages, "English");
    auto window = shownWindow();
    window->setLocalizer(localizer.get());
    auto& outer = window->add(Box::take());
    auto& row = outer.add(Box::take());
    row.setRow();
    auto& label = row.add(Label::take());
    label.setTextId(9);
    realise(*window);
    const std::int32_t before = label.minWidth();
    localizer->selectLanguage("German");
    ASSERT_GT(label.minWidth(), before);
    EXPECT_GE(outer.minWidth(), label.minWidth());
    EXPECT_GE(window->minWidth(), label.minWidth());
    EXPECT_GE(label.width(), label.minWidth());
}

TEST(Menu, AChosenEntryRaisesItsCommandWithTheMenuAsSource) {
    auto window = shownWindow();
    auto menu = MenuEx::take();
    menu->addMenu(MenuItem::literal("View")).addChild(MenuItem::literal("Easy Drag", 42));
    MenuEx* raw = menu.get();
    window->setMenu(std::move(menu));
    Recorder chosen;
    window->addMenuListener(&chosen);
    realise(*window);
    raw->actionFor(42)->trigger();
    ASSERT_EQ(chosen.kinds, (std::vector<std::int32_t>{42}));
    EXPECT_EQ(chosen.sources[0], raw);
}

TEST(UserEvent, AForeignThreadWaitsUntilTheWindowHandledIt) {
    auto window = shownWindow();
    realise(*window);
    std::atomic<bool> handled{false};
    Window::UserEvent seen;
    bool onWindowThread = false;
    Recorder events;
    events.action = [&] {
        seen = window->userEvent();
        onWindowThread = QThread::currentThread() == window->nativeWidget()->thread();
        handled = true;
    };
    window->addListener(Window::kUserEvent, &events);
    std::atomic<bool> handledWhenReturned{false};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        window->sendUserEvent("ProcessStatusUpdate", 12, 3, "a b.png");
        handledWhenReturned = handled.load();
        done = true;
    });
    while (!done) QApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_TRUE(handledWhenReturned);
    EXPECT_TRUE(onWindowThread);
    EXPECT_EQ(seen.name, "ProcessStatusUpdate");
    EXPECT_EQ(seen.argument1, 12);
    EXPECT_EQ(seen.argument2, 3);
    EXPECT_EQ(seen.text, "a b.png");
    EXPECT_EQ(events.kinds, (std::vector<std::int32_t>{Window::kUserEvent}));
}

TEST(UserEvent, EventsForAWindowWithoutWidgetAreDropped) {
    auto window = shownWindow();
    Recorder events;
    window->addListener(Window::kUserEvent, &events);
    window->sendUserEvent("ProcessStatusStart", 0, 0, "");
    EXPECT_TRUE(events.kinds.empty());
}

TEST(Keys, EscapeReachesTheListenersWhileAControlHasFocus) {
    auto window = shownWindow();
    auto& button = window->add(Button::take());
    button.setText("OK");
    Recorder keys;
    window->addListener(Window::kKeyPressed, &keys);
    realise(*window);
    button.nativeWidget()->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(button.nativeWidget(), &press);
    EXPECT_EQ(keys.kinds, (std::vector<std::int32_t>{Window::kKeyPressed}));
    EXPECT_EQ(window->keyCode(), Qt::Key_Escape);
}

TEST(Accessibility, ControlsHaveTheirRolesAndNames) {
    auto window = shownWindow();
    auto& label = window->add(Label::take());
    label.setText("\xC2\xA0Ready ");
    auto& link = window->add(Label::take());
    link.setText("zorq");
    link.setLink(true);
    auto& group = window->add(GroupBox::take());
    group.setTitle("Drop Box");
    auto& progress = window->add(ProgressBar::take());
    progress.setAccessibleName("Progress");
    progress.setRange(0, 8);
    progress.setPosition(2);
    realise(*window);
    struct Case {
        QWidget* widget;
        QAccessible::Role role;
        const char* name;
    };
    const Case cases[] = {
        {label.nativeWidget(), QAccessible::StaticText, "Ready"},
        {link.nativeWidget(), QAccessible::Link, "zorq"},
        {group.nativeWidget(), QAccessible::Grouping, "Drop Box"},
        {progress.nativeWidget(), QAccessible::ProgressBar, "Progress"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(c.widget);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), c.role);
        EXPECT_EQ(face->text(QAccessible::Name), QString::fromUtf8(c.name));
    }
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(progress.nativeWidget());
    ASSERT_NE(bar->valueInterface(), nullptr);
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 2);
}

}  // namespace
}  // namespace s::gui::win
