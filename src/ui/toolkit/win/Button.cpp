#include "ui/toolkit/win/Button.h"

#include <QPushButton>
#include <QSizeGrip>
#include <QWheelEvent>

#include "ui/toolkit/DisplayScale.h"
#include "ui/toolkit/FontSizeCode.h"
#include "ui/toolkit/ITextMeasurer.h"
#include "ui/toolkit/win/Font.h"

namespace s::gui::win {
namespace {

// Glyph captions ("#X") shown as a character.
QString glyphFor(const std::string& caption) {
    if (caption == "#X") return QString(QChar(0x2715));
    if (caption == "#_") return QString(QChar(0x2013));
    return QString::fromStdString(caption.substr(1));
}

class PushButton final : public QPushButton {
public:
    explicit PushButton(QWidget* parent) : QPushButton(parent) {}

protected:
    // A wheel turn over a button is consumed; one elsewhere goes on up.
    void wheelEvent(QWheelEvent* e) override {
        if (rect().contains(e->position().toPoint()))
            e->accept();
        else
            e->ignore();
    }
};

}  // namespace

void Button::reset() {
    NativeComponent<s::gui::Component>::reset();
    text_.clear();
    font_ = FontSizeCode::defaultFont();
    toggle_ = pressed_ = default_ = false;
}

void Button::setText(std::string text) {
    const bool wasResizer = isResizer();
    text_.setLiteral(std::move(text));
    if (wasResizer != isResizer() && nativeWidget()) {
        // The kind of widget changes with the name: make it again.
        destroyNative();
        attachNative();
    }
    applyProperties();
}

void Button::setTextId(std::int32_t id) {
    text_.setId(id);
    relabel();
}

void Button::relabel() {
    text_.resolve(localizer());
    applyProperties();
}

void Button::setFont(const FontSetting& font) {
    font_ = font;
    applyProperties();
}

void Button::setPressed(bool on) {
    pressed_ = on;
    if (auto* b = qobject_cast<QPushButton*>(nativeWidget())) b->setChecked(on);
    redraw();
}

void Button::setDefault(bool on) {
    default_ = on;
    if (auto* b = qobject_cast<QPushButton*>(nativeWidget())) b->setDefault(on);
}

void Button::click() {
    raise(kClicked);
    if (toggle_) setPressed(!pressed_);
    raise(kAfterClick);
}

void Button::measure() {
    const std::int32_t scale = DisplayScale::get();
    if (isResizer()) {
        setContentMin(12 * scale, 12 * scale);
        setNatural(12 * scale, 12 * scale);
        relayoutParent();
        return;
    }
    Extent size;
    if (QWidget* w = nativeWidget()) {
        const QSize hint = w->sizeHint();
        size = Extent{hint.width(), hint.height()};
    } else {
        const Extent text = ITextMeasurer::current().measure(font_, text_.text(), false, 0);
        size = Extent{text.cx + 16 * scale, text.cy + 10 * scale};
    }
    setContentMin(size.cx, size.cy);
    setNatural(size.cx, size.cy);
    relayoutParent();
}

std::string Button::visibleText() const { return isGlyph() ? std::string() : text_.text(); }

QWidget* Button::makeWidget(QWidget* parent) {
    if (isResizer()) {
        auto* grip = new QSizeGrip(parent);
        return grip;
    }
    auto* button = new PushButton(parent);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] { click(); });
    return button;
}

void Button::applyProperties() {
    if (auto* b = qobject_cast<QPushButton*>(nativeWidget())) {
        b->setFont(qFontFor(font_));
        b->setText(isGlyph() ? glyphFor(text_.text())
                             : QString::fromStdString(TextRules::doubleAmpersands(text_.text())));
        b->setCheckable(toggle_);
        b->setChecked(pressed_);
        b->setDefault(default_);
    }
    applyAccessibility();
    measure();
    redraw();
}

}  // namespace s::gui::win
