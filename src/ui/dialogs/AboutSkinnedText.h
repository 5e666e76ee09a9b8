// s::gui::dialogs::AboutSkinnedText -- one text of the Version Information
// window, painted by the text drawer of the window's current skin: a plain
// text (accessible role static text) or a link (role link, hand cursor,
// hover and pressed looks from the drawer's link settings, activated by a
// click or by Enter/Space when focused).
//
//     auto* version = new AboutSkinnedText(parentWidget, skinner);
//     version->setText("1.24");
//     link->setLink(true); link->setActivated([] { ... });
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer {
class Skinner;
}

namespace s::gui::dialogs {

class AboutSkinnedText final : public QWidget {
    Q_OBJECT
public:
    AboutSkinnedText(QWidget* parent, const s::gui::drawer::Skinner& skinner);

    void setText(std::string text);
    const std::string& text() const { return text_; }
    void setFontSetting(const s::gui::win::FontSetting& font);
    void setLink(bool on);
    bool isLink() const { return link_; }
    void setActivated(std::function<void()> activated) { activated_ = std::move(activated); }
    // Width and height of the text as the current skin draws it.
    QSize textExtent() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    enum class Look { Idle, Hovering, Pressed };
    s::gui::win::FontSetting shownFont() const;
    void setLook(Look look);

    const s::gui::drawer::Skinner& skinner_;
    std::string text_;
    s::gui::win::FontSetting font_;
    bool link_ = false;
    Look look_ = Look::Idle;
    std::function<void()> activated_;
};

}  // namespace s::gui::dialogs
