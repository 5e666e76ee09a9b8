#include "ui/toolkit/win/GroupBox.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPaintEvent>

#include "ui/toolkit/ITextMeasurer.h"
#include "ui/toolkit/win/Accessibility.h"
#include "ui/toolkit/win/Font.h"
#include "ui/drawers/ISkin.h"
#include "ui/drawers/groupbox/Basic.h"

namespace s::gui::win {
namespace {

class GroupBoxWidget final : public QWidget {
public:
    GroupBoxWidget(GroupBox& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        owner_.paintSurface(p);
    }
    void dragEnterEvent(QDragEnterEvent* e) override {
        if (owner_.acceptsFiles() && e->mimeData() && !Box::localPaths(*e->mimeData()).empty())
            e->acceptProposedAction();
        else
            e->ignore();
    }
    void dropEvent(QDropEvent* e) override {
        if (!owner_.acceptsFiles() || !e->mimeData()) return e->ignore();
        const std::vector<std::string> paths = Box::localPaths(*e->mimeData());
        if (paths.empty()) return e->ignore();
        e->acceptProposedAction();
        owner_.deliverDroppedFiles(paths);
    }
    void mousePressEvent(QMouseEvent* e) override { e->ignore(); }

private:
    GroupBox& owner_;
};

}  // namespace

GroupBox::GroupBox() {
    font_.textColour = Rgb::hex(0x0046D5);
    disabledFont_.textColour = Rgb::hex(0x808080);
    ensureContent();
}

GroupBox::~GroupBox() = default;

void GroupBox::ensureContent() {
    if (content_) return;
    auto content = Box::take();
    content_ = content.get();
    addOwned(content.release());
    content_->addDropListener(this);
    content_->fill();
    setPile();
    alignLeft();
    alignTop();
    measureTitle();
}

void GroupBox::reset() {
    content_ = nullptr;
    NativeComponent<s::gui::Container>::reset();
    title_.clear();
    font_ = FontSizeCode::defaultFont();
    font_.textColour = Rgb::hex(0x0046D5);
    disabledFont_ = FontSizeCode::defaultFont();
    disabledFont_.textColour = Rgb::hex(0x808080);
    frame_ = Rgb::hex(0xD0D0BF);
    painter_ = nullptr;
    titleWidth_ = titleHeight_ = 0;
    skinGroup_ = nullptr;
    ensureContent();
}

void GroupBox::onEvent(s::base::IObject& source, std::int32_t kind) {
    if (content_ && &source == static_cast<s::base::IObject*>(content_) && kind == kDropped)
        Container::deliverDroppedFiles(content_->droppedPaths());
}

void GroupBox::setTitle(std::string title) {
    title_.setLiteral(std::move(title));
    measureTitle();
}

void GroupBox::setTitleId(std::int32_t id) {
    title_.setId(id);
    relabel();
}

void GroupBox::relabel() {
    title_.resolve(localizer());
    measureTitle();
    Container::relabel();
}

void GroupBox::setFont(const FontSetting& font) {
    font_ = font;
    measureTitle();
}

void GroupBox::setFrameColour(Rgb colour) {
    frame_ = colour;
    redraw();
}

void GroupBox::setFramePainter(FramePainter painter) {
    painter_ = std::move(painter);
    redraw();
}

void GroupBox::setAcceptFiles(bool on) {
    Container::setAcceptFiles(on);
    if (content_) content_->setAcceptFiles(on);
    if (QWidget* w = nativeWidget()) w->setAcceptDrops(on);
}

bool GroupBox::deliverDroppedFiles(const std::vector<std::string>& paths) {
    return Container::deliverDroppedFiles(paths);
}

void GroupBox::measureTitle() {
    const Extent e = ITextMeasurer::current().measure(font_, title_.text(), false, 0);
    titleWidth_ = e.cx;
    titleHeight_ = e.cy;
    setMarginsRaw(4, 4, titleHeight_ + 1, 4);
    // The title needs tw + 24; the content 4 + 4 + its own minimum, which the
    // margins already add.
    setExplicitMinWidth(titleWidth_ + 24);
    applyAccessibility();
    doLayout();
    relayoutParent();
    redraw();
}

void GroupBox::doLayout() { Container::doLayout(); }

void GroupBox::paintSurface(QPainter& p) {
    const int w = width(), h = height();
    const int th = titleHeight_;
    if (!isTransparent())
        p.fillRect(QRect(QPoint(1, th / 2 + 1), QPoint(w - 2, h - 2)),
                   QColor(background().r, background().g, background().b));
    const QRect frame(QPoint(0, th / 2), QPoint(w - 1, h - 1));
    const FontSetting font = FontSizeCode::resolved(isEnabled() ? font_ : disabledFont_);
    if (painter_) return painter_(p, frame, title_.text(), font, titleWidth_, titleHeight_);
    if (skinGroup_) {
        skinGroup_->paint(p, 0, th / 2, w, h, title_.text(), font, titleWidth_, titleHeight_,
                          isEnabled());
        return;
    }
    // Without a skin the default look, in this group box's frame colour.
    static s::gui::drawer::groupbox::win::Basic basic;
    basic.setColour(frame_.r, frame_.g, frame_.b);
    basic.paint(p, 0, th / 2, w, h, title_.text(), font, titleWidth_, titleHeight_, isEnabled());
}

void GroupBox::takeSkin(const s::gui::drawer::ISkin* skin) {
    skinGroup_ = skin ? skin->groupBoxDrawer() : nullptr;
    redraw();
}

QWidget* GroupBox::makeWidget(QWidget* parent) {
    auto* widget = new GroupBoxWidget(*this, parent);
    Accessibility::setRole(*widget, QAccessible::Grouping);
    return widget;
}

void GroupBox::applyProperties() {
    if (QWidget* w = nativeWidget()) {
        Accessibility::setRole(*w, QAccessible::Grouping);
        w->setAcceptDrops(acceptsFiles());
    }
    applyAccessibility();
}

}  // namespace s::gui::win
