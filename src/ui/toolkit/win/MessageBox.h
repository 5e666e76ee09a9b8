// s::gui::win::MessageBox -- the few message boxes the windows show, as
// QMessageBox dialogs with the texts given (UTF-8). Owner may be null.
#pragma once

#include <string>

class QWidget;

namespace s::gui::win {

class MessageBox {
public:
    static void warning(QWidget* owner, const std::string& text, const std::string& title);
    static void information(QWidget* owner, const std::string& text, const std::string& title);
    // True when the user answered Yes.
    static bool askYesNo(QWidget* owner, const std::string& text, const std::string& title);
};

}  // namespace s::gui::win
