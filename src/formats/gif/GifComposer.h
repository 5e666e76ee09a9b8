// s::image::gif::win::GifComposer -- shows the frames of a GIF on its
// logical screen the way a web browser does, one after the other.
//
// The screen starts fully transparent. Each frame is drawn at its left/top
// offset, clipped to the screen; its transparent index and pixels its data
// never reached leave the screen as it was. The picture then shown is handed
// out as a screen-sized image, and the frame's disposal method prepares the
// screen for the next frame: 0, 1 and the undefined 4-7 leave it in place,
// 2 clears the frame's rectangle to transparent, 3 restores what the screen
// showed before the frame.
#pragma once

#include <cstdint>

#include "formats/gif/GifFrame.h"
#include "foundation/EasyPooler.h"
#include "image/BufferedImage.h"

namespace s::image::gif::win {

class GifComposer {
public:
    // An empty screen of width x height; false when memory cannot be had.
    bool begin(std::int32_t width, std::int32_t height);

    // Draws the frame, returns the picture now shown (null when memory runs
    // out), then applies the frame's disposal.
    s::thread::Pooled<s::image::win::BufferedImage> add(const GifFrame& frame);

private:
    struct Area {
        std::int32_t left, top, right, bottom;  // on the screen, right/bottom exclusive
        bool empty() const { return left >= right || top >= bottom; }
    };

    Area areaOf(const GifFrame& frame) const;
    void draw(const GifFrame& frame, const Area& area);
    void clear(const Area& area);

    s::thread::Pooled<s::image::win::BufferedImage> screen_;
    s::thread::Pooled<s::image::win::BufferedImage> saved_;
};

}  // namespace s::image::gif::win
