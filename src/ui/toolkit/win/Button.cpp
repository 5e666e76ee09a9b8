#include "ui/toolkit/win/Button.h"

#include <QPainter>
#include <QPushButton>
#include <QSizeGrip>
#include <QWheelEvent>

#include "ui/toolkit/DisplayScale.h"
#include "ui/toolkit/FontSizeCode.h"
#include "ui/toolkit/ITextMeasurer.h"
#include "ui/toolkit/win/Font.h"
#include "ui/drawers/ISkin.h"

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
    PushButton(Button& owner, QWidget* parent) : QPushButton(parent), owner_(owner) {}

protected:
    // With a skin the button's drawer paints it; else the platform does.
    void paintEvent(QPaintEvent* e) override {
        const s::gui::drawer::IButton* drawer = owner_.drawer();
        if (!drawer) return QPushButton::paintEvent(e);
        QPainter p(this);
        s::gui::drawer::ButtonFace face;
        face.caption = owner_.text();
        face.font = FontSizeCode::resolved(owner_.font());
        face.state = isDown()       ? s::gui::drawer::ButtonFace::Pressed
                     : underMouse() ? s::gui::drawer::ButtonFace::Hover
                                    : s::gui::drawer::ButtonFace::Normal;
        face.enabled = isEnabled();
        face.switchedOn = owner_.isToggle() && owner_.isPressed();
        face.scale = DisplayScale::get();
        drawer->paint(p, 0, 0, width(), height(), face);
    }

    // A wheel turn over a button is consumed; one elsewhere goes on up.
    void wheelEvent(QWheelEvent* e) override {
        if (rect().contains(e->position().toPoint()))
            e->accept();
        else
            e->ignore();
    }

private:
    Button& owner_;
};

}  // namespace

void Button::reset() {
    NativeComponent<s::gui::Component>::reset();
    text_.clear();
    font_ = FontSizeCode::defaultFont();
    toggle_ = pressed_ = default_ = false;
    skinButton_ = nullptr;
}

void Button::takeSkin(const s::gui::drawer::ISkin* skin) {
    skinButton_ = skin ? skin->buttonDrawer() : nullptr;
    redraw();
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
    // The minimum is the caption with a small padding, so a button fits a
    // status bar; it likes the platform's own button size.
    const Extent text = ITextMeasurer::current().measure(font_, text_.text(), false, 0);
    const Extent least{text.cx + 16 * scale, text.cy + 4 * scale};
    Extent liked = least;
    if (QWidget* w = nativeWidget()) {
        const QSize hint = w->sizeHint();
        liked = Extent{std::max(hint.width(), least.cx), std::max(hint.height(), least.cy)};
    }
    setContentMin(least.cx, least.cy);
    setNatural(liked.cx, liked.cy);
    relayoutParent();
}

std::string Button::visibleText() const { return isGlyph() ? std::string() : text_.text(); }

QWidget* Button::makeWidget(QWidget* parent) {
    if (isResizer()) {
        auto* grip = new QSizeGrip(parent);
        return grip;
    }
    auto* button = new PushButton(*this, parent);
    button->setAttribute(Qt::WA_Hover, true);
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
