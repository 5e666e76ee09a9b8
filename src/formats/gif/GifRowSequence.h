// s::image::gif::win::GifRowSequence -- the order in which a GIF frame's
// rows arrive in its image data.
//
// Plain frames deliver rows top to bottom. Interlaced frames deliver them in
// four passes: every 8th row from row 0, every 8th from row 4, every 4th from
// row 2, then every 2nd from row 1; a pass whose first row lies beyond the
// frame is skipped. The sequence never yields a row outside [0, height).
#pragma once

#include <cstdint>

namespace s::image::gif::win {

class GifRowSequence {
public:
    GifRowSequence(std::int32_t height, bool interlaced);

    // The current row, or -1 once every row has been delivered.
    std::int32_t row() const { return row_; }
    // Moves to the next row; false when there is none.
    bool advance();

    // How many rows arrive before row y (0 for the first row delivered).
    static std::int32_t position(std::int32_t y, std::int32_t height, bool interlaced);

private:
    // Moves to the first row of the next pass that has one.
    void startPass(std::int32_t pass);

    std::int32_t height_;
    bool interlaced_;
    std::int32_t pass_ = 0;
    std::int32_t row_ = -1;
};

}  // namespace s::image::gif::win
