// s::gui::win::GroupBox -- a frame with a title at its top left around one
// content box. Put the controls into content(). Setting the title measures
// it (tw x th) and sets the margins to 4 / 4 / th + 1 / 4 with the content
// box filling the client area (pile layout, top-left); the minimum width is
// max(tw + 24, 8 + content minimum), the minimum height th + 5 + content
// minimum; a percentage size is truncated, not rounded.
// Accepting files makes the content box accept them; a drop on it raises
// kind 1 to the group box's own drop listeners, whose droppedPaths() then
// hold the paths. Accessible as a grouping named by the current title.
//
//     auto& group = panel.add(s::gui::win::GroupBox::take());
//     group.setTitleId(1001000);
//     group.content().add(s::gui::win::Label::take()).setTextId(1002000);
#pragma once

#include <QPainter>
#include <functional>

#include "ui/toolkit/LocalText.h"
#include "ui/toolkit/win/Box.h"
#include "ui/toolkit/FontSizeCode.h"
#include "ui/toolkit/win/NativeComponent.h"
#include "ui/toolkit/win/Skinnable.h"

namespace s::gui::drawer {
class IGroupBox;
}

namespace s::gui::win {

class GroupBox : public NativeComponent<s::gui::Container>, public ISkinnable {
    TARVEX_POOLED(GroupBox, "s_gui_win_GroupBox")
public:
    // Paints the frame and title: (painter, group rect with its top at th/2,
    // title, title font, tw, th).
    using FramePainter = std::function<void(QPainter&, const QRect&, const std::string&,
                                            const FontSetting&, int, int)>;

    GroupBox();
    ~GroupBox() override;
    void reset() override;
    void onEvent(s::base::IObject& source, std::int32_t kind) override;

    Box& content() { return *content_; }
    void setTitle(std::string title);
    void setTitleId(std::int32_t id);
    const std::string& title() const { return title_.text(); }
    void relabel() override;
    void setFont(const FontSetting& font);
    const FontSetting& font() const { return font_; }
    void setDisabledFont(const FontSetting& font) { disabledFont_ = font; }
    void setFrameColour(Rgb colour);
    Rgb frameColour() const { return frame_; }
    void setFramePainter(FramePainter painter);
    void setAcceptFiles(bool on) override;
    bool deliverDroppedFiles(const std::vector<std::string>& paths) override;
    std::int32_t titleWidth() const { return titleWidth_; }
    std::int32_t titleHeight() const { return titleHeight_; }

    void doLayout() override;
    // Paints background, frame and title (the widget's paint event).
    void paintSurface(QPainter& p);
    void takeSkin(const s::gui::drawer::ISkin* skin) override;

protected:
    QWidget* makeWidget(QWidget* parent) override;
    void applyProperties() override;
    bool truncatesPercent() const override { return true; }
    std::string visibleText() const override { return title_.text(); }

private:
    void measureTitle();
    void ensureContent();
    Box* content_ = nullptr;
    s::gui::LocalText title_;
    FontSetting font_ = s::gui::FontSizeCode::defaultFont();
    FontSetting disabledFont_ = s::gui::FontSizeCode::defaultFont();
    Rgb frame_ = Rgb::hex(0xD0D0BF);
    FramePainter painter_;
    std::int32_t titleWidth_ = 0, titleHeight_ = 0;
    const s::gui::drawer::IGroupBox* skinGroup_ = nullptr;
};

}  // namespace s::gui::win
