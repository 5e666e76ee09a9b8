#include "ui/toolkit/win/TextField.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QSignalBlocker>

#include "ui/toolkit/DisplayScale.h"
#include "ui/toolkit/ITextMeasurer.h"
#include "ui/toolkit/win/Font.h"

namespace s::gui::win {
namespace {

class LineEdit final : public QLineEdit {
public:
    LineEdit(TextField& owner, QWidget* parent) : QLineEdit(parent), owner_(owner) {}

protected:
    void focusOutEvent(QFocusEvent* e) override {
        QLineEdit::focusOutEvent(e);
        owner_.userLeft();
    }

private:
    TextField& owner_;
};

}  // namespace

TextField::TextField() { setBackground(255, 255, 255, false); }

void TextField::reset() {
    NativeComponent<s::gui::Component>::reset();
    setBackground(255, 255, 255, false);
    text_.clear();
    font_ = FontSizeCode::defaultFont();
    editable_ = true;
    password_ = notifyChanges_ = false;
    maxLength_ = 32767;
    minChars_ = 4;
}

void TextField::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    if (auto* edit = qobject_cast<QLineEdit*>(nativeWidget())) {
        const QSignalBlocker quiet(edit);
        edit->setText(QString::fromStdString(text_));
    }
    if (notifyChanges_) raise(kChanged);
}

void TextField::userEdited(std::string text) {
    text_ = std::move(text);
    if (notifyChanges_) raise(kChanged);
}

void TextField::setEditable(bool on) {
    editable_ = on;
    applyProperties();
}

void TextField::setPassword(bool on) {
    password_ = on;
    applyProperties();
}

void TextField::setMaxLength(std::int32_t n) {
    maxLength_ = n;
    applyProperties();
}

void TextField::setFont(const FontSetting& font) {
    font_ = font;
    applyProperties();
}

void TextField::setSizeCode(std::int32_t code) {
    if (FontSizeCode::apply(code, DisplayScale::get(), font_)) applyProperties();
}

void TextField::setMinChars(std::int32_t chars) {
    minChars_ = chars;
    measure();
}

void TextField::measure() {
    const std::int32_t scale = DisplayScale::get();
    const Extent digit = ITextMeasurer::current().measure(font_, "0", false, 0);
    Extent size{digit.cx * minChars_ + 8 * scale, digit.cy + 8 * scale};
    if (QWidget* w = nativeWidget()) size.cy = std::max(size.cy, w->sizeHint().height());
    setContentMin(size.cx, size.cy);
    setNatural(size.cx, size.cy);
    relayoutParent();
}

QWidget* TextField::makeWidget(QWidget* parent) {
    auto* edit = new LineEdit(*this, parent);
    edit->setFrame(true);
    edit->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [this](const QString& t) { userEdited(t.toStdString()); });
    QObject::connect(edit, &QLineEdit::returnPressed, edit, [this] { userPressedEnter(); });
    return edit;
}

void TextField::applyProperties() {
    auto* edit = qobject_cast<QLineEdit*>(nativeWidget());
    if (edit) {
        const QSignalBlocker quiet(edit);
        edit->setFont(qFontFor(font_));
        edit->setText(QString::fromStdString(text_));
        edit->setReadOnly(!editable_);
        edit->setEchoMode(password_ ? QLineEdit::Password : QLineEdit::Normal);
        edit->setMaxLength(maxLength_);
        QPalette palette = edit->palette();
        const Rgb own = background();
        const QColor base = editable_ && isEnabled() ? QColor(own.r, own.g, own.b)
                                                     : QColor(kButtonFace.r, kButtonFace.g,
                                                              kButtonFace.b);
        palette.setColor(QPalette::Base, base);
        edit->setPalette(palette);
    }
    applyAccessibility();
    measure();
}

}  // namespace s::gui::win
