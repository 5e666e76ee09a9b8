// s::gui::win::Box -- the toolkit's container on screen: a plain QWidget that
// paints its background itself (a transparent box shows what its parent
// painted, an opaque one fills its own colour, a hover colour while the
// pointer is over a box that is not click-through), then its border drawer,
// and takes file drops.
//
// Painting can be taken over by paint listeners (kind 5): during the event
// currentPainter() is the painter of the box and markPaintHandled() stops
// the box's own painting. Drops arrive as text/uri-list; local paths are
// delivered in the order listed, other addresses ignored.
//
//     auto& panel = window.add(s::gui::win::Box::take());
//     panel.setWhite();
//     panel.setBorderPainter([](QPainter& p, const QRect& r) { ... });
#pragma once

#include <QMimeData>
#include <QPainter>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

#include "ui/toolkit/Container.h"
#include "ui/toolkit/win/NativeComponent.h"

namespace s::gui::drawer {
class IBorder;
}

namespace s::gui::win {

class Box : public NativeComponent<s::gui::Container> {
    TARVEX_POOLED(Box, "s_gui_win_Box")
public:
    using BorderPainter = std::function<void(QPainter&, const QRect&)>;

    void reset() override;
    void setAcceptFiles(bool on) override;

    // Paints over the client rectangle after the background; empty for none.
    void setBorderPainter(BorderPainter painter);
    bool hasBorderPainter() const { return static_cast<bool>(border_); }
    // A border drawer painting over the client rectangle; with own the box
    // releases it to its pool when the box is reset or given another.
    void setDrawer(s::gui::drawer::IBorder* drawer, bool own);

    // During a paint event (kind 5): the painter of this box, else null.
    QPainter* currentPainter() const { return painter_; }
    void markPaintHandled() { paintHandled_ = true; }

    // Paints this box's own surface (background and border) with p; the
    // widget's paint event calls it, and so do tests and screenshots.
    void paintSurface(QPainter& p, const QRect& area);
    // The colour a transparent box shows: the nearest opaque ancestor's.
    Rgb visibleBackground() const;
    bool isHovered() const { return hovered_; }
    // The local file paths of a drop, in the order listed (UTF-8); addresses
    // that are not local files are left out.
    static std::vector<std::string> localPaths(const QMimeData& data);
    void setHovered(bool on);

protected:
    QWidget* makeWidget(QWidget* parent) override;
    void applyProperties() override;

private:
    BorderPainter border_;
    s::gui::drawer::IBorder* ownedDrawer_ = nullptr;
    QPainter* painter_ = nullptr;
    bool paintHandled_ = false;
    bool hovered_ = false;
};

}  // namespace s::gui::win
