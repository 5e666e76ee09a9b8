// A small QImage canvas for pixel tests: filled with a colour no drawer uses,
// so untouched pixels are easy to tell apart, and read back as RRGGBB.
#pragma once

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <set>
#include <utility>

#include "ui/toolkit/FontSetting.h"

namespace s::gui::drawer::test {

inline constexpr std::uint32_t kUntouched = 0x12AB34;

class Canvas {
public:
    Canvas(int width, int height, std::uint32_t fill = kUntouched)
        : image_(width, height, QImage::Format_RGB32) {
        image_.fill(QColor::fromRgb(static_cast<QRgb>(fill)));
    }

    // Paints through a painter that lives only for the call, so the image is
    // complete when the call returns.
    template <class Paint>
    Canvas& paint(Paint&& paintWith) {
        QPainter painter(&image_);
        paintWith(painter);
        return *this;
    }

    std::uint32_t at(int x, int y) const { return image_.pixel(x, y) & 0xFFFFFFu; }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    const QImage& image() const { return image_; }

    std::set<std::pair<int, int>> pixelsOf(std::uint32_t colour) const {
        std::set<std::pair<int, int>> found;
        for (int y = 0; y < height(); ++y) {
            for (int x = 0; x < width(); ++x) {
                if (at(x, y) == colour) found.insert({x, y});
            }
        }
        return found;
    }

private:
    QImage image_;
};

// A font whose glyphs land on whole pixels in pure colours: no antialiasing.
inline s::gui::win::FontSetting sharpFont(int pixelHeight) {
    s::gui::win::FontSetting font;
    font.setFace("DejaVu Sans");
    font.setHeight(-pixelHeight);
    font.smoothing = false;
    return font;
}

}  // namespace s::gui::drawer::test
