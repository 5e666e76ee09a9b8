#include "ui/dialogs/TarvexDialog.h"

#include "ui/dialogs/JobSummary.h"
#include "ui/toolkit/win/ComboBoxItem.h"
#include "ui/toolkit/win/Spacer.h"

namespace s::image::gui::dialogs::tarvex {

namespace win = s::gui::win;
using s::thread::Pooled;

namespace {

enum TextId : std::int32_t {
    kVariousSizes = 1101000,
    kSpecificSize = 1102000,
    kHowMany = 1105000,
    kUpTo = 1106000,
    kImages = 1107000,
    kRange = 1108000,
    kMaximumRange = 1109000,
    kLimitedRange = 1110000,
    kRatioGroup = 1120000,
    kKeepRatio = 1130000,
    kSizeGroup = 1140000,
    kByPixel = 1150000,
    kByPercent = 1160000,
    kWidth = 1170000,
    kHeight = 1180000,
    kStretchGroup = 1201000,
    kBoth = 1202000,
    kOnlyEnlarge = 1203000,
    kOnlyShrink = 1204000,
};

std::string trimmedName(const std::string& text) {
    std::size_t begin = text.find_first_not_of(" \t");
    std::size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos) return {};
    return text.substr(begin, end - begin + 1);
}

PanelSettings::Stretch readStretch(const Dialog::StretchRadios& radios) {
    return {radios.both->isChecked(), radios.onlyEnlarge->isChecked(),
            radios.onlyShrink->isChecked()};
}

void showStretch(const Dialog::StretchRadios& radios, const PanelSettings::Stretch& stretch) {
    if (stretch.both) radios.both->setChecked(true);
    if (stretch.onlyEnlarge) radios.onlyEnlarge->setChecked(true);
    if (stretch.onlyShrink) radios.onlyShrink->setChecked(true);
}

}  // namespace

Dialog::Dialog() : task_(jobBook().jobList(), jobBook().jobLock(), jobBook().cancelFlag(), sizer_) {
    task_.setEventSink(this);
    task_.setTaskbar(&taskbar());
    task_.setThreads(0);
}

Dialog::~Dialog() { Dialog::reset(); }

void Dialog::reset() {
    s::gui::dialogs::dragndrop::Dialog::reset();
    sizer_.reset();
    specific_ = {};
    various_ = {};
    specificStretch_ = {};
    variousStretch_ = {};
    fieldLabels_.clear();
}

void Dialog::run() { task_.run(); }

// --- building ------------------------------------------------------------

void Dialog::buildSelectorItems(win::ComboBox& selector) {
    selector.addItem(s::gui::combobox::ComboBoxItem::byId(kSpecificSize, PanelSettings::kSpecificSize));
    selector.addItem(s::gui::combobox::ComboBoxItem::byId(kVariousSizes, PanelSettings::kVariousSizes));
}

Pooled<win::Box> Dialog::buildOptionsPanel() {
    auto panel = win::Box::take();
    panel->setPile();
    auto& specific = panel->add(win::Box::take());
    buildSpecificCard(specific);
    auto& various = panel->add(win::Box::take());
    buildVariousCard(various);
    showPanelSettings(PanelSettings::restore(store(), localizer()));
    return panel;
}

win::GroupBox& Dialog::addGroup(win::Box& card, std::int32_t titleId) {
    auto& group = card.add(win::GroupBox::take());
    group.setTitleId(titleId);
    group.setPercentWidth(100);
    group.content().setColumn();
    group.content().setSpacingY(px(2));
    return group;
}

win::Box& Dialog::addRow(win::Box& into) {
    auto& row = into.add(win::Box::take());
    row.setRow();
    row.alignMiddle();
    return row;
}

win::Label& Dialog::addLabel(win::Box& row, std::int32_t textId) {
    auto& label = row.add(win::Label::take());
    label.setTextId(textId);
    return label;
}

win::Label& Dialog::addLiteral(win::Box& row, const std::string& text) {
    auto& label = row.add(win::Label::take());
    label.setText(text);
    return label;
}

win::TextField& Dialog::addField(win::Box& row, const win::Label& label) {
    auto& field = row.add(win::TextField::take());
    field.setFixedWidth(px(32));
    field.setAccessibleName(trimmedName(labelText(label)));
    fieldLabels_.emplace_back(&field, &label);
    return field;
}

win::RadioButton& Dialog::addRadio(win::Box& row, std::int32_t textId) {
    auto& radio = row.add(win::RadioButton::take());
    radio.setTextId(textId);
    return radio;
}

void Dialog::buildSpecificCard(win::Box& card) {
    card.setColumn();
    card.setSpacingY(px(3));
    card.fill();
    win::Box& size = addGroup(card, kSizeGroup).content();
    win::Box& pixelRow = addRow(size);
    specific_.byPixel = &addRadio(pixelRow, kByPixel);
    specific_.pixelWidth = &addField(pixelRow, addLabel(pixelRow, kWidth));
    pixelRow.add(win::Spacer::make(px(10), 0));
    specific_.pixelHeight = &addField(pixelRow, addLabel(pixelRow, kHeight));
    win::Box& percentRow = addRow(size);
    specific_.byPercent = &addRadio(percentRow, kByPercent);
    specific_.percentWidth = &addField(percentRow, addLabel(percentRow, kWidth));
    percentRow.add(win::Spacer::make(px(10), 0));
    specific_.percentHeight = &addField(percentRow, addLabel(percentRow, kHeight));

    win::Box& ratio = addGroup(card, kRatioGroup).content();
    specific_.keepRatio = &ratio.add(win::CheckBox::take());
    specific_.keepRatio->setTextId(kKeepRatio);

    buildStretchGroup(card, specificStretch_);
}

