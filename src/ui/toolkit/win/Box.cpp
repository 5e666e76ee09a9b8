#include "ui/toolkit/win/Box.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QUrl>
#include <QWheelEvent>
#include <QWidget>

#include "ui/drawers/IBorder.h"

namespace s::gui::win {
namespace {

QColor qColour(Rgb c) { return QColor(c.r, c.g, c.b); }

// The box's surface: paints through its owner, routes drops, clicks, hover
// and wheel turns to it. Mouse presses on a click-through box are left to
// the parent, so they reach the window (dragging it by its body).
class BoxWidget final : public QWidget {
public:
    BoxWidget(Box& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        owner_.paintSurface(p, event->rect());
    }
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (owner_.acceptsFiles() && event->mimeData() &&
            !Box::localPaths(*event->mimeData()).empty())
            event->acceptProposedAction();
        else
            event->ignore();
    }
    void dragMoveEvent(QDragMoveEvent* event) override {
        if (owner_.acceptsFiles())
            event->acceptProposedAction();
        else
            event->ignore();
    }
    void dropEvent(QDropEvent* event) override {
        if (!owner_.acceptsFiles() || !event->mimeData()) return event->ignore();
        const std::vector<std::string> paths = Box::localPaths(*event->mimeData());
        if (paths.empty()) return event->ignore();
        event->acceptProposedAction();
        owner_.deliverDroppedFiles(paths);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (owner_.isClickThrough() || event->button() != Qt::LeftButton) return event->ignore();
        owner_.raise(s::gui::Component::kClick);
    }
    void enterEvent(QEnterEvent*) override {
        if (owner_.hasHoverColour() && !owner_.isClickThrough()) owner_.setHovered(true);
    }
    void leaveEvent(QEvent*) override {
        if (owner_.isHovered()) owner_.setHovered(false);
    }
    void wheelEvent(QWheelEvent* event) override {
        const int notches = event->angleDelta().y() / 120;
        if (notches == 0) return event->ignore();
        const QPoint at = event->globalPosition().toPoint();
        if (!owner_.handleWheel(at.x(), at.y(), notches * QApplication::wheelScrollLines()))
            event->ignore();
    }

private:
    Box& owner_;
};

}  // namespace

void Box::reset() {
    NativeComponent<s::gui::Container>::reset();
    setDrawer(nullptr, false);
    painter_ = nullptr;
    paintHandled_ = hovered_ = false;
}

void Box::setAcceptFiles(bool on) {
    s::gui::Container::setAcceptFiles(on);
    if (QWidget* w = nativeWidget()) w->setAcceptDrops(on);
}

void Box::setDrawer(s::gui::drawer::IBorder* drawer, bool own) {
    if (ownedDrawer_ && ownedDrawer_ != drawer) ownedDrawer_->release();
    ownedDrawer_ = own ? drawer : nullptr;
    if (!drawer) return setBorderPainter(nullptr);
    setBorderPainter([drawer](QPainter& p, const QRect& r) {
        drawer->paint(p, r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    });
}

void Box::setBorderPainter(BorderPainter painter) {
    border_ = std::move(painter);
    redraw();
}

void Box::paintSurface(QPainter& p, const QRect& area) {
    painter_ = &p;
    paintHandled_ = false;
    raise(kPaint);
    painter_ = nullptr;
    if (paintHandled_) return;
    if (hovered_ && hasHoverColour())
        p.fillRect(area, qColour(hoverColour()));
    else if (!isTransparent())
        p.fillRect(area, qColour(background()));
    // A transparent box paints nothing: its parent's painting shows through.
    if (border_) border_(p, QRect(0, 0, width(), height()));
}

Rgb Box::visibleBackground() const {
    for (const s::gui::Component* node = this; node; node = node->parent())
        if (!node->isTransparent()) return node->background();
    return kButtonFace;
}

void Box::setHovered(bool on) {
    hovered_ = on;
    redraw();
}

std::vector<std::string> Box::localPaths(const QMimeData& data) {
    std::vector<std::string> paths;
    if (!data.hasUrls()) return paths;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (!path.isEmpty()) paths.push_back(path.toStdString());
    }
    return paths;
}

QWidget* Box::makeWidget(QWidget* parent) {
    auto* widget = new BoxWidget(*this, parent);
    widget->setAttribute(Qt::WA_Hover, false);
    return widget;
}

void Box::applyProperties() {
    if (QWidget* w = nativeWidget()) w->setAcceptDrops(acceptsFiles());
}

}  // namespace s::gui::win
