// s::gui::dialogs::dragndrop::Dialog -- the generic drop-box window: menu
// bar, "Keep on Top" check box, the "Drop Box" that takes files, the
// "Create:" selector with an options column, the view toggle, and a status
// bar with progress, a cancel button and a size grip.
//
// A drop is turned into a job on the window's worker thread (JobBook tells
// how): the derived class applies its options, the output folder is
// checked, then the worker runs this object as its task. The job's events
// come back as blocking user events of the window, so the status bar shows
// each one while the worker waits; updates are ignored while cancelling.
//
// Closing the window during a job cancels it; releasing the dialog waits
// for the worker while it keeps handling the window's events, so a worker
// blocked in an event send always gets through (no deadlock).
//
// A program derives from it and supplies the resize-specific pieces through
// the protected hooks: default sizes, selector items, the options panel and
// its events, applySettings() at drop time, and run().
//
//     auto dialog = s::image::gui::dialogs::tarvex::Dialog::take();
//     dialog->attach(frame, services);
//     dialog->buildWindow();   // restores geometry and view, shows the window
//     app.exec();
#pragma once

#include <QPointer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "job/CallBack.h"
#include "job/ITask.h"
#include "job/JobEvent.h"
#include "job/Thread.h"
#include "shell/app/AppWindow.h"
#include "shell/lang/ILocalizerListener.h"
#include "ui/dialogs/JobBook.h"
#include "ui/toolkit/IEventListener.h"
#include "ui/toolkit/win/Box.h"
#include "ui/toolkit/win/Button.h"
#include "ui/toolkit/win/CheckBox.h"
#include "ui/toolkit/win/ComboBox.h"
#include "ui/toolkit/win/GroupBox.h"
#include "ui/toolkit/win/Label.h"
#include "ui/toolkit/win/ProgressBar.h"
#include "ui/toolkit/win/StatusBar.h"
#include "ui/toolkit/win/Window.h"

class QObject;

