// s::gui::Component -- one node of a window's component tree: its size model,
// geometry, visibility, enabled state, background and listener lists. Every
// control, box and window derives from it; the platform layer
// (s::gui::win) supplies the native widget through the protected seam below,
// so everything here is plain arithmetic and bookkeeping, testable without a
// display.
//
// Size model (margins are 0 for components that are not containers):
//   minWidth  = 0 with shrinkWidth, else fixedWidth when set, else
//               contentMinWidth + margins, raised to explicitMinWidth.
//   maxWidth  = fixedWidth when set; else percentWidth of the parent's client
//               width (rounded; truncated for group boxes); else
//               max(contentMinWidth, naturalWidth) + margins.
//   effective maximum = max(maxWidth, minWidth). Heights likewise.
// A percentage and a fixed size of one axis exclude each other.
//
// Geometry: setPosition/setSize/setBounds store the values, move the native
// widget (at x + offsetX, y + offsetY) unless frozen, and raise kind 4 to the
// geometry listeners. While frozen (or without a native widget) changes are
// only recorded and `dirty` is set; thaw() applies them in one move.
//
// Listeners: one ordered list per event kind, not owned, called in
// registration order with this component as source. Everything runs on the
// user-interface thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "ui/toolkit/IEventListener.h"
#include "ui/toolkit/Rgb.h"

namespace s::lang {
class Localizer;
}

