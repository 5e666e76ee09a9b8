#include "ui/dialogs/AboutSkinnedButton.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/drawers/IButton.h"
#include "ui/drawers/Skinner.h"
#include "ui/toolkit/win/Font.h"

namespace s::gui::dialogs {

AboutSkinnedButton::AboutSkinnedButton(QWidget* parent, const s::gui::drawer::Skinner& skinner,
                                       std::int32_t scale)
    : QPushButton(parent), skinner_(skinner), scale_(scale) {}

void AboutSkinnedButton::setCaption(std::string caption) {
    caption_ = std::move(caption);
    QString name = QString::fromStdString(caption_);
    name.replace(QChar(0x00A0), QChar(' '));
    name = name.trimmed();
    // "&&" keeps a literal ampersand from becoming a mnemonic.
    QString shown = name;
    setText(shown.replace('&', "&&"));
    setAccessibleName(name);
    update();
}

std::int32_t AboutSkinnedButton::captionWidth() const {
    return QFontMetrics(s::gui::win::qFontFor(font_))
        .horizontalAdvance(QString::fromStdString(caption_));
}

void AboutSkinnedButton::paintEvent(QPaintEvent* e) {
    const s::gui::drawer::ISkin* skin = skinner_.currentSkin();
    const s::gui::drawer::IButton* drawer = skin ? skin->buttonDrawer() : nullptr;
    if (!drawer) return QPushButton::paintEvent(e);
    s::gui::drawer::ButtonFace face;
    face.caption = caption_;
    face.font = font_;
    face.state = isDown()       ? s::gui::drawer::ButtonFace::Pressed
                 : underMouse() ? s::gui::drawer::ButtonFace::Hover
                                : s::gui::drawer::ButtonFace::Normal;
    face.enabled = isEnabled();
    face.scale = scale_;
    QPainter painter(this);
    drawer->paint(painter, 0, 0, width(), height(), face);
}

}  // namespace s::gui::dialogs
