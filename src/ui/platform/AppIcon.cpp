#include "ui/platform/AppIcon.h"

#include <cstring>

namespace s::platform::qt {

namespace {

QPixmap decodePng(std::span<const std::uint8_t> bytes) {
    QPixmap pixmap;
    pixmap.loadFromData(bytes.data(), static_cast<uint>(bytes.size()), "PNG");
    return pixmap;
}

}  // namespace

QIcon AppIcon::icon() {
    QIcon icon;
    for (const std::int32_t size : s::app::win::AppBase::kIconSizes) icon.addPixmap(pixmap(size));
    return icon;
}

QPixmap AppIcon::pixmap(std::int32_t size) {
    return decodePng(s::app::win::AppBase::iconPng(s::app::win::AppBase::iconSizeFor(size)));
}

QImage AppIcon::picture(s::app::win::AppBase& app, s::app::win::AppBase::Picture which) {
    const s::image::win::BufferedImage* image = app.picture(which);
    if (!image || image->getWidth() <= 0 || image->getHeight() <= 0) return QImage();
    // Pixels are B, G, R, A in memory: QImage's 32-bit format on a
    // little-endian machine. Rows are copied one by one because ours are
    // stored bottom-up.
    QImage out(image->getWidth(), image->getHeight(), QImage::Format_RGB32);
    if (out.isNull()) return out;
    const std::size_t rowBytes = static_cast<std::size_t>(image->getWidth()) * 4;
    for (std::int32_t y = 0; y < image->getHeight(); ++y)
        std::memcpy(out.scanLine(y), image->getRow(y), rowBytes);
    return out;
}

}  // namespace s::platform::qt
