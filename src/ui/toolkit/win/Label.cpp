#include "ui/toolkit/win/Label.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "ui/toolkit/DisplayScale.h"
#include "ui/toolkit/FontSizeCode.h"
#include "ui/toolkit/ITextMeasurer.h"
#include "ui/toolkit/win/Accessibility.h"
#include "ui/toolkit/win/Font.h"
#include "ui/drawers/ISkin.h"
#include "ui/drawers/text/Basic.h"

namespace s::gui::win {
namespace {

class LabelWidget final : public QWidget {
public:
    LabelWidget(Label& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        owner_.paintText(p, rect());
    }
    // Plain labels leave the mouse to what lies below them.
    void mousePressEvent(QMouseEvent* e) override {
        if (!owner_.isLink() || e->button() != Qt::LeftButton) return e->ignore();
        owner_.setLinkState(Label::kPressed);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (!owner_.isLink() || e->button() != Qt::LeftButton) return e->ignore();
        const bool over = rect().contains(e->position().toPoint());
        owner_.setLinkState(over ? Label::kHovering : Label::kIdle);
        if (over) owner_.activate();
    }
    void enterEvent(QEnterEvent*) override {
        if (owner_.isLink()) owner_.setLinkState(Label::kHovering);
    }
    void leaveEvent(QEvent*) override {
        if (owner_.isLink()) owner_.setLinkState(Label::kIdle);
    }
    void keyPressEvent(QKeyEvent* e) override {
        const bool activation = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter ||
                                e->key() == Qt::Key_Space;
        if (!owner_.isLink() || !activation) return QWidget::keyPressEvent(e);
        owner_.activate();
    }

private:
    Label& owner_;
};

}  // namespace

Label::Label() { reset(); }

void Label::reset() {
    NativeComponent<s::gui::Component>::reset();
    text_.clear();
    const FontSetting base = FontSizeCode::defaultFont();
    fonts_.fill(base);
    fonts_[kDisabled].textColour = Rgb::hex(0x808080);
    fonts_[kLink].textColour = Rgb::hex(0x0046D5);
    fonts_[kLinkHover].textColour = Rgb::hex(0x3C8CFF);
    fonts_[kLinkHover].underline = true;
    fonts_[kLinkPressed].textColour = Rgb::hex(0x002A80);
    fonts_[kLinkPressed].underline = true;
    target_.clear();
    link_ = focusable_ = wordWrap_ = centred_ = false;
    linkState_ = kIdle;
    skinText_ = nullptr;
}

void Label::setText(std::string text) {
    text_.setLiteral(std::move(text));
    measure();
    applyAccessibility();
    redraw();
}

void Label::setTextId(std::int32_t id) {
    text_.setId(id);
    relabel();
}

void Label::relabel() {
    text_.resolve(localizer());
    measure();
    applyAccessibility();
    redraw();
}

void Label::setFont(FontRole role, const FontSetting& font) {
    if (role >= kFontRoles) return;
    fonts_[role] = font;
    measure();
    redraw();
}

void Label::setAllFonts(const FontSetting& font) {
    for (std::size_t i = 0; i < kFontRoles; ++i) {
        const bool underline = fonts_[i].underline;
        const Rgb colour = fonts_[i].textColour;
        fonts_[i] = font;
        if (i >= kLink) {
            fonts_[i].underline = underline || font.underline;
            if (!font.isExplicit(FontSetting::TextColour)) fonts_[i].textColour = colour;
        }
    }
    measure();
    redraw();
}

void Label::setSizeCode(std::int32_t code) {
    for (FontSetting& f : fonts_) FontSizeCode::apply(code, DisplayScale::get(), f);
    measure();
    redraw();
}

void Label::setTextColour(Rgb colour) {
    fonts_[kNormal].setTextColour(colour);
    redraw();
}

void Label::setLink(bool on) {
    link_ = on;
    applyProperties();
    measure();
}

void Label::setFocusable(bool on) {
    focusable_ = on;
    applyProperties();
}

void Label::setWordWrap(bool on) {
    wordWrap_ = on;
    measure();
}

void Label::setCentred(bool on) {
    centred_ = on;
    redraw();
}

void Label::takeSkin(const s::gui::drawer::ISkin* skin) {
    skinText_ = skin ? skin->textDrawer() : nullptr;
    measure();
    redraw();
}

const s::gui::drawer::IText& Label::textDrawer() const {
    static s::gui::drawer::text::win::Basic fallback;
    return skinText_ ? *skinText_ : fallback;
}

const FontSetting& Label::currentFont() const {
    if (!isEnabled()) return fonts_[kDisabled];
    if (!link_) return fonts_[kNormal];
    if (linkState_ == kPressed) return fonts_[kLinkPressed];
    if (linkState_ == kHovering) return fonts_[kLinkHover];
    return fonts_[kLink];
}

void Label::measure() {
    // The largest of the fonts a state may use, so hovering never clips.
    Extent size;
    auto grow = [&](const FontSetting& f) {
        const Extent e = ITextMeasurer::current().measure(f, text_.text(), wordWrap_,
                                                          wordWrap_ ? width() : 0);
        size.cx = std::max(size.cx, e.cx);
        size.cy = std::max(size.cy, e.cy);
    };
    grow(fonts_[kNormal]);
    if (link_) {
        grow(fonts_[kLink]);
        grow(fonts_[kLinkHover]);
        grow(fonts_[kLinkPressed]);
    }
    if (wordWrap_)
        setContentMin(0, size.cy);
    else
        setContentMin(size.cx, size.cy);
    setNatural(size.cx, size.cy);
    relayoutParent();
}

void Label::setLinkState(std::int32_t state) {
    if (state == linkState_) return;
    linkState_ = state;
    redraw();
}

void Label::activate() {
    if (!link_) return;
    raise(kClicked);
    if (!target_.empty()) QDesktopServices::openUrl(QUrl(QString::fromStdString(target_)));
}

void Label::paintText(QPainter& p, const QRect& area) const {
    FontSetting f = FontSizeCode::resolved(currentFont());
    const s::gui::drawer::IText& drawer = textDrawer();
    if (skinText_) {
        // The skin's colours and effect, where the label chose none itself.
        const std::size_t role = !isEnabled() ? kDisabled
                                 : !link_     ? kNormal
                                              : kLink + static_cast<std::size_t>(linkState_);
        const FontSetting& skin =
            drawer.setting(static_cast<s::gui::drawer::TextSetting>(role));
        if (!f.isExplicit(FontSetting::TextColour)) f.textColour = skin.textColour;
        if (!f.isExplicit(FontSetting::SecondColour)) f.secondColour = skin.secondColour;
        if (!f.isExplicit(FontSetting::ThirdColour)) f.thirdColour = skin.thirdColour;
        if (!f.isExplicit(FontSetting::Effect)) f.effect = skin.effect;
    }
    std::uint32_t layout = 0;
    if (centred_) layout |= s::gui::drawer::TextCentred;
    if (wordWrap_) layout |= s::gui::drawer::TextWordWrap;
    drawer.paint(p, area.left(), area.top(), area.right() + 1, area.bottom() + 1, text_.text(), f,
                 layout);
}

QWidget* Label::makeWidget(QWidget* parent) {
    auto* widget = new LabelWidget(*this, parent);
    // Marked before anything asks for its accessible interface.
    Accessibility::setRole(*widget, link_ ? QAccessible::Link : QAccessible::StaticText);
    return widget;
}

void Label::applyProperties() {
    QWidget* w = nativeWidget();
    if (!w) return;
    Accessibility::setRole(*w, link_ ? QAccessible::Link : QAccessible::StaticText);
    w->setCursor(link_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
    w->setAttribute(Qt::WA_TransparentForMouseEvents, !link_);
    w->setFocusPolicy(link_ && focusable_ ? Qt::StrongFocus : Qt::NoFocus);
    measure();
}

void Label::nativeSetEnabled(bool on) {
    NativeComponent<s::gui::Component>::nativeSetEnabled(on);
    redraw();
}

}  // namespace s::gui::win
