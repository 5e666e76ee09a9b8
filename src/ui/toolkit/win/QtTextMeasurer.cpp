#include "ui/toolkit/win/QtTextMeasurer.h"

#include <QFontMetrics>

#include "ui/drawers/QtConversion.h"
#include "ui/toolkit/win/Font.h"

namespace s::gui::win {

s::gui::Extent QtTextMeasurer::measure(const FontSetting& font, std::string_view utf8,
                                       bool wordWrap, int wrapWidth) {
    const QFont qfont = qFontFor(font);
    const QFontMetrics metrics(qfont);
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (wordWrap && wrapWidth > 0) {
        const QRect r = metrics.boundingRect(QRect(0, 0, wrapWidth, 100000),
                                             Qt::TextWordWrap | Qt::AlignLeft, text);
        return s::gui::Extent{r.width(), r.height()};
    }
    return s::gui::Extent{s::gui::drawer::textWidth(qfont, text), metrics.height()};
}

void QtTextMeasurer::install() {
    static QtTextMeasurer measurer;
    s::gui::ITextMeasurer::install(&measurer);
}

}  // namespace s::gui::win
