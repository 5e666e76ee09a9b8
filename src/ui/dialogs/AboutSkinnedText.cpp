#include "ui/dialogs/AboutSkinnedText.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/drawers/IText.h"
#include "ui/drawers/SkinFont.h"
#include "ui/drawers/Skinner.h"
#include "ui/toolkit/win/Accessibility.h"

namespace s::gui::dialogs {

namespace {

using s::gui::drawer::TextSetting;

const s::gui::drawer::IText* textDrawerOf(const s::gui::drawer::Skinner& skinner) {
    const s::gui::drawer::ISkin* skin = skinner.currentSkin();
    return skin ? skin->textDrawer() : nullptr;
}

// Screen readers announce the text without padding or no-break spaces.
QString trimmedName(const std::string& text) {
    QString name = QString::fromStdString(text);
    name.replace(QChar(0x00A0), QChar(' '));
    return name.trimmed();
}

}  // namespace

AboutSkinnedText::AboutSkinnedText(QWidget* parent, const s::gui::drawer::Skinner& skinner)
    : QWidget(parent), skinner_(skinner) {
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
    s::gui::win::Accessibility::setRole(*this, QAccessible::StaticText);
}

void AboutSkinnedText::setText(std::string text) {
    text_ = std::move(text);
    setAccessibleName(trimmedName(text_));
    update();
}

void AboutSkinnedText::setFontSetting(const s::gui::win::FontSetting& font) {
    font_ = font;
    update();
}

void AboutSkinnedText::setLink(bool on) {
    link_ = on;
    setAttribute(Qt::WA_TransparentForMouseEvents, !on);
    setCursor(on ? Qt::PointingHandCursor : Qt::ArrowCursor);
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
    s::gui::win::Accessibility::setRole(*this, on ? QAccessible::Link : QAccessible::StaticText);
    update();
}

s::gui::win::FontSetting AboutSkinnedText::shownFont() const {
    const s::gui::drawer::IText* drawer = textDrawerOf(skinner_);
    s::gui::win::FontSetting font = font_;
    if (link_) font.setUnderline(true);
    if (!drawer) return font;
    TextSetting setting = TextSetting::Normal;
    if (!isEnabled()) {
        setting = TextSetting::Disabled;
    } else if (link_) {
        setting = look_ == Look::Hovering  ? TextSetting::LinkHover
                  : look_ == Look::Pressed ? TextSetting::LinkPressed
                                           : TextSetting::Link;
    }
    return s::gui::drawer::withSkinSetting(font, drawer->setting(setting));
}

QSize AboutSkinnedText::textExtent() const {
    const s::gui::drawer::IText* drawer = textDrawerOf(skinner_);
    if (!drawer) return {};
    const s::gui::drawer::TextExtent extent = drawer->measure(text_, shownFont(), 0, 0);
    return {extent.width, extent.height};
}

void AboutSkinnedText::paintEvent(QPaintEvent*) {
    const s::gui::drawer::IText* drawer = textDrawerOf(skinner_);
    if (!drawer) return;
    QPainter painter(this);
    drawer->paint(painter, 0, 0, width(), height(), text_, shownFont(),
                  s::gui::drawer::TextEllipsis);
}

void AboutSkinnedText::setLook(Look look) {
    if (look_ == look) return;
    look_ = look;
    update();
}

void AboutSkinnedText::mousePressEvent(QMouseEvent* e) {
    if (!link_ || e->button() != Qt::LeftButton) return e->ignore();
    setLook(Look::Pressed);
}

void AboutSkinnedText::mouseReleaseEvent(QMouseEvent* e) {
    if (!link_ || e->button() != Qt::LeftButton) return e->ignore();
    const bool over = rect().contains(e->position().toPoint());
    setLook(over ? Look::Hovering : Look::Idle);
    if (over && activated_) activated_();
}

void AboutSkinnedText::enterEvent(QEnterEvent*) {
    if (link_) setLook(Look::Hovering);
}

void AboutSkinnedText::leaveEvent(QEvent*) {
    if (link_) setLook(Look::Idle);
}

void AboutSkinnedText::keyPressEvent(QKeyEvent* e) {
    const bool activation =
        e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space;
    if (!link_ || !activation) return QWidget::keyPressEvent(e);
    if (activated_) activated_();
}

}  // namespace s::gui::dialogs
