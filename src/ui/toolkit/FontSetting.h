// s::gui::win::FontSetting -- a logical font description without any
// platform type: face, character height, weight and style flags, a text
// colour, two outline colours and the text effect (0-7) the text drawer
// applies. Drawers hold settings like this and copy them onto a control's
// fonts; every attribute remembers whether it was set explicitly, so that a
// skin or a default never overrides what a control chose itself.
//
// height is a character height in pixels written negative (as font size
// codes produce it: code 0 at scale 1 is -13); 0 means the platform's
// default. The platform layer realises a setting as a QFont.
#pragma once

#include <cstdint>
#include <string>

#include "ui/toolkit/Rgb.h"

namespace s::gui::win {

struct FontSetting {
    enum Attribute : std::uint32_t {
        Face = 1u << 0,
        Height = 1u << 1,
        Width = 1u << 2,
        Weight = 1u << 3,
        Italic = 1u << 4,
        Underline = 1u << 5,
        StrikeOut = 1u << 6,
        Smoothing = 1u << 7,
        TextColour = 1u << 8,
        SecondColour = 1u << 9,
        ThirdColour = 1u << 10,
        Effect = 1u << 11,
    };
    static constexpr std::size_t kMaxFaceLength = 31;
    static constexpr std::int32_t kNormalWeight = 400;
    static constexpr std::int32_t kBoldWeight = 700;

    std::string face;  // empty: the platform's default face
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t weight = kNormalWeight;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool smoothing = true;
    Rgb textColour{};
    Rgb secondColour = Rgb::hex(0xFFFFFF);
    Rgb thirdColour = Rgb::hex(0x333333);
    std::int32_t effect = 0;
    std::uint32_t explicitAttributes = 0;

    bool isExplicit(Attribute attribute) const { return (explicitAttributes & attribute) != 0; }

    void setFace(std::string name) {
        if (name.size() > kMaxFaceLength) name.resize(kMaxFaceLength);
        face = std::move(name);
        explicitAttributes |= Face;
    }
    void setHeight(std::int32_t h) { height = h, explicitAttributes |= Height; }
    void setWeight(std::int32_t w) { weight = w, explicitAttributes |= Weight; }
    void setItalic(bool on) { italic = on, explicitAttributes |= Italic; }
    void setUnderline(bool on) { underline = on, explicitAttributes |= Underline; }
    void setTextColour(Rgb c) { textColour = c, explicitAttributes |= TextColour; }
    void setSecondColour(Rgb c) { secondColour = c, explicitAttributes |= SecondColour; }
    void setThirdColour(Rgb c) { thirdColour = c, explicitAttributes |= ThirdColour; }
    void setEffect(std::int32_t e) { effect = e, explicitAttributes |= Effect; }

    // Copies every attribute of `from` that this setting did not set explicitly.
    void inheritFrom(const FontSetting& from) {
        const std::uint32_t mine = explicitAttributes;
        const FontSetting own = *this;
        *this = from;
        explicitAttributes = mine | from.explicitAttributes;
        if (mine & Face) face = own.face;
        if (mine & Height) height = own.height;
        if (mine & Width) width = own.width;
        if (mine & Weight) weight = own.weight;
        if (mine & Italic) italic = own.italic;
        if (mine & Underline) underline = own.underline;
        if (mine & StrikeOut) strikeOut = own.strikeOut;
        if (mine & Smoothing) smoothing = own.smoothing;
        if (mine & TextColour) textColour = own.textColour;
        if (mine & SecondColour) secondColour = own.secondColour;
        if (mine & ThirdColour) thirdColour = own.thirdColour;
        if (mine & Effect) effect = own.effect;
    }
};

}  // namespace s::gui::win