namespace s::gui::dialogs::dragndrop {

class Dialog : public s::base::IObject,
               public s::thread::IPoolable,
               public s::thread::ITask,
               public s::gui::events::IEventListener,
               public s::lang::ILocalizerListener,
               public s::job::IJobEventSink,
               protected JobBook::IHooks {
    TARVEX_POOLED(Dialog, "s_gui_dialogs_dragndrop_Dialog")
public:
    // Menu commands.
    enum Command : std::int32_t {
        kTranslatePage = 0,
        kFirstLanguage = 2,
        kLastLanguage = 99,
        kKeepOnTop = 100,
        kRightClickTransform = 110,
        kEasyDrag = 120,
        kCloseByMiddleClick = 125,
        kVersionInformation = 10000,
        kHomePage = 10100,
        kUserGuide = 10200,
        kReportProblem = 10900,
    };
    static constexpr char kCanceling[] = "Canceling..";

    // What the window asks of the program around it; each may be empty.
    struct Services {
        std::function<bool(const std::string& url)> openUrl;
        std::function<void(Dialog&)> showAbout;
        std::function<void(Dialog&)> checkForUpdate;
        // Files chosen by the user (Ctrl+O, a double click on the Drop Box).
        std::function<std::vector<std::string>(Dialog&)> chooseFiles;
        // Where the window is placed and how big it starts, from the frame's
        // rules (stored position when reachable, else centred).
        std::function<s::app::Rect(Dialog&)> placement;
    };

    Dialog();
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Cancels and waits for a running job, then forgets the window.
    void reset() override;

    void attach(s::app::win::AppWindow& frame, Services services);
    // Creates the window, its menus and controls, restores the stored state
    // and shows the window. False when the window cannot be made.
    bool buildWindow();
    void setView(bool compact, bool saveSize);
    bool isCompact() const { return compact_; }

    void onEvent(s::base::IObject& source, std::int32_t kind) override;
    void onLanguageChanged(s::lang::Localizer& localizer) override;
    void onJobEvent(const s::job::JobEvent& event) override;
    void run() override {}

    // Files arriving as a drop (also from the file chooser and another copy
    // of the program). Ignored while a job runs.
    JobBook::Outcome acceptDrop(const std::vector<std::string>& paths);
    // Sets the cancel flag; with wait, waits until the worker is idle (while
    // handling the window's events) and clears the flag.
    void cancel(bool wait);
    // Brings the window to the front (a second start of the program).
    void wake();

    bool isBusy() const { return book_.isBusy(); }
    JobBook& jobBook() { return book_; }
    s::gui::win::Window* window() const { return window_.get(); }
    s::app::win::AppWindow* frame() const { return frame_; }
    s::lang::Localizer& localizer() { return frame_->localizer(); }
    std::int32_t scale() const { return scale_; }
    const std::string& viewSection() const { return viewSectionPath_; }

    // The controls, for the program's tests and tools.
    s::gui::win::CheckBox* keepOnTopBox() const { return keepOnTop_; }
    s::gui::win::GroupBox* dropBox() const { return dropBox_; }
    s::gui::win::ComboBox* selector() const { return selector_; }
    s::gui::win::Button* toggleButton() const { return toggle_; }
    s::gui::win::Label* statusLabel() const { return status_; }
    s::gui::win::Label* summaryLabel() const { return summary_; }
    s::gui::win::Box* busyPane() const { return busyPane_; }
    s::gui::win::Box* idlePane() const { return idlePane_; }
    s::gui::win::ProgressBar* progressBar() const { return progress_; }
    s::gui::win::Button* cancelButton() const { return cancel_; }
    s::gui::win::Button* sizeGrip() const { return grip_; }
    s::gui::win::Label* homeLink() const { return link_; }
    s::gui::Container* optionsPanel() const { return panel_; }

protected:
    // Hooks of the program.
    virtual std::int32_t getSmallWidth() const { return 250; }
    virtual std::int32_t getSmallHeight() const { return 250; }
    virtual std::int32_t getLargeWidth() const { return 470; }
    virtual std::int32_t getLargeHeight() const { return 400; }
    virtual void buildSelectorItems(s::gui::win::ComboBox&) {}
    virtual s::thread::Pooled<s::gui::win::Box> buildOptionsPanel();
    virtual void registerPanelListeners() {}
    virtual bool onPanelEvent(s::base::IObject&, std::int32_t) { return false; }
    // The selector chose item index: show its options card.
    virtual void showOptionsCard(std::int32_t index);
    // The text for the second status label once a job has ended, and the
    // list shown when it is clicked (empty: nothing to show).
    virtual std::string jobSummary() { return {}; }
    virtual std::string jobDetails() { return {}; }
    virtual std::string jobDetailsTitle() { return {}; }

    // JobBook hooks.
    bool applySettings() override { return true; }
    std::string checkOutputFolder(const std::string& firstPath) override;
    void startJob() override;

    s::map::IMappedData& store() { return frame_->app().store(); }
    std::string text(std::uint32_t id) { return localizer().text(id); }
    s::job::ITaskbarProgress& taskbar() { return taskbar_; }
    std::int32_t px(std::int32_t pixels) const { return pixels * scale_; }

private:
    // The frame's taskbar progress as the job's progress service.
    struct FrameTaskbar : s::job::ITaskbarProgress {
        s::app::win::AppWindow* frame = nullptr;
        void taskbarBusy() override;
        void taskbarProgress(std::uint32_t done, std::uint32_t total) override;
        void taskbarClear() override;
    };
    // The progress model's view: the status label and the progress bar.
    struct StatusView : s::archive::IStatusLabel, s::archive::IProgressBar {
        Dialog* dialog = nullptr;
        void setText(const std::string& text) override;
        void setRange(std::int64_t low, std::int64_t high) override;
        void setPosition(std::int64_t position) override;
    };

    void buildMenu();
    void buildContent();
    void buildDropColumn(s::gui::win::Box& column);
    void buildOptionsColumn(s::gui::win::Box& column);
    void buildStatusBar();
    void installShortcuts();
    void restoreSelection();
    void restoreGeometry();
    void applyViewLayout();
    void relabelOwnTexts();
    void storeCurrentSize();

    void onMenuCommand(std::int32_t command);
    void onSelectorChanged();
    void onJobStart();
    void onJobUpdate(const s::gui::win::Window::UserEvent& event);
    void onJobEnd();
    void onDropped(const std::vector<std::string>& paths);
    void chooseFiles();
    void showSummaryDetails();
    void switchLanguage(std::size_t index);
    void setKeepOnTop(bool on);
    void openUrlOf(std::uint32_t textId);
    void toggleView();

    s::app::win::AppWindow* frame_ = nullptr;
    Services services_;
    std::int32_t scale_ = 1;
    std::string viewSectionPath_;  // "MainWindow\\View" and so on
    std::string viewPath_;         // "MainWindow\\View", whatever the scale
    bool compact_ = true;
    bool rightClickTransform_ = true;
    bool built_ = false;

    s::thread::Pooled<s::gui::win::Window> window_;
    s::gui::win::Box* mainArea_ = nullptr;
    s::gui::win::Box* dropColumn_ = nullptr;
    s::gui::win::Box* optionsColumn_ = nullptr;
    s::gui::win::CheckBox* keepOnTop_ = nullptr;
    s::gui::win::GroupBox* dropBox_ = nullptr;
    s::gui::win::Box* filler_ = nullptr;
    s::gui::win::Label* hint_ = nullptr;
    s::gui::win::Label* extensions_ = nullptr;
    s::gui::win::Label* createLabel_ = nullptr;
    s::gui::win::ComboBox* selector_ = nullptr;
    s::gui::win::Box* panel_ = nullptr;
    s::gui::win::Button* toggle_ = nullptr;
    s::gui::win::StatusBar* statusBar_ = nullptr;
    s::gui::win::Label* status_ = nullptr;
    s::gui::win::Label* summary_ = nullptr;
    s::gui::win::Box* idlePane_ = nullptr;
    s::gui::win::Label* link_ = nullptr;
    s::gui::win::Box* busyPane_ = nullptr;
    s::gui::win::ProgressBar* progress_ = nullptr;
    s::gui::win::Button* cancel_ = nullptr;
    s::gui::win::Button* grip_ = nullptr;
    std::vector<QPointer<QObject>> helpers_;  // shortcuts and event filters

    s::archive::CallBack progressModel_;
    StatusView statusView_;
    FrameTaskbar taskbar_;
    s::thread::Pooled<s::thread::win::Thread> worker_;
    JobBook book_;
    bool statusIsReady_ = true;  // the status label shows "Ready" (by its id)
};

}  // namespace s::gui::dialogs::dragndrop
