#include "ui/toolkit/win/MessageBox.h"

#include <QMessageBox>

namespace s::gui::win {

void MessageBox::warning(QWidget* owner, const std::string& text, const std::string& title) {
    QMessageBox::warning(owner, QString::fromStdString(title), QString::fromStdString(text));
}

void MessageBox::information(QWidget* owner, const std::string& text, const std::string& title) {
    QMessageBox::information(owner, QString::fromStdString(title), QString::fromStdString(text));
}

bool MessageBox::askYesNo(QWidget* owner, const std::string& text, const std::string& title) {
    return QMessageBox::question(owner, QString::fromStdString(title),
                                 QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace s::gui::win
