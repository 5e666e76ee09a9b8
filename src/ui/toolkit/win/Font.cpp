#include "ui/toolkit/win/Font.h"

#include "ui/toolkit/DisplayScale.h"
#include "ui/toolkit/FontSizeCode.h"

namespace s::gui::win {

QFont qFontFor(const FontSetting& setting) {
    QFont font;
    const std::int32_t height = s::gui::FontSizeCode::resolved(setting).height;
    if (!setting.face.empty()) font.setFamily(QString::fromStdString(setting.face));
    font.setPixelSize(height < 0 ? -height : height);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(setting.weight / 1, 1, 1000)));
    font.setItalic(setting.italic);
    font.setUnderline(setting.underline);
    font.setStrikeOut(setting.strikeOut);
    if (!setting.smoothing) font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void Font::reset() {
    setting_ = FontSetting{};
    rebuild();
}

void Font::setSetting(const FontSetting& setting) {
    setting_ = setting;
    rebuild();
}

void Font::applyDefaults(const FontSetting& defaults) {
    setting_.inheritFrom(defaults);
    rebuild();
}

bool Font::setSizeCode(std::int32_t code) {
    if (!s::gui::FontSizeCode::apply(code, s::gui::DisplayScale::get(), setting_)) return false;
    rebuild();
    return true;
}

void Font::setFace(std::string face) {
    setting_.setFace(std::move(face));
    rebuild();
}

void Font::setBold(bool on) {
    setting_.setWeight(on ? FontSetting::kBoldWeight : FontSetting::kNormalWeight);
    rebuild();
}

void Font::setUnderline(bool on) {
    setting_.setUnderline(on);
    rebuild();
}

void Font::setTextColour(Rgb colour) {
    setting_.setTextColour(colour);
    rebuild();
}

}  // namespace s::gui::win