namespace s::gui {

class Container;

class Component : public s::base::IObject,
                  public s::thread::IPoolable,
                  public s::gui::events::IEventListener {
public:
    // Event kinds raised by boxes and containers.
    enum BoxEvent : std::int32_t {
        kDropped = 1,
        kWheel = 2,
        kLaidOut = 3,
        kGeometry = 4,
        kPaint = 5,
        kClick = 6,
        kDroppedText = 7,
    };
    // Lists of their own for the layout and wheel listeners: a window raises
    // its own kinds 2 (user event) and 3 (right press) to the lists named
    // by those numbers, and a layout or a wheel turn must not reach them.
    static constexpr std::int32_t kLayoutList = 203;
    static constexpr std::int32_t kWheelList = 202;
    static constexpr std::int32_t kNone = -1;
    // The platform's button-face colour, the reset background.
    static constexpr Rgb kButtonFace = Rgb::hex(0xF0F0F0);

    Component() = default;
    ~Component() override = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    // Clears every property to its reset value, empties the listener lists
    // and destroys the native widget. Subclasses extend it.
    void reset() override;
    // Components are listeners too; by default they ignore events.
    void onEvent(s::base::IObject& source, std::int32_t kind) override;

    // --- position -------------------------------------------------------
    std::int32_t x() const { return x_; }
    std::int32_t y() const { return y_; }
    void setX(std::int32_t x) { setPosition(x, y_); }
    void setY(std::int32_t y) { setPosition(x_, y); }
    std::int32_t offsetX() const { return offsetX_; }
    std::int32_t offsetY() const { return offsetY_; }
    // Screen position of the native widget when it exists, else x + offsetX.
    std::int32_t screenX() const;
    std::int32_t screenY() const;
    // Visible and the screen point lies inside.
    bool contains(std::int32_t screenX, std::int32_t screenY) const;

    // --- size -----------------------------------------------------------
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    void setWidth(std::int32_t w) { setSize(w, height_); }
    void setHeight(std::int32_t h) { setSize(width_, h); }
    std::int32_t clientWidth() const;
    std::int32_t clientHeight() const;
    void setClientWidth(std::int32_t w);
    void setClientHeight(std::int32_t h);

    // --- geometry -------------------------------------------------------
    void setPosition(std::int32_t x, std::int32_t y);
    void setSize(std::int32_t w, std::int32_t h);
    void setBounds(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);
    void setOffset(std::int32_t dx, std::int32_t dy);
    void moveOffset(std::int32_t ddx, std::int32_t ddy);
    // Width and height limited to [min, effective max], then doLayout().
    void setSizeClamped(std::int32_t w, std::int32_t h);

    // --- size model -----------------------------------------------------
    std::int32_t contentMinWidth() const { return contentMinWidth_; }
    std::int32_t contentMinHeight() const { return contentMinHeight_; }
    std::int32_t naturalWidth() const { return naturalWidth_; }
    std::int32_t naturalHeight() const { return naturalHeight_; }
    void setContentMin(std::int32_t w, std::int32_t h);
    void setNatural(std::int32_t w, std::int32_t h);
    std::int32_t percentWidth() const { return percentWidth_; }
    std::int32_t percentHeight() const { return percentHeight_; }
    std::int32_t fixedWidth() const { return fixedWidth_; }
    std::int32_t fixedHeight() const { return fixedHeight_; }
    // Each clears the other kind of size of its axis; with relayout the
    // parent lays out again.
    void setPercentWidth(std::int32_t percent, bool relayout = false);
    void setPercentHeight(std::int32_t percent, bool relayout = false);
    void setFixedWidth(std::int32_t w, bool relayout = false);
    void setFixedHeight(std::int32_t h, bool relayout = false);
    void setFixedSize(std::int32_t w, std::int32_t h, bool relayout = false);
    // Both percentages 100.
    void fill(bool relayout = false);
    std::int32_t explicitMinWidth() const { return explicitMinWidth_; }
    void setExplicitMinWidth(std::int32_t w) { explicitMinWidth_ = w; }
    bool shrinkWidth() const { return shrinkWidth_; }
    bool shrinkHeight() const { return shrinkHeight_; }
    void setShrinkWidth(bool on) { shrinkWidth_ = on; }
    void setShrinkHeight(bool on) { shrinkHeight_ = on; }

    std::int32_t marginLeft() const { return marginLeft_; }
    std::int32_t marginRight() const { return marginRight_; }
    std::int32_t marginTop() const { return marginTop_; }
    std::int32_t marginBottom() const { return marginBottom_; }

    std::int32_t minWidth() const;
    std::int32_t minHeight() const;
    std::int32_t maxWidth() const;
    std::int32_t maxHeight() const;
    std::int32_t effectiveMaxWidth() const;
    std::int32_t effectiveMaxHeight() const;
    std::int32_t clientMinWidth() const { return minWidth() - marginLeft_ - marginRight_; }
    std::int32_t clientMinHeight() const { return minHeight() - marginTop_ - marginBottom_; }
    std::int32_t clientMaxWidth() const { return maxWidth() - marginLeft_ - marginRight_; }
    std::int32_t clientMaxHeight() const { return maxHeight() - marginTop_ - marginBottom_; }

    // --- visibility and state ---------------------------------------------
    bool isVisible() const { return visible_; }
    // Showing: shows the native widget (and the children with withChildren)
    // and asks the parent to relayout. Hiding: hides the native widget and
    // every child; the parent keeps its layout. Nothing while locked.
    virtual void setVisible(bool show, bool withChildren = true);
    bool isVisibilityLocked() const { return visibilityLocked_; }
    void lockVisibility(bool locked) { visibilityLocked_ = locked; }
    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool on);
    // Read-only switch of text fields and combo boxes; others ignore it.
    virtual void setEditable(bool on);

    // Centring in the parent's client area (offsets; never negative).
    void centre();
    void centreHorizontally();
    void centreVertically();

    // --- background -----------------------------------------------------
    Rgb background() const { return background_; }
    bool isTransparent() const { return transparent_; }
    void setTransparent(bool on, bool redraw = true);
    void setWhite(bool redraw = true);
    void setBlack(bool redraw = true);
    void setTint(bool redraw = true);
    // Opaque, in the platform's button-face colour.
    void resetBackground(bool redraw = true);
    // Opaque in the colour given.
    void setBackground(std::uint8_t r, std::uint8_t g, std::uint8_t b, bool redraw = true);

    // --- tree -----------------------------------------------------------
    Container* parent() const { return parent_; }
    // The top-level component above (a window), or this when it has no parent.
    Component* topLevel();
    virtual bool isContainer() const { return false; }
    virtual std::size_t childCount() const { return 0; }
    virtual Component* childAt(std::size_t) const { return nullptr; }
    // The localizer of the window this component belongs to, or null.
    virtual s::lang::Localizer* localizer();
    // Re-reads every text given by a language id, here and below.
    virtual void relabel();

