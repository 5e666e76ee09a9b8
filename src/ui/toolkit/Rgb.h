// s::gui::Rgb -- an opaque colour, 8 bits per channel, as the toolkit, its
// drawers and skins store colours. Rgb::hex(0x919B9C) reads as RRGGBB.
#pragma once

#include <cstdint>

namespace s::gui {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;

    static constexpr Rgb hex(std::uint32_t rrggbb) {
        return Rgb{static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
                   static_cast<std::uint8_t>(rrggbb)};
    }
    constexpr std::uint32_t toHex() const {
        return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
    }
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

}  // namespace s::gui
