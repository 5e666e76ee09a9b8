// s::gui::Container -- a component that owns children and lays them out:
// boxes, group boxes, the status bar and the window derive from it.
//
// Children are pooled objects owned by the container, kept in insertion
// order (the order of layout). add() hands one in; remove()/removeAll()
// detach and release them to their pools.
//
// Layout: doLayout() runs the layout manager when one is set, else the
// built-in layout of layoutMode (row, column, flow, pile) with the
// container's alignments and spacings, and reports the content's minimum and
// natural sizes; kind 3 then goes to the layout listeners. A layout may start
// at most one nested layout of the same container; deeper re-entry stops.
//
// Building a tree:
//     auto& row = box.add(s::gui::win::Box::take());
//     row.setRow();
//     row.add(s::gui::win::Button::take()).setText("OK");
//     box.doLayout();
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/toolkit/Component.h"
#include "ui/toolkit/ILayoutManager.h"

namespace s::gui {

class Container : public Component {
public:
    enum LayoutMode : std::int32_t { kRow = 0, kColumn = 1, kFlow = 2, kPile = 3 };
    enum Align : std::int32_t { kLeft = 0, kTop = 0, kCentre = 1, kRight = 2, kBottom = 2 };
    // The longest path accepted from a drop; longer ones are left out rather
    // than cut, as a cut path would name another file.
    static constexpr std::size_t kMaxDroppedPathBytes = 4096;

    Container() = default;
    ~Container() override;

    void reset() override;
    bool isContainer() const override { return true; }
    std::size_t childCount() const override { return children_.size(); }
    Component* childAt(std::size_t index) const override;
    const std::vector<Component*>& children() const { return children_; }
    std::int32_t indexOf(const Component* child) const;

    // Appends a child and takes ownership. When this container has a native
    // widget the child's is created at once, its offset becomes the top-left
    // margins (when non-zero), this container lays out and its parent
    // relayouts (twice in flow mode). Returns the child.
    template <class T>
    T& add(s::thread::Pooled<T> child) {
        T* raw = child.release();
        addOwned(raw);
        return *raw;
    }
    // The same for a raw pooled object (ownership passes to the container).
    void addOwned(Component* child);
    // Detaches the child and releases it to its pool; deep removes its own
    // children first. False when child is not a child of this container.
    bool remove(Component* child, bool deep = true);
    void removeAll(bool deep = true);

    // --- layout ---------------------------------------------------------
    void setLayoutManager(ILayoutManager* manager) { manager_ = manager; }
    // The manager in use: the explicit one, else the shared default (FlowH
    // for boxes, Vertical for windows).
    virtual ILayoutManager* layoutManager() const;
    ILayoutManager* explicitLayoutManager() const { return manager_; }
    std::int32_t layoutMode() const { return layoutMode_; }
    void setLayoutMode(std::int32_t mode) { layoutMode_ = mode; }
    void setRow() { layoutMode_ = kRow; }
    void setColumn() { layoutMode_ = kColumn; }
    void setFlow() { layoutMode_ = kFlow; }
    void setPile() { layoutMode_ = kPile; }
    std::int32_t hAlign() const { return hAlign_; }
    std::int32_t vAlign() const { return vAlign_; }
    void setHAlign(std::int32_t a) { hAlign_ = a; }
    void setVAlign(std::int32_t a) { vAlign_ = a; }
    void alignLeft() { hAlign_ = kLeft; }
    void alignCentre() { hAlign_ = kCentre; }
    void alignRight() { hAlign_ = kRight; }
    void alignTop() { vAlign_ = kTop; }
    void alignMiddle() { vAlign_ = kCentre; }
    void alignBottom() { vAlign_ = kBottom; }
    std::int32_t spacingX() const { return spacingX_; }
    std::int32_t spacingY() const { return spacingY_; }
    void setSpacingX(std::int32_t s) { spacingX_ = s; }
    void setSpacingY(std::int32_t s) { spacingY_ = s; }
    // Margin setters relayout.
    void setMarginLeft(std::int32_t m);
    void setMarginRight(std::int32_t m);
    void setMarginTop(std::int32_t m);
    void setMarginBottom(std::int32_t m);
    void setMarginsHorizontal(std::int32_t m);
    void setMarginsVertical(std::int32_t m);
    void setMargins(std::int32_t m);
    void setMargins(std::int32_t left, std::int32_t right, std::int32_t top, std::int32_t bottom);
    std::int32_t layoutDepth() const { return layoutDepth_; }

