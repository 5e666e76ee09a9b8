#include "ui/platform/DesktopOpener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace s::platform::qt {

bool DesktopOpener::openUrl(const std::string& url) {
    const QUrl target(QString::fromStdString(url), QUrl::StrictMode);
    if (!target.isValid() || target.isRelative()) return false;
    return QDesktopServices::openUrl(target);
}

}  // namespace s::platform::qt
