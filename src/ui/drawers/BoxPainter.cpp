#include "ui/drawers/BoxPainter.h"

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer {

void BoxPainter::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom, const BoxLook& look) {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    {
        PixelPen pen(painter, left, top, right, bottom);
        paintBackground(pen.painter(), pen.width(), pen.height(), look);
    }
    if (look.border != nullptr) look.border->paint(painter, left, top, right, bottom);
}

void BoxPainter::paintBackground(QPainter& painter, std::int32_t width, std::int32_t height,
                                 const BoxLook& look) {
    const QRect area(0, 0, width, height);
    if (look.hasHoverColour && look.hovered) {
        painter.fillRect(area, QColor(look.hoverColour.r, look.hoverColour.g, look.hoverColour.b));
        return;
    }
    if (!look.transparent) {
        painter.fillRect(area, QColor(look.background.r, look.background.g, look.background.b));
        return;
    }
    if (look.behind != nullptr && !look.behind->isNull()) {
        // Only the part of the box that the ancestor's image covers is copied.
        const QRect source = QRect(look.behindOffset, area.size()).intersected(look.behind->rect());
        if (!source.isEmpty()) {
            const QPainter::CompositionMode mode = painter.compositionMode();
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(source.topLeft() - look.behindOffset, *look.behind, source);
            painter.setCompositionMode(mode);
        }
        return;
    }
    if (look.hasBehindColour) {
        painter.fillRect(area,
                         QColor(look.behindColour.r, look.behindColour.g, look.behindColour.b));
    }
}

}  // namespace s::gui::drawer
