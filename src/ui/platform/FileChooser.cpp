#include "ui/platform/FileChooser.h"

#include <QFileDialog>
#include <QString>
#include <QStringList>

#include "shell/lang/Localizer.h"

namespace s::platform::qt {

std::string FileChooser::filter(s::lang::Localizer& localizer) {
    std::string name = localizer.text(kFilterNameId);
    if (name.empty()) name = "Images";
    return name + " (" + kPatterns + ")";
}

std::vector<std::string> FileChooser::openImages(QWidget* parent, s::lang::Localizer& localizer) {
    const QStringList chosen =
        QFileDialog::getOpenFileNames(parent, QString::fromStdString(localizer.text(kTitleId)),
                                      QString(), QString::fromStdString(filter(localizer)));
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(chosen.size()));
    for (const QString& path : chosen) paths.push_back(path.toStdString());
    return paths;
}

}  // namespace s::platform::qt
