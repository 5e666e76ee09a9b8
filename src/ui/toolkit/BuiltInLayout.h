// s::gui::layout::BuiltIn -- the four built-in layouts: column, row, flow and
// pile. Each sizes and places the children of a container inside its client
// area (children are placed at client coordinates; the container's margins
// are applied through the children's offsets) and returns what the content
// needs: its minimum and natural (maximum) sizes.
//
// Column (row with axes exchanged): every child, hidden or not, takes part.
// Children are clamped to the column width; the height between the sum of
// minima and the sum of maxima is shared in proportion to each child's room
// (shares truncated, leftover pixels to the first children that can grow).
// Spacing separates only children at least 1 pixel high.
// Flow: items left to right, a new row when the next does not fit.
// Pile: every visible child overlaps in one area, at its maximum size.
// Unless the container is frozen, children are frozen while placed and
// thawed afterwards, so each native widget moves once.
#pragma once

#include <cstdint>

namespace s::gui {
class Container;
}

namespace s::gui::layout {

struct Report {
    std::int32_t minWidth = 0, minHeight = 0;
    std::int32_t naturalWidth = 0, naturalHeight = 0;
};

class BuiltIn {
public:
    static Report column(Container& c, std::int32_t hAlign, std::int32_t vAlign,
                         std::int32_t spacing);
    static Report row(Container& c, std::int32_t hAlign, std::int32_t vAlign,
                      std::int32_t spacing);
    static Report flow(Container& c, std::int32_t hAlign, std::int32_t vAlign,
                       std::int32_t gap, std::int32_t rowGap);
    static Report pile(Container& c, std::int32_t hAlign, std::int32_t vAlign);
};

}  // namespace s::gui::layout