    // --- drawing and layout ---------------------------------------------
    void redraw();
    void redrawArea(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h);
    // Runs doLayout().
    void relayout() { doLayout(); }
    // Asks the parent (if any) to lay out again.
    void relayoutParent();
    bool isFrozen() const { return frozen_; }
    bool isDirty() const { return dirty_; }
    virtual void freeze();
    virtual void thaw();
    // Containers lay out their children; leaves do nothing.
    virtual void doLayout() {}

    // --- listeners ------------------------------------------------------
    void addListener(std::int32_t kind, s::gui::events::IEventListener* listener);
    void removeListener(std::int32_t kind, s::gui::events::IEventListener* listener);
    void addGeometryListener(s::gui::events::IEventListener* l) { addListener(kGeometry, l); }
    // Calls onEvent(*this, kind) on each listener of kind, in order.
    void raise(std::int32_t kind) { raiseTo(kind, kind); }
    // Calls onEvent(*this, reported) on each listener of the list `list`.
    void raiseTo(std::int32_t list, std::int32_t reported);
    void raiseFrom(s::base::IObject& source, std::int32_t list, std::int32_t reported);
    bool hasListeners(std::int32_t kind) const;

    // --- accessibility --------------------------------------------------
    // An explicit accessible name replaces the one made from the visible text.
    void setAccessibleName(std::string name);
    void setAccessibleDescription(std::string description);
    const std::string& explicitAccessibleName() const { return accessibleName_; }
    const std::string& accessibleDescription() const { return accessibleDescription_; }

    // --- native seam ----------------------------------------------------
    virtual bool hasNative() const { return false; }
    // Creates the native widget of this component and its children, applying
    // every stored property; called when attached to a parent that has one.
    void attachNative();
    // Destroys the native widgets below and of this component.
    void detachNative();

protected:
    friend class Container;

    // The platform layer overrides these. createNative returns false when
    // the platform refused the widget (the component then stays without).
    virtual bool createNative() { return false; }
    virtual void destroyNative() {}
    virtual void nativeSetGeometry(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
    virtual void nativeSetVisible(bool) {}
    virtual void nativeSetEnabled(bool) {}
    virtual void nativeRedraw(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
    virtual void nativeScreenPosition(std::int32_t& x, std::int32_t& y) const;
    virtual void nativeAccessibilityChanged() {}
    // Whether the percentage rule truncates (group boxes) instead of rounding.
    virtual bool truncatesPercent() const { return false; }

    // Applies the stored geometry to the native widget (no-op without one).
    void applyGeometry();
    void setMarginsRaw(std::int32_t l, std::int32_t r, std::int32_t t, std::int32_t b);
    void setParentRaw(Container* parent) { parent_ = parent; }
    // Record what the platform did by itself (the user resized, moved or
    // hid a window) without moving the native widget again.
    void setSizeRaw(std::int32_t w, std::int32_t h) { width_ = w, height_ = h; }
    void setPositionRaw(std::int32_t x, std::int32_t y) { x_ = x, y_ = y; }
    void setVisibleRaw(bool on) { visible_ = on; }

private:
    struct ListenerList {
        std::int32_t kind;
        std::vector<s::gui::events::IEventListener*> listeners;
    };
    std::int32_t percentOf(std::int32_t parentClient, std::int32_t percent) const;

    Container* parent_ = nullptr;
    std::int32_t x_ = 0, y_ = 0;
    std::int32_t offsetX_ = 0, offsetY_ = 0;
    std::int32_t width_ = 0, height_ = 0;
    std::int32_t contentMinWidth_ = 0, contentMinHeight_ = 0;
    std::int32_t naturalWidth_ = 0, naturalHeight_ = 0;
    std::int32_t percentWidth_ = kNone, percentHeight_ = kNone;
    std::int32_t fixedWidth_ = kNone, fixedHeight_ = kNone;
    std::int32_t explicitMinWidth_ = kNone;
    bool shrinkWidth_ = false, shrinkHeight_ = false;
    std::int32_t marginLeft_ = 0, marginRight_ = 0, marginTop_ = 0, marginBottom_ = 0;
    Rgb background_ = kButtonFace;
    bool transparent_ = true;
    bool visible_ = true;
    bool visibilityLocked_ = false;
    bool enabled_ = true;
    bool frozen_ = false;
    bool dirty_ = false;
    std::vector<ListenerList> lists_;
    std::string accessibleName_;
    std::string accessibleDescription_;
};

}  // namespace s::gui
