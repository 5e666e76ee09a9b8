#include "ui/platform/QtScreens.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#include "shell/app/ScaleFactor.h"

namespace s::platform::qt {

s::app::Rect QtScreens::toRect(const QRect& rect) {
    return s::app::Rect{rect.x(), rect.y(), rect.width(), rect.height()};
}

s::app::Screens QtScreens::current() {
    s::app::Screens screens;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return screens;
    screens.virtualScreen = toRect(primary->virtualGeometry());
    screens.primary = toRect(primary->geometry());
    screens.primaryWorkArea = toRect(primary->availableGeometry());
    return screens;
}

std::int32_t QtScreens::scaleFactor() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return 1;
    const QSize size = primary->size();
    return s::app::ScaleFactor::forScreenSize(size.width(), size.height());
}

}  // namespace s::platform::qt
