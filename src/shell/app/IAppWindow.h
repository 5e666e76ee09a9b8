// s::app::IAppWindow -- the persisted state and services of one top-level
// window. Implemented by s::app::win::AppWindow.
#pragma once

#include <string>
#include <string_view>

#include "shell/app/IAppBase.h"

namespace s::app {

class IAppWindow {
public:
    virtual ~IAppWindow() = default;

    virtual IAppBase& app() = 0;
    virtual const std::string& name() const = 0;
    // name, "\\" and sub: the window's section sub in the store.
    virtual std::string section(std::string_view sub) const = 0;
    virtual s::lang::Localizer& localizer() = 0;
    virtual std::uint32_t textIdBase() const = 0;

    virtual std::string skin() = 0;
    virtual void setSkin(std::string_view name) = 0;
    virtual bool hasOwnSkin() const = 0;

    virtual void taskbarBusy() = 0;
    virtual void taskbarProgress(std::uint32_t done, std::uint32_t total) = 0;
    virtual void taskbarClear() = 0;
};

}  // namespace s::app