    void doLayout() override;
    void freeze() override;
    void thaw() override;
    void relabel() override;
    void setVisible(bool show, bool withChildren = true) override;
    void addLayoutListener(s::gui::events::IEventListener* l) { addListener(kLayoutList, l); }

    // Hides every child but child i and shows child i.
    void showOnlyChild(std::size_t index);
    // As showOnlyChild, also parks the others at offset (0, 3000) and locks
    // the visibility of those that are containers; child i is unlocked,
    // its offset reset and shown.
    void showOnlyChildAndCollapse(std::size_t index);

    // --- input ----------------------------------------------------------
    bool acceptsFiles() const { return acceptFiles_; }
    virtual void setAcceptFiles(bool on) { acceptFiles_ = on; }
    void addDropListener(s::gui::events::IEventListener* l) { addListener(kDropped, l); }
    const std::vector<std::string>& droppedPaths() const { return droppedPaths_; }
    // Delivers a drop: keeps the paths in order (empty and over-long ones
    // left out) and raises kind 1. Ignored unless files are accepted.
    virtual bool deliverDroppedFiles(const std::vector<std::string>& paths);
    bool acceptsText() const { return acceptText_; }
    void setAcceptText(bool on) { acceptText_ = on; }
    void addDroppedTextListener(s::gui::events::IEventListener* l) { addListener(kDroppedText, l); }
    const std::string& droppedText() const { return droppedText_; }
    bool deliverDroppedText(const std::string& text);

    void addWheelListener(s::gui::events::IEventListener* l) { addListener(kWheelList, l); }
    std::int32_t wheelDelta() const { return wheelDelta_; }
    // Offers a wheel turn (delta in lines, negative backwards) at a screen
    // point: first to visible container children under it, in order; else,
    // with wheel listeners, keeps the delta and raises kind 2. True when taken.
    bool handleWheel(std::int32_t screenX, std::int32_t screenY, std::int32_t delta);

    bool isClickThrough() const { return clickThrough_; }
    void setClickThrough(bool on) { clickThrough_ = on; }
    // Adds a click listener (kind 6) and turns click-through off.
    void addClickListener(s::gui::events::IEventListener* l);
    bool hasHoverColour() const { return hasHover_; }
    Rgb hoverColour() const { return hover_; }
    void setHoverColour(std::uint8_t r, std::uint8_t g, std::uint8_t b);

protected:
    // The shared default manager a container of this kind reports.
    virtual ILayoutManager* defaultLayoutManager() const;
    // Runs the built-in layout of layoutMode and stores its report.
    virtual void runBuiltInLayout();
    // Called after a child was appended (and attached).
    virtual void childAdded(Component& child);

private:
    std::vector<Component*> children_;
    ILayoutManager* manager_ = nullptr;
    std::int32_t layoutMode_ = kColumn;
    std::int32_t hAlign_ = kLeft, vAlign_ = kTop;
    std::int32_t spacingX_ = 0, spacingY_ = 0;
    std::int32_t layoutDepth_ = 0;
    bool clickThrough_ = true;
    bool acceptFiles_ = false;
    bool acceptText_ = false;
    bool hasHover_ = false;
    Rgb hover_{};
    std::int32_t wheelDelta_ = 0;
    std::vector<std::string> droppedPaths_;
    std::string droppedText_;
};

}  // namespace s::gui
