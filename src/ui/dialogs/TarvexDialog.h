// s::image::gui::dialogs::tarvex::Dialog -- the resize window: the drop-box
// window with the two sizing modes in its selector ("Specific Size",
// "Various Sizes at Once"), the advanced options panel with one card per
// mode, and the resize job as the worker's task.
//
// The panel's controls are restored from the store when the window is
// built; at each accepted drop they are copied into the embedded Sizer and
// the active card's settings are stored (PanelSettings has the rules). The
// job is the same engine tarvex-resize runs (one worker per core), so a
// drop gives the same events, output names and bytes.
//
//     auto dialog = Dialog::take();
//     dialog->attach(frame, services);
//     dialog->buildWindow();
#pragma once

#include <string>

#include "job/ResizeTask.h"
#include "job/Sizer.h"
#include "ui/dialogs/DragNDropDialog.h"
#include "ui/dialogs/PanelSettings.h"
#include "ui/toolkit/win/RadioButton.h"
#include "ui/toolkit/win/TextField.h"

namespace s::image::gui::dialogs::tarvex {

class Dialog : public s::gui::dialogs::dragndrop::Dialog {
    TARVEX_POOLED(Dialog, "s_image_gui_dialogs_tarvex_Dialog")
public:
    Dialog();
    ~Dialog() override;
    void reset() override;

    void run() override;

    // The panel's controls as a settings record, and back.
    PanelSettings panelSettings() const;
    void showPanelSettings(const PanelSettings& settings);
    const s::image::util::Sizer& sizer() const { return sizer_; }
    const s::image::util::JobReport& lastReport() const { return task_.lastReport(); }

    // The controls, for tests and tools.
    struct SpecificCard {
        s::gui::win::RadioButton* byPixel = nullptr;
        s::gui::win::RadioButton* byPercent = nullptr;
        s::gui::win::TextField* pixelWidth = nullptr;
        s::gui::win::TextField* pixelHeight = nullptr;
        s::gui::win::TextField* percentWidth = nullptr;
        s::gui::win::TextField* percentHeight = nullptr;
        s::gui::win::CheckBox* keepRatio = nullptr;
    };
    struct VariousCard {
        s::gui::win::TextField* numOfSamples = nullptr;
        s::gui::win::RadioButton* maximumRange = nullptr;
        s::gui::win::RadioButton* limitedRange = nullptr;
        s::gui::win::TextField* limitedPercent = nullptr;
    };
    struct StretchRadios {
        s::gui::win::RadioButton* both = nullptr;
        s::gui::win::RadioButton* onlyEnlarge = nullptr;
        s::gui::win::RadioButton* onlyShrink = nullptr;
    };
    const SpecificCard& specificCard() const { return specific_; }
    const VariousCard& variousCard() const { return various_; }
    const StretchRadios& specificStretch() const { return specificStretch_; }
    const StretchRadios& variousStretch() const { return variousStretch_; }

protected:
    std::int32_t getSmallWidth() const override { return 250; }
    std::int32_t getSmallHeight() const override { return 250; }
    std::int32_t getLargeWidth() const override { return 470; }
    std::int32_t getLargeHeight() const override { return 400; }
    void buildSelectorItems(s::gui::win::ComboBox& selector) override;
    s::thread::Pooled<s::gui::win::Box> buildOptionsPanel() override;
    void registerPanelListeners() override;
    bool onPanelEvent(s::base::IObject& source, std::int32_t kind) override;
    bool applySettings() override;
    std::string jobSummary() override;
    std::string jobDetails() override;
    std::string jobDetailsTitle() override;
    // The text fields are named after their labels in the new language too.
    void onLanguageChanged(s::lang::Localizer& localizer) override;

private:
    void buildSpecificCard(s::gui::win::Box& card);
    void buildVariousCard(s::gui::win::Box& card);
    void buildStretchGroup(s::gui::win::Box& card, StretchRadios& radios);
    s::gui::win::GroupBox& addGroup(s::gui::win::Box& card, std::int32_t titleId);
    s::gui::win::Box& addRow(s::gui::win::Box& into);
    s::gui::win::Label& addLabel(s::gui::win::Box& row, std::int32_t textId);
    s::gui::win::Label& addLiteral(s::gui::win::Box& row, const std::string& text);
    s::gui::win::TextField& addField(s::gui::win::Box& row, const s::gui::win::Label& label);
    s::gui::win::RadioButton& addRadio(s::gui::win::Box& row, std::int32_t textId);
    std::string labelText(const s::gui::win::Label& label);
    void relabelFields();

    s::image::util::Sizer sizer_;
    s::job::ResizeTask task_;
    SpecificCard specific_;
    VariousCard various_;
    StretchRadios specificStretch_;
    StretchRadios variousStretch_;
    // Each field with the label in front of it (its accessible name).
    std::vector<std::pair<s::gui::win::TextField*, const s::gui::win::Label*>> fieldLabels_;
};

}  // namespace s::image::gui::dialogs::tarvex
