#include "ui/drawers/QtConversion.h"

#include <QFontMetricsF>
#include <cmath>

#include <QString>
#include <algorithm>

namespace s::gui::drawer {

QColor toQColor(s::gui::Rgb colour) {
    return QColor(colour.r, colour.g, colour.b);
}

QFont toQFont(const s::gui::win::FontSetting& setting) {
    QFont font;
    if (!setting.face.empty()) font.setFamily(QString::fromStdString(setting.face));
    if (setting.height != 0) {
        // Negative: character height; positive: cell height. Qt knows only
        // pixel sizes, so both become one.
        const std::int32_t pixels = setting.height < 0 ? -setting.height : setting.height;
        font.setPixelSize(std::max(1, pixels));
    }
    const std::int32_t weight = setting.weight == 0 ? s::gui::win::FontSetting::kNormalWeight
                                                    : std::clamp(setting.weight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(setting.italic);
    font.setUnderline(setting.underline);
    font.setStrikeOut(setting.strikeOut);
    if (!setting.smoothing) font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

int textWidth(const QFont& font, const QString& text) {
    return static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
}

}  // namespace s::gui::drawer
