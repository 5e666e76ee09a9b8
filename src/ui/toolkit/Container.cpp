#include "ui/toolkit/Container.h"

#include <algorithm>

#include "ui/toolkit/BuiltInLayout.h"
#include "ui/toolkit/FlowH.h"

namespace s::gui {

// Destroyed (not reset): the children go with it. They are deleted rather
// than released, since at exit the children's pools may be gone already (a
// group box kept in its pool still holds its content box).
Container::~Container() {
    for (Component* child : children_) {
        child->setParentRaw(nullptr);
        delete child;
    }
    children_.clear();
}

void Container::reset() {
    removeAll(true);
    Component::reset();
    manager_ = nullptr;
    layoutMode_ = kColumn;
    hAlign_ = vAlign_ = kLeft;
    spacingX_ = spacingY_ = 0;
    layoutDepth_ = 0;
    clickThrough_ = true;
    acceptFiles_ = acceptText_ = false;
    hasHover_ = false;
    hover_ = Rgb{};
    wheelDelta_ = 0;
    droppedPaths_.clear();
    droppedText_.clear();
}

Component* Container::childAt(std::size_t index) const {
    return index < children_.size() ? children_[index] : nullptr;
}

std::int32_t Container::indexOf(const Component* child) const {
    for (std::size_t i = 0; i < children_.size(); ++i)
        if (children_[i] == child) return static_cast<std::int32_t>(i);
    return -1;
}

void Container::addOwned(Component* child) {
    if (!child) return;
    if (Container* old = child->parent()) old->remove(child, false);
    children_.push_back(child);
    child->setParentRaw(this);
    if (isFrozen()) child->freeze();
    if (hasNative()) {
        child->attachNative();
        doLayout();
        relayoutParent();
        if (layoutMode_ == kFlow) relayoutParent();
    }
    childAdded(*child);
}

void Container::childAdded(Component&) {}

bool Container::remove(Component* child, bool deep) {
    const std::int32_t index = indexOf(child);
    if (index < 0) return false;
    children_.erase(children_.begin() + index);
    if (deep && child->isContainer()) static_cast<Container*>(child)->removeAll(true);
    child->detachNative();
    child->setParentRaw(nullptr);
    child->release();
    return true;
}

void Container::removeAll(bool deep) {
    while (!children_.empty()) remove(children_.back(), deep);
}

ILayoutManager* Container::layoutManager() const {
    return manager_ ? manager_ : defaultLayoutManager();
}

ILayoutManager* Container::defaultLayoutManager() const { return &layout::FlowH::shared(); }

void Container::setMarginLeft(std::int32_t m) {
    setMargins(m, marginRight(), marginTop(), marginBottom());
}
void Container::setMarginRight(std::int32_t m) {
    setMargins(marginLeft(), m, marginTop(), marginBottom());
}
void Container::setMarginTop(std::int32_t m) {
    setMargins(marginLeft(), marginRight(), m, marginBottom());
}
void Container::setMarginBottom(std::int32_t m) {
    setMargins(marginLeft(), marginRight(), marginTop(), m);
}
void Container::setMarginsHorizontal(std::int32_t m) {
    setMargins(m, m, marginTop(), marginBottom());
}
void Container::setMarginsVertical(std::int32_t m) {
    setMargins(marginLeft(), marginRight(), m, m);
}
void Container::setMargins(std::int32_t m) { setMargins(m, m, m, m); }

void Container::setMargins(std::int32_t left, std::int32_t right, std::int32_t top,
                           std::int32_t bottom) {
    setMarginsRaw(left, right, top, bottom);
    doLayout();
}

void Container::doLayout() {
    // A layout may start one nested layout of the same container (a child
    // asking its parent to relayout while being placed); deeper stops here.
    if (isFrozen() || layoutDepth_ > 1) return;
    setContentMin(0, 0);
    setNatural(0, 0);
    ++layoutDepth_;
    if (!children_.empty()) {
        if (manager_)
            manager_->layout(*this);
        else
            runBuiltInLayout();
    }
    raiseTo(kLayoutList, kLaidOut);
    --layoutDepth_;
}

void Container::runBuiltInLayout() {
    layout::Report report;
    switch (layoutMode_) {
        case kRow:
            report = layout::BuiltIn::row(*this, hAlign_, vAlign_, spacingX_);
            break;
        case kFlow:
            report = layout::BuiltIn::flow(*this, hAlign_, vAlign_, spacingX_, spacingY_);
            break;
        case kPile:
            report = layout::BuiltIn::pile(*this, hAlign_, vAlign_);
            break;
        default:
            report = layout::BuiltIn::column(*this, hAlign_, vAlign_, spacingY_);
            break;
    }
    setContentMin(report.minWidth, report.minHeight);
    setNatural(report.naturalWidth, report.naturalHeight);
}

void Container::freeze() { Component::freeze(); }

void Container::thaw() { Component::thaw(); }

void Container::relabel() {
    for (Component* child : children_) child->relabel();
}

void Container::setVisible(bool show, bool withChildren) {
    Component::setVisible(show, withChildren);
}

void Container::showOnlyChild(std::size_t index) {
    for (std::size_t i = 0; i < children_.size(); ++i)
        if (i != index) children_[i]->setVisible(false, true);
    if (index < children_.size()) children_[index]->setVisible(true, true);
}

void Container::showOnlyChildAndCollapse(std::size_t index) {
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (i == index) continue;
        Component* child = children_[i];
        child->setVisible(false, true);
        child->setOffset(0, 3000);
        if (child->isContainer()) child->lockVisibility(true);
    }
    if (index >= children_.size()) return;
    Component* shown = children_[index];
    shown->lockVisibility(false);
    shown->setOffset(0, 0);
    shown->setVisible(true, true);
}

bool Container::deliverDroppedFiles(const std::vector<std::string>& paths) {
    if (!acceptFiles_) return false;
    droppedPaths_.clear();
    for (const std::string& path : paths)
        if (!path.empty() && path.size() <= kMaxDroppedPathBytes) droppedPaths_.push_back(path);
    raise(kDropped);
    return true;
}

bool Container::deliverDroppedText(const std::string& text) {
    if (!acceptText_) return false;
    droppedText_ = text;
    raise(kDroppedText);
    return true;
}

bool Container::handleWheel(std::int32_t screenX, std::int32_t screenY, std::int32_t delta) {
    for (Component* child : children_) {
        if (!child->isVisible() || !child->isContainer() || !child->contains(screenX, screenY))
            continue;
        if (static_cast<Container*>(child)->handleWheel(screenX, screenY, delta)) return true;
    }
    if (!hasListeners(kWheelList)) return false;
    wheelDelta_ = delta;
    raiseTo(kWheelList, kWheel);
    return true;
}

void Container::addClickListener(s::gui::events::IEventListener* l) {
    clickThrough_ = false;
    addListener(kClick, l);
}

void Container::setHoverColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    hasHover_ = true;
    hover_ = Rgb{r, g, b};
}

}  // namespace s::gui
