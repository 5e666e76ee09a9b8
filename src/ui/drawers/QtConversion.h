// Conversions from the toolkit's Qt-free colour and font descriptions to the
// Qt types the drawers paint with.
//
//     painter.setFont(s::gui::drawer::toQFont(setting));
//     painter.setPen(s::gui::drawer::toQColor(setting.textColour));
//
// toQFont: a negative height is a character height in pixels (pixel size
// -height); a positive height is a cell height and is used as the pixel size
// too, the closest Qt has; 0 keeps the default size. Weight 0 means normal,
// other weights map onto Qt's 100..900 scale (700 bold). Smoothing off
// asks for fonts drawn without antialiasing. The character width is not
// carried over: Qt fonts have no width of their own.
#pragma once

#include <QColor>
#include <QFont>

#include "ui/toolkit/FontSetting.h"
#include "ui/toolkit/Rgb.h"

namespace s::gui::drawer {

QColor toQColor(s::gui::Rgb colour);
QFont toQFont(const s::gui::win::FontSetting& setting);
// The width a one-line text takes in font, rounded up: a text measured
// with it is never elided when drawn in that width.
int textWidth(const QFont& font, const QString& text);

}  // namespace s::gui::drawer
