// s::gui::win::NativeComponent<Core> -- the platform half every win
// component shares: it owns the component's one QWidget and implements the
// core's native seam with it (create when attached, geometry, visibility,
// enabled state, repaint, screen position, accessible name).
//
// A subclass supplies makeWidget(parent), which returns the new widget (not
// yet shown), and applyProperties(), which copies every stored property onto
// it; both run when the component is attached to a parent that has a widget,
// or, for windows, when the window is created. When the platform refuses a
// widget the user sees "Window Creation Failed!" once and the component
// stays without one.
//
// nativeWidget() gives windows a handle for shortcuts and event filters;
// it is null while the component is not attached.
#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "ui/toolkit/Component.h"
#include "ui/toolkit/Container.h"
#include "ui/toolkit/FontSetting.h"
#include "ui/toolkit/TextRules.h"

namespace s::gui::win {

class INative {
public:
    virtual ~INative() = default;
    virtual QWidget* nativeWidget() const = 0;
    // The widget children's widgets are made in (the component's own).
    virtual QWidget* childHost() const { return nativeWidget(); }
};

// The widget of the nearest ancestor that has one, or null.
QWidget* nativeParentOf(const s::gui::Component& component);
// The one warning shown when a widget cannot be made.
void reportCreationFailure();
// The accessible name a component shows: its explicit name, else the
// visible text trimmed.
QString accessibleNameFor(const s::gui::Component& component, const std::string& visibleText);

template <class Core>
class NativeComponent : public Core, public INative {
public:
    ~NativeComponent() override { dropWidget(); }
    QWidget* nativeWidget() const override { return widget_.data(); }

protected:
    // Creates the widget under parent, or null when it cannot be made.
    virtual QWidget* makeWidget(QWidget* parent) = 0;
    // Copies the stored properties onto the new widget.
    virtual void applyProperties() {}
    // The text the accessible name is made from when none is set.
    virtual std::string visibleText() const { return {}; }

    bool hasNative() const override { return !widget_.isNull(); }
    bool createNative() override {
        if (widget_) return true;
        QWidget* made = makeWidget(nativeParentOf(*this));
        if (!made) {
            reportCreationFailure();
            return false;
        }
        widget_ = made;
        applyAccessibility();
        applyProperties();
        return true;
    }
    void destroyNative() override { dropWidget(); }
    void nativeSetGeometry(std::int32_t x, std::int32_t y, std::int32_t w,
                           std::int32_t h) override {
        if (widget_) widget_->setGeometry(x, y, w < 0 ? 0 : w, h < 0 ? 0 : h);
    }
    void nativeSetVisible(bool on) override {
        if (widget_) widget_->setVisible(on);
    }
    void nativeSetEnabled(bool on) override {
        if (widget_) widget_->setEnabled(on);
    }
    void nativeRedraw(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) override {
        if (!widget_) return;
        if (w <= 0 || h <= 0)
            widget_->update();
        else
            widget_->update(x, y, w, h);
    }
    void nativeScreenPosition(std::int32_t& x, std::int32_t& y) const override {
        if (!widget_) return Core::nativeScreenPosition(x, y);
        const QPoint p = widget_->mapToGlobal(QPoint(0, 0));
        x = p.x(), y = p.y();
    }
    void nativeAccessibilityChanged() override { applyAccessibility(); }
    void applyAccessibility() {
        if (!widget_) return;
        widget_->setAccessibleName(accessibleNameFor(*this, visibleText()));
        widget_->setAccessibleDescription(
            QString::fromStdString(this->Core::accessibleDescription()));
    }

private:
    void dropWidget() {
        if (widget_) {
            QWidget* w = widget_.data();
            widget_.clear();
            w->hide();
            delete w;
        }
    }
    QPointer<QWidget> widget_;
};

}  // namespace s::gui::win
