#include "ui/toolkit/MenuItem.h"

namespace s::gui::menuitem {

// Deleted, not released: at exit the pool may be gone before its last user.
MenuItem::~MenuItem() {
    for (MenuItem* child : children_) delete child;
}

void MenuItem::reset() {
    removeChildren();
    localizer_ = nullptr;
    text_.clear();
    commandId_ = kNoCommand;
    separator_ = checked_ = checkable_ = false;
    enabled_ = true;
}

s::thread::Pooled<MenuItem> MenuItem::make(s::lang::Localizer* localizer, std::int32_t textId,
                                           std::int32_t commandId) {
    auto item = take();
    item->setTextId(localizer, textId);
    item->commandId_ = commandId;
    return item;
}

s::thread::Pooled<MenuItem> MenuItem::literal(std::string text, std::int32_t commandId) {
    auto item = take();
    item->setText(std::move(text));
    item->commandId_ = commandId;
    return item;
}

s::thread::Pooled<MenuItem> MenuItem::separator() {
    auto item = take();
    item->separator_ = true;
    return item;
}

void MenuItem::setTextId(s::lang::Localizer* localizer, std::int32_t textId) {
    localizer_ = localizer;
    text_.setId(textId);
    text_.resolve(localizer_);
}

void MenuItem::setText(std::string text) { text_.setLiteral(std::move(text)); }

const std::string& MenuItem::relabel() {
    for (MenuItem* child : children_) child->relabel();
    return text_.resolve(localizer_);
}

MenuItem& MenuItem::addChild(s::thread::Pooled<MenuItem> child) {
    MenuItem* raw = child.release();
    children_.push_back(raw);
    return *raw;
}

MenuItem* MenuItem::findCommand(std::int32_t commandId) {
    if (commandId == kNoCommand) return nullptr;
    if (commandId_ == commandId && !separator_) return this;
    for (MenuItem* child : children_)
        if (MenuItem* found = child->findCommand(commandId)) return found;
    return nullptr;
}

void MenuItem::removeChildren() {
    std::vector<MenuItem*> children;
    children.swap(children_);
    for (MenuItem* child : children) child->release();
}

}  // namespace s::gui::menuitem
