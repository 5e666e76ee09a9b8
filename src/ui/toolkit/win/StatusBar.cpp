#include "ui/toolkit/win/StatusBar.h"

#include <QMouseEvent>
#include <QPaintEvent>

#include "ui/toolkit/DisplayScale.h"

namespace s::gui::win {
namespace {

class StatusBarWidget final : public QWidget {
public:
    StatusBarWidget(StatusBar& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        owner_.paintSurface(p, e->rect());
    }
    void mousePressEvent(QMouseEvent* e) override { e->ignore(); }

private:
    StatusBar& owner_;
};

}  // namespace

StatusBar::StatusBar() { reset(); }

void StatusBar::reset() {
    NativeComponent<s::gui::Container>::reset();
    painter_ = nullptr;
    setRow();
    alignMiddle();
}

void StatusBar::setSurfacePainter(SurfacePainter painter) {
    painter_ = std::move(painter);
    redraw();
}

void StatusBar::paintSurface(QPainter& p, const QRect& area) {
    if (!isTransparent()) p.fillRect(area, QColor(background().r, background().g, background().b));
    if (painter_) painter_(p, QRect(0, 0, width(), height()));
}

void StatusBar::dock(std::int32_t clientWidth, std::int32_t clientHeight) {
    const std::int32_t h = effectiveMaxHeight();
    setBounds(0, clientHeight - h, clientWidth, h);
    doLayout();
}

QWidget* StatusBar::makeWidget(QWidget* parent) {
    // The height follows the display scale in force when the bar is shown,
    // unless the window chose one.
    if (fixedHeight() == kNone) setFixedHeight(kBaseHeight * DisplayScale::get());
    return new StatusBarWidget(*this, parent);
}

void StatusBar::applyProperties() { applyAccessibility(); }

}  // namespace s::gui::win
