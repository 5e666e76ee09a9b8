#include "ui/drawers/statusbar/Basic.h"

#include "ui/drawers/PixelPen.h"

namespace s::gui::drawer::statusbar::win {

using s::gui::Rgb;

namespace {

// Rows counted from the top (fromBottom false) or from the bottom edge.
struct GradientBand {
    std::int32_t first;
    std::int32_t last;
    bool fromBottom;
    Rgb colour;
};

constexpr GradientBand kBands[] = {
    {0, 0, false, Rgb::hex(0x959385)}, {1, 1, false, Rgb::hex(0xBFBDB0)},
    {2, 2, false, Rgb::hex(0xD7D4C5)}, {3, 3, false, Rgb::hex(0xE8E5D4)},
    {4, 4, false, Rgb::hex(0xEEEBD9)}, {5, -10, false, Rgb::hex(0xECE9D8)},
    {9, 7, true, Rgb::hex(0xEBE8D4)},  {6, 6, true, Rgb::hex(0xEAE6D3)},
    {5, 5, true, Rgb::hex(0xE7E4D1)},  {4, 4, true, Rgb::hex(0xE3E1CD)},
    {3, 3, true, Rgb::hex(0xDDDBC7)},  {2, 2, true, Rgb::hex(0xD9D6C0)},
    {1, 1, true, Rgb::hex(0xDFDCCA)},
};

// Pixels of rows 0 and 1 near each side, lightened towards the bar's body so
// the two top corners look rounded: {row, distance from the side, colour}.
struct CornerPixel {
    std::int32_t row;
    std::int32_t fromSide;
    Rgb colour;
};

constexpr CornerPixel kCorner[] = {
    {0, 0, Rgb::hex(0xECE9D8)}, {0, 1, Rgb::hex(0xE0DDCC)}, {0, 2, Rgb::hex(0xC9C6B8)},
    {0, 3, Rgb::hex(0xB0AE9F)}, {0, 4, Rgb::hex(0xA2A092)}, {0, 5, Rgb::hex(0x9A988A)},
    {0, 6, Rgb::hex(0x979587)}, {1, 0, Rgb::hex(0xE0DDCC)}, {1, 1, Rgb::hex(0xCFCCBF)},
    {1, 2, Rgb::hex(0xC5C3B6)},
};

}  // namespace

void Basic::paint(QPainter& painter, std::int32_t left, std::int32_t top, std::int32_t right,
                  std::int32_t bottom) const {
    if (PixelPen::isEmpty(left, top, right, bottom)) return;
    if (gradient_) paintGradient(painter, left, top, right, bottom);
    if (showGrip_) resizer_.paint(painter, left, top, right, bottom);
}

void Basic::paintGradient(QPainter& painter, std::int32_t left, std::int32_t top,
                          std::int32_t right, std::int32_t bottom) const {
    PixelPen pen(painter, left, top, right, bottom);
    const std::int32_t w = pen.width();
    const std::int32_t h = pen.height();
    for (const GradientBand& band : kBands) {
        std::int32_t first = band.fromBottom ? h - band.first : band.first;
        std::int32_t last = band.fromBottom ? h - band.last : band.last;
        if (!band.fromBottom && last < 0) last += h;  // "5 to h - 10"
        first = std::max(first, 0);
        last = std::min(last, h - 1);
        if (last >= first) pen.fill(0, first, w, last - first + 1, band.colour);
    }
    for (const CornerPixel& corner : kCorner) {
        if (corner.row >= h || 2 * corner.fromSide >= w) continue;
        pen.pixel(corner.fromSide, corner.row, corner.colour);
        pen.pixel(w - 1 - corner.fromSide, corner.row, corner.colour);
    }
}

}  // namespace s::gui::drawer::statusbar::win