void Dialog::buildVariousCard(win::Box& card) {
    card.setColumn();
    card.setSpacingY(px(3));
    card.fill();
    win::Box& howMany = addGroup(card, kHowMany).content();
    win::Box& countRow = addRow(howMany);
    various_.numOfSamples = &addField(countRow, addLabel(countRow, kUpTo));
    addLabel(countRow, kImages);

    win::Box& range = addGroup(card, kRange).content();
    win::Box& maximumRow = addRow(range);
    various_.maximumRange = &addRadio(maximumRow, kMaximumRange);
    win::Box& limitedRow = addRow(range);
    various_.limitedRange = &addRadio(limitedRow, kLimitedRange);
    limitedRow.add(win::Spacer::make(px(10), 0));
    various_.limitedPercent = &addField(limitedRow, addLiteral(limitedRow, "\xC2\xB1 "));
    addLiteral(limitedRow, " %");

    buildStretchGroup(card, variousStretch_);
}

void Dialog::buildStretchGroup(win::Box& card, StretchRadios& radios) {
    win::Box& stretch = addGroup(card, kStretchGroup).content();
    radios.both = &addRadio(stretch, kBoth);
    radios.onlyEnlarge = &addRadio(stretch, kOnlyEnlarge);
    radios.onlyShrink = &addRadio(stretch, kOnlyShrink);
}

void Dialog::registerPanelListeners() {
    for (win::RadioButton* radio : {specific_.byPixel, specific_.byPercent, various_.maximumRange,
                                    various_.limitedRange}) {
        radio->addClickListener(this);
    }
}

// --- the panel's state ---------------------------------------------------------

PanelSettings Dialog::panelSettings() const {
    PanelSettings s;
    s.byPixel = specific_.byPixel->isChecked();
    s.byPercent = specific_.byPercent->isChecked();
    s.pixelWidth = specific_.pixelWidth->text();
    s.pixelHeight = specific_.pixelHeight->text();
    s.percentWidth = specific_.percentWidth->text();
    s.percentHeight = specific_.percentHeight->text();
    s.keepRatio = specific_.keepRatio->isChecked();
    s.specificStretch = readStretch(specificStretch_);
    s.numOfSamples = various_.numOfSamples->text();
    s.maximumRange = various_.maximumRange->isChecked();
    s.limitedRange = various_.limitedRange->isChecked();
    s.limitedPercent = various_.limitedPercent->text();
    s.variousStretch = readStretch(variousStretch_);
    return s;
}

void Dialog::showPanelSettings(const PanelSettings& s) {
    specific_.byPixel->setChecked(s.byPixel);
    specific_.byPercent->setChecked(s.byPercent);
    specific_.pixelWidth->setText(s.pixelWidth);
    specific_.pixelHeight->setText(s.pixelHeight);
    specific_.percentWidth->setText(s.percentWidth);
    specific_.percentHeight->setText(s.percentHeight);
    specific_.keepRatio->setCheckedSilently(s.keepRatio);
    showStretch(specificStretch_, s.specificStretch);
    various_.numOfSamples->setText(s.numOfSamples);
    various_.maximumRange->setChecked(s.maximumRange);
    various_.limitedRange->setChecked(s.limitedRange);
    various_.limitedPercent->setText(s.limitedPercent);
    showStretch(variousStretch_, s.variousStretch);
}

bool Dialog::onPanelEvent(s::base::IObject& source, std::int32_t) {
    using Radio = PanelSettings::Radio;
    Radio radio;
    if (&source == specific_.byPixel) {
        radio = Radio::ByPixel;
    } else if (&source == specific_.byPercent) {
        radio = Radio::ByPercent;
    } else if (&source == various_.maximumRange) {
        radio = Radio::MaximumRange;
    } else if (&source == various_.limitedRange) {
        radio = Radio::LimitedRange;
    } else {
        return false;
    }
    PanelSettings settings = panelSettings();
    settings.radioClicked(radio);
    specific_.byPixel->setChecked(settings.byPixel);
    specific_.byPercent->setChecked(settings.byPercent);
    various_.maximumRange->setChecked(settings.maximumRange);
    various_.limitedRange->setChecked(settings.limitedRange);
    return true;
}

bool Dialog::applySettings() {
    const std::int32_t index = selector() ? selector()->selectedIndex() : PanelSettings::kSpecificSize;
    return panelSettings().apply(index, sizer_, store(), localizer());
}

// --- the job's account ---------------------------------------------------------

std::string Dialog::jobSummary() { return JobSummary::line(task_.lastReport(), localizer()); }

std::string Dialog::jobDetails() {
    const auto& report = task_.lastReport();
    return JobSummary::hasDetails(report) ? JobSummary::details(report, localizer()) : std::string();
}

std::string Dialog::jobDetailsTitle() { return localizer().text(JobSummary::kListTitle); }

std::string Dialog::labelText(const win::Label& label) {
    // A label resolves its own text only once the window exists, so ids are
    // looked up here: the fields are named while the panel is being built.
    return label.textId() >= 0 ? text(static_cast<std::uint32_t>(label.textId())) : label.text();
}

void Dialog::relabelFields() {
    for (auto& [field, label] : fieldLabels_) field->setAccessibleName(trimmedName(labelText(*label)));
}

void Dialog::onLanguageChanged(s::lang::Localizer& localizer) {
    s::gui::dialogs::dragndrop::Dialog::onLanguageChanged(localizer);
    relabelFields();
}

}  // namespace s::image::gui::dialogs::tarvex
