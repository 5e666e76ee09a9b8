#include "ui/toolkit/win/Font.h"

#include "ui/drawers/QtConversion.h"
#include "ui/toolkit/DisplayScale.h"
#include "ui/toolkit/FontSizeCode.h"

namespace s::gui::win {

QFont qFontFor(const FontSetting& setting) {
    return s::gui::drawer::toQFont(s::gui::FontSizeCode::resolved(setting));
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
