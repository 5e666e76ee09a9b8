#include "ui/toolkit/BuiltInLayout.h"

#include <algorithm>

#include "ui/toolkit/Container.h"

namespace s::gui::layout {
namespace {

// One axis of a line layout. The column runs along heights, the row along
// widths; `along` is the axis children are stacked on.
struct Axis {
    bool horizontal;
    std::int32_t along(const Component& c) const { return horizontal ? c.width() : c.height(); }
    std::int32_t across(const Component& c) const { return horizontal ? c.height() : c.width(); }
    std::int32_t minAlong(const Component& c) const {
        return horizontal ? c.minWidth() : c.minHeight();
    }
    std::int32_t minAcross(const Component& c) const {
        return horizontal ? c.minHeight() : c.minWidth();
    }
    std::int32_t maxAlong(const Component& c) const {
        return horizontal ? c.effectiveMaxWidth() : c.effectiveMaxHeight();
    }
    std::int32_t maxAcross(const Component& c) const {
        return horizontal ? c.effectiveMaxHeight() : c.effectiveMaxWidth();
    }
    std::int32_t clientAlong(const Container& c) const {
        return horizontal ? c.clientWidth() : c.clientHeight();
    }
    std::int32_t clientAcross(const Container& c) const {
        return horizontal ? c.clientHeight() : c.clientWidth();
    }
    void clamp(Component& c, std::int32_t along, std::int32_t across) const {
        if (horizontal)
            c.setSizeClamped(along, across);
        else
            c.setSizeClamped(across, along);
    }
    void place(Component& c, std::int32_t along, std::int32_t across, const Container& in) const {
        if (horizontal)
            c.setPosition(in.marginLeft() + along, in.marginTop() + across);
        else
            c.setPosition(in.marginLeft() + across, in.marginTop() + along);
    }
};

// Offset of content of size `size` in `room` by an alignment (0 start, 1
// centre, 2 end); 0 when the content does not fit.
std::int32_t aligned(std::int32_t align, std::int32_t room, std::int32_t size) {
    const std::int32_t rest = room - size;
    if (rest < 1) return 0;
    if (align == Container::kCentre) return rest / 2;
    if (align == Container::kRight) return rest;
    return 0;
}

void freezeChildren(Container& c) {
    if (c.isFrozen()) return;
    for (Component* child : c.children()) child->freeze();
}

// Thaws every child so each native widget moves once. A child container is
// thawed on its own first and then laid out at its new size, which places
// (and thaws) its own children.
void thawChildren(Container& c) {
    if (c.isFrozen()) return;
    for (Component* child : c.children()) {
        if (child->isContainer()) {
            static_cast<Container*>(child)->Component::thaw();
            child->doLayout();
            for (std::size_t i = 0; i < child->childCount(); ++i) child->childAt(i)->thaw();
        } else {
            child->thaw();
        }
        child->redraw();
    }
}

// Sum of sizes with `gap` between two consecutive children that are at least
// one pixel long (no gap after the last such child).
std::int32_t sumWithGaps(const std::vector<std::int32_t>& sizes, std::int32_t gap) {
    std::int32_t total = 0;
    bool seen = false;
    for (std::int32_t size : sizes) {
        if (size >= 1) {
            if (seen) total += gap;
            seen = true;
        }
        total += size;
    }
    return total;
}

Report line(Container& c, const Axis& axis, std::int32_t alignAlong, std::int32_t alignAcross,
            std::int32_t gap) {
    freezeChildren(c);
    const auto& kids = c.children();
    std::int32_t minAcross = 0, maxAcross = 0;
    for (const Component* child : kids) {
        minAcross = std::max(minAcross, axis.minAcross(*child));
        maxAcross = std::max(maxAcross, axis.maxAcross(*child));
    }
    const std::int32_t crossSize = std::max(axis.clientAcross(c), minAcross);
    for (Component* child : kids) axis.clamp(*child, 0, crossSize);

    std::vector<std::int32_t> sizes, maxima;
    for (const Component* child : kids) {
        sizes.push_back(axis.along(*child));
        maxima.push_back(axis.maxAlong(*child));
    }
    const std::int32_t totalMin = sumWithGaps(sizes, gap);
    const std::int32_t totalMax = sumWithGaps(maxima, gap);
    const std::int32_t available = std::max(axis.clientAlong(c), totalMin);
    std::int32_t extra = available - totalMin;

    if (extra >= 1 && totalMin < totalMax) {
        if (available < totalMax) {
            const float ratio =
                static_cast<float>(extra) / static_cast<float>(totalMax - totalMin);
            for (std::size_t i = 0; i < kids.size() && extra > 0; ++i) {
                const std::int32_t room = maxima[i] - sizes[i];
                if (room <= 0) continue;
                const std::int32_t grow =
                    std::min(extra, static_cast<std::int32_t>(ratio * static_cast<float>(room)));
                sizes[i] += grow;
                extra -= grow;
            }
            for (std::size_t i = 0; i < kids.size() && extra > 0; ++i) {
                const std::int32_t grow = std::min(extra, maxima[i] - sizes[i]);
                if (grow <= 0) continue;
                sizes[i] += grow;
                extra -= grow;
            }
            for (std::size_t i = 0; i < kids.size(); ++i)
                axis.clamp(*kids[i], sizes[i], axis.across(*kids[i]));
        } else {
            for (Component* child : kids)
                axis.clamp(*child, axis.maxAlong(*child), axis.across(*child));
            extra = available - totalMax;
        }
    }

    std::int32_t pos = extra < 1 ? 0 : aligned(alignAlong, extra, 0);
    for (Component* child : kids) {
        axis.place(*child, pos, aligned(alignAcross, crossSize, axis.across(*child)), c);
        const std::int32_t size = axis.along(*child);
        pos += size + (size >= 1 ? gap : 0);
    }
    thawChildren(c);
    if (axis.horizontal) return Report{totalMin, minAcross, totalMax, maxAcross};
    return Report{minAcross, totalMin, maxAcross, totalMax};
}

struct FlowRow {
    std::size_t first = 0, end = 0;  // children [first, end)
    std::int32_t width = 0, height = 0, maxHeight = 0;
};

bool separated(const Component& child) { return child.isVisible() && child.width() >= 1; }

std::vector<FlowRow> breakRows(Container& c, std::int32_t rowWidth, std::int32_t gap) {
    std::vector<FlowRow> rows;
    bool rowHasSeparated = false;
    const auto& kids = c.children();
    for (std::size_t i = 0; i < kids.size(); ++i) {
        Component& child = *kids[i];
        child.setSizeClamped(rowWidth, 0);
        std::int32_t g = rowHasSeparated && separated(child) ? gap : 0;
        const bool rowEmpty = rows.empty() || rows.back().end == rows.back().first;
        if (rows.empty() || (!rowEmpty && rowWidth - rows.back().width - g - child.width() < 0)) {
            rows.push_back(FlowRow{i, i, 0, 0, 0});
            rowHasSeparated = false;
            g = 0;
        }
        FlowRow& row = rows.back();
        row.width += g + child.width();
        row.end = i + 1;
        rowHasSeparated = rowHasSeparated || separated(child);
    }
    return rows;
}

void measureRows(const Container& c, std::vector<FlowRow>& rows) {
    for (FlowRow& row : rows) {
        row.height = row.maxHeight = 0;
        for (std::size_t i = row.first; i < row.end; ++i) {
            row.height = std::max(row.height, c.children()[i]->height());
            row.maxHeight = std::max(row.maxHeight, c.children()[i]->effectiveMaxHeight());
        }
    }
}

std::int32_t stackRows(const std::vector<FlowRow>& rows, std::int32_t rowGap, bool maxima) {
    std::int32_t total = 0;
    for (std::size_t i = 0; i < rows.size(); ++i)
        total += (i ? rowGap : 0) + (maxima ? rows[i].maxHeight : rows[i].height);
    return total;
}

}  // namespace

Report BuiltIn::column(Container& c, std::int32_t hAlign, std::int32_t vAlign,
                       std::int32_t spacing) {
    return line(c, Axis{false}, vAlign, hAlign, spacing);
}

Report BuiltIn::row(Container& c, std::int32_t hAlign, std::int32_t vAlign, std::int32_t spacing) {
    return line(c, Axis{true}, hAlign, vAlign, spacing);
}

Report BuiltIn::flow(Container& c, std::int32_t hAlign, std::int32_t vAlign, std::int32_t gap,
                     std::int32_t rowGap) {
    freezeChildren(c);
    const auto& kids = c.children();
    std::int32_t minW = 0, maxW = 0;
    bool anySeparated = false;
    for (const Component* child : kids) {
        minW = std::max(minW, child->minWidth());
        const bool counts = child->isVisible() && child->minWidth() > 0;
        if (counts && anySeparated) maxW += gap;
        anySeparated = anySeparated || counts;
        maxW += child->effectiveMaxWidth();
    }
    const std::int32_t rowWidth = std::max(c.clientWidth(), minW);
    std::vector<FlowRow> rows = breakRows(c, rowWidth, gap);
    measureRows(c, rows);
    const std::int32_t totalMin = stackRows(rows, rowGap, false);
    const std::int32_t totalMax = stackRows(rows, rowGap, true);
    std::int32_t extra = std::max(c.clientHeight(), totalMin) - totalMin;

    if (extra > 0 && totalMin < totalMax) {
        const float ratio = static_cast<float>(extra) / static_cast<float>(totalMax - totalMin);
        for (Component* child : kids) {
            const std::int32_t room = child->effectiveMaxHeight() - child->height();
            if (room <= 0) continue;
            const auto grow = static_cast<std::int32_t>(ratio * static_cast<float>(room));
            child->setSizeClamped(child->width(), child->height() + grow);
        }
        measureRows(c, rows);
        extra = std::max(0, std::max(c.clientHeight(), totalMin) - stackRows(rows, rowGap, false));
    }

    std::int32_t top = extra < 1 ? 0 : aligned(vAlign, extra, 0);
    for (const FlowRow& row : rows) {
        std::int32_t left = aligned(hAlign, rowWidth, row.width);
        bool rowHasSeparated = false;
        for (std::size_t i = row.first; i < row.end; ++i) {
            Component& child = *kids[i];
            if (rowHasSeparated && separated(child)) left += gap;
            child.setPosition(c.marginLeft() + left, c.marginTop() + top);
            left += child.width();
            rowHasSeparated = rowHasSeparated || separated(child);
        }
        top += row.height + rowGap;
    }
    thawChildren(c);
    return Report{minW, totalMin, maxW, totalMax};
}

Report BuiltIn::pile(Container& c, std::int32_t hAlign, std::int32_t vAlign) {
    freezeChildren(c);
    std::vector<Component*> shown;
    for (Component* child : c.children())
        if (child->isVisible()) shown.push_back(child);
    std::int32_t minW = 0, maxW = 0, minH = 0, maxH = 0;
    for (const Component* child : shown) {
        minW = std::max(minW, child->minWidth());
        maxW = std::max(maxW, child->effectiveMaxWidth());
    }
    const std::int32_t areaW = std::max(c.clientWidth(), minW);
    for (Component* child : shown) child->setSizeClamped(areaW, 0);
    for (const Component* child : shown) {
        minH = std::max(minH, child->minHeight());
        maxH = std::max(maxH, child->effectiveMaxHeight());
    }
    const std::int32_t areaH = std::max(c.clientHeight(), minH);
    for (Component* child : shown)
        if (child->height() < child->maxHeight())
            child->setSizeClamped(child->width(), child->maxHeight());
    for (Component* child : shown)
        child->setPosition(c.marginLeft() + aligned(hAlign, areaW, child->width()),
                           c.marginTop() + aligned(vAlign, areaH, child->height()));
    thawChildren(c);
    return Report{minW, minH, maxW, maxH};
}

}  // namespace s::gui::layout
