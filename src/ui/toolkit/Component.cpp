#include "ui/toolkit/Component.h"

#include <algorithm>
#include <cmath>

#include "ui/toolkit/Container.h"

namespace s::gui {

void Component::reset() {
    detachNative();
    parent_ = nullptr;
    x_ = y_ = offsetX_ = offsetY_ = width_ = height_ = 0;
    contentMinWidth_ = contentMinHeight_ = naturalWidth_ = naturalHeight_ = 0;
    percentWidth_ = percentHeight_ = fixedWidth_ = fixedHeight_ = kNone;
    explicitMinWidth_ = kNone;
    shrinkWidth_ = shrinkHeight_ = false;
    marginLeft_ = marginRight_ = marginTop_ = marginBottom_ = 0;
    background_ = kButtonFace;
    transparent_ = true;
    visible_ = true;
    visibilityLocked_ = false;
    enabled_ = true;
    frozen_ = dirty_ = false;
    lists_.clear();
    accessibleName_.clear();
    accessibleDescription_.clear();
}

void Component::onEvent(s::base::IObject&, std::int32_t) {}

std::int32_t Component::screenX() const {
    std::int32_t x = x_ + offsetX_, y = y_ + offsetY_;
    nativeScreenPosition(x, y);
    return x;
}

std::int32_t Component::screenY() const {
    std::int32_t x = x_ + offsetX_, y = y_ + offsetY_;
    nativeScreenPosition(x, y);
    return y;
}

void Component::nativeScreenPosition(std::int32_t&, std::int32_t&) const {}

bool Component::contains(std::int32_t sx, std::int32_t sy) const {
    if (!visible_) return false;
    const std::int32_t left = screenX(), top = screenY();
    return sx >= left && sy >= top && sx < left + width_ && sy < top + height_;
}

std::int32_t Component::clientWidth() const {
    return std::max(0, width_ - marginLeft_ - marginRight_);
}

std::int32_t Component::clientHeight() const {
    return std::max(0, height_ - marginTop_ - marginBottom_);
}

void Component::setClientWidth(std::int32_t w) { setSize(w + marginLeft_ + marginRight_, height_); }

void Component::setClientHeight(std::int32_t h) { setSize(width_, h + marginTop_ + marginBottom_); }

void Component::applyGeometry() {
    if (!hasNative() || frozen_) {
        dirty_ = true;
        return;
    }
    nativeSetGeometry(x_ + offsetX_, y_ + offsetY_, width_, height_);
    dirty_ = false;
}

void Component::setPosition(std::int32_t x, std::int32_t y) {
    x_ = x, y_ = y;
    applyGeometry();
    raise(kGeometry);
}

void Component::setSize(std::int32_t w, std::int32_t h) {
    width_ = w, height_ = h;
    applyGeometry();
    raise(kGeometry);
}

void Component::setBounds(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    x_ = x, y_ = y, width_ = w, height_ = h;
    applyGeometry();
    raise(kGeometry);
}

void Component::setOffset(std::int32_t dx, std::int32_t dy) {
    offsetX_ = dx, offsetY_ = dy;
    applyGeometry();
}

void Component::moveOffset(std::int32_t ddx, std::int32_t ddy) {
    setOffset(offsetX_ + ddx, offsetY_ + ddy);
}

void Component::setSizeClamped(std::int32_t w, std::int32_t h) {
    const std::int32_t width = std::clamp(w, minWidth(), effectiveMaxWidth());
    const std::int32_t height = std::clamp(h, minHeight(), effectiveMaxHeight());
    setSize(width, height);
    doLayout();
}

void Component::setContentMin(std::int32_t w, std::int32_t h) {
    contentMinWidth_ = w, contentMinHeight_ = h;
}

void Component::setNatural(std::int32_t w, std::int32_t h) { naturalWidth_ = w, naturalHeight_ = h; }

void Component::setPercentWidth(std::int32_t percent, bool relayout) {
    percentWidth_ = percent, fixedWidth_ = kNone;
    if (relayout) relayoutParent();
}

void Component::setPercentHeight(std::int32_t percent, bool relayout) {
    percentHeight_ = percent, fixedHeight_ = kNone;
    if (relayout) relayoutParent();
}

void Component::setFixedWidth(std::int32_t w, bool relayout) {
    fixedWidth_ = w, percentWidth_ = kNone;
    if (relayout) relayoutParent();
}

void Component::setFixedHeight(std::int32_t h, bool relayout) {
    fixedHeight_ = h, percentHeight_ = kNone;
    if (relayout) relayoutParent();
}

void Component::setFixedSize(std::int32_t w, std::int32_t h, bool relayout) {
    setFixedWidth(w);
    setFixedHeight(h, relayout);
}

void Component::fill(bool relayout) {
    setPercentWidth(100);
    setPercentHeight(100, relayout);
}

std::int32_t Component::minWidth() const {
    if (shrinkWidth_) return 0;
    if (fixedWidth_ != kNone) return fixedWidth_;
    const std::int32_t content = contentMinWidth_ + marginLeft_ + marginRight_;
    return explicitMinWidth_ != kNone ? std::max(content, explicitMinWidth_) : content;
}

std::int32_t Component::minHeight() const {
    if (shrinkHeight_) return 0;
    if (fixedHeight_ != kNone) return fixedHeight_;
    return contentMinHeight_ + marginTop_ + marginBottom_;
}

std::int32_t Component::percentOf(std::int32_t parentClient, std::int32_t percent) const {
    const std::int64_t product = std::int64_t{parentClient} * percent;
    if (truncatesPercent()) return static_cast<std::int32_t>(product / 100);
    return static_cast<std::int32_t>(std::lround(static_cast<double>(product) / 100.0));
}

std::int32_t Component::maxWidth() const {
    if (fixedWidth_ != kNone) return fixedWidth_;
    if (percentWidth_ != kNone)
        return percentOf(parent_ ? parent_->clientWidth() : 0, percentWidth_);
    return std::max(contentMinWidth_, naturalWidth_) + marginLeft_ + marginRight_;
}

std::int32_t Component::maxHeight() const {
    if (fixedHeight_ != kNone) return fixedHeight_;
    if (percentHeight_ != kNone)
        return percentOf(parent_ ? parent_->clientHeight() : 0, percentHeight_);
    return std::max(contentMinHeight_, naturalHeight_) + marginTop_ + marginBottom_;
}

std::int32_t Component::effectiveMaxWidth() const { return std::max(maxWidth(), minWidth()); }

std::int32_t Component::effectiveMaxHeight() const { return std::max(maxHeight(), minHeight()); }

void Component::setVisible(bool show, bool withChildren) {
    if (visibilityLocked_ || show == visible_) return;
    visible_ = show;
    if (show) {
        nativeSetVisible(true);
        if (withChildren)
            for (std::size_t i = 0; i < childCount(); ++i) childAt(i)->setVisible(true, true);
        relayoutParent();
        relayoutParent();
    } else {
        nativeSetVisible(false);
        for (std::size_t i = 0; i < childCount(); ++i) childAt(i)->setVisible(false, true);
    }
}

void Component::setEnabled(bool on) {
    enabled_ = on;
    nativeSetEnabled(on);
}

void Component::setEditable(bool) {}

void Component::centre() {
    centreHorizontally();
    centreVertically();
}

void Component::centreHorizontally() {
    const std::int32_t room = parent_ ? parent_->clientWidth() - width_ : 0;
    setOffset(room > 0 ? room / 2 : 0, offsetY_);
}

void Component::centreVertically() {
    const std::int32_t room = parent_ ? parent_->clientHeight() - height_ : 0;
    setOffset(offsetX_, room > 0 ? room / 2 : 0);
}

void Component::setTransparent(bool on, bool redrawNow) {
    transparent_ = on;
    if (redrawNow) redraw();
}

void Component::setWhite(bool redrawNow) { setBackground(255, 255, 255, redrawNow); }

void Component::setBlack(bool redrawNow) { setBackground(0, 0, 0, redrawNow); }

void Component::setTint(bool redrawNow) {
    // The platform's inactive-caption text colour, lightened halfway to white.
    constexpr Rgb kInactiveCaptionText = Rgb::hex(0x000000);
    auto tint = [](std::uint8_t c) { return static_cast<std::uint8_t>(128 + c / 2); };
    setBackground(tint(kInactiveCaptionText.r), tint(kInactiveCaptionText.g),
                  tint(kInactiveCaptionText.b), redrawNow);
}

void Component::resetBackground(bool redrawNow) {
    setBackground(kButtonFace.r, kButtonFace.g, kButtonFace.b, redrawNow);
}

void Component::setBackground(std::uint8_t r, std::uint8_t g, std::uint8_t b, bool redrawNow) {
    background_ = Rgb{r, g, b};
    transparent_ = false;
    if (redrawNow) redraw();
}

Component* Component::topLevel() {
    Component* node = this;
    while (node->parent_) node = node->parent_;
    return node;
}

s::lang::Localizer* Component::localizer() { return parent_ ? parent_->localizer() : nullptr; }

void Component::relabel() {}

void Component::redraw() { nativeRedraw(0, 0, 0, 0); }

void Component::redrawArea(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    if (w > 0 && h > 0) nativeRedraw(x, y, w, h);
}

void Component::relayoutParent() {
    if (parent_) parent_->doLayout();
}

void Component::freeze() {
    frozen_ = true;
    for (std::size_t i = 0; i < childCount(); ++i) childAt(i)->freeze();
}

void Component::thaw() {
    frozen_ = false;
    if (dirty_) applyGeometry();
    for (std::size_t i = 0; i < childCount(); ++i) childAt(i)->thaw();
}

void Component::addListener(std::int32_t kind, s::gui::events::IEventListener* listener) {
    if (!listener) return;
    for (ListenerList& list : lists_) {
        if (list.kind == kind) {
            list.listeners.push_back(listener);
            return;
        }
    }
    lists_.push_back(ListenerList{kind, {listener}});
}

void Component::removeListener(std::int32_t kind, s::gui::events::IEventListener* listener) {
    for (ListenerList& list : lists_) {
        if (list.kind != kind) continue;
        auto& ls = list.listeners;
        ls.erase(std::remove(ls.begin(), ls.end(), listener), ls.end());
    }
}

bool Component::hasListeners(std::int32_t kind) const {
    for (const ListenerList& list : lists_)
        if (list.kind == kind && !list.listeners.empty()) return true;
    return false;
}

void Component::raiseTo(std::int32_t list, std::int32_t reported) {
    raiseFrom(*this, list, reported);
}

void Component::raiseFrom(s::base::IObject& source, std::int32_t list, std::int32_t reported) {
    for (const ListenerList& entry : lists_) {
        if (entry.kind != list) continue;
        // A copy: a listener may add or remove listeners while being told.
        const auto listeners = entry.listeners;
        for (s::gui::events::IEventListener* l : listeners) l->onEvent(source, reported);
        return;
    }
}

void Component::setAccessibleName(std::string name) {
    accessibleName_ = std::move(name);
    nativeAccessibilityChanged();
}

void Component::setAccessibleDescription(std::string description) {
    accessibleDescription_ = std::move(description);
    nativeAccessibilityChanged();
}

void Component::attachNative() {
    if (!hasNative() && !createNative()) return;
    nativeSetGeometry(x_ + offsetX_, y_ + offsetY_, width_, height_);
    dirty_ = false;
    nativeSetEnabled(enabled_);
    for (std::size_t i = 0; i < childCount(); ++i) childAt(i)->attachNative();
    nativeSetVisible(visible_);
}

void Component::detachNative() {
    for (std::size_t i = 0; i < childCount(); ++i) childAt(i)->detachNative();
    if (hasNative()) destroyNative();
}

void Component::setMarginsRaw(std::int32_t l, std::int32_t r, std::int32_t t, std::int32_t b) {
    marginLeft_ = l, marginRight_ = r, marginTop_ = t, marginBottom_ = b;
}

}  // namespace s::gui
