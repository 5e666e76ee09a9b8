// s::platform::qt::AppIcon -- the program's compiled-in icon and pictures as
// Qt images: the window icon with every size, one size as a pixmap, and the
// maker's logo pictures as QImage (copies, independent of the frame).
//
//     window.setWindowIcon(AppIcon::icon());
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <cstdint>

#include "shell/app/AppBase.h"

namespace s::platform::qt {

class AppIcon {
public:
    // Every compiled-in size in one icon.
    static QIcon icon();
    // The icon at one of AppBase::kIconSizes (the next larger one otherwise).
    static QPixmap pixmap(std::int32_t size);
    // The picture as a 32-bit image; null when it cannot be decoded.
    static QImage picture(s::app::win::AppBase& app, s::app::win::AppBase::Picture which);
};

}  // namespace s::platform::qt
