// s::app::IAppBase -- the application services every window needs: the
// settings store, the localizer, the command line, the stored language and
// skin. Implemented by s::app::win::AppBase.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/app/CommandLine.h"
#include "shell/lang/Localizer.h"
#include "shell/map/IMappedData.h"

namespace s::app {

class IAppBase {
public:
    virtual ~IAppBase() = default;

    virtual const s::process::commandline::win::CommandLine& commandLine() const = 0;
    virtual const std::string& executablePath() const = 0;
    virtual const std::string& programFolder() const = 0;
    // The product's text-id base (500000): title + 0, web page + 3,
    // update-check address + 6, version + 10.
    virtual std::uint32_t textIdBase() const = 0;
    virtual s::lang::Localizer& localizer() = 0;
    virtual s::map::IMappedData& store() = 0;

    // Stored language by English name (default: the user's interface language).
    virtual std::string language() = 0;
    virtual void setLanguage(std::string_view name) = 0;
    // Stored application skin, the default skin name when none or an unknown one is stored.
    virtual std::string skin() = 0;
    virtual void setSkin(std::string_view name) = 0;
    virtual const std::string& defaultSkin() const = 0;
    // No skinner at application level in this program.
    virtual bool hasSkinner() const = 0;

    virtual void saveSettings() = 0;
};

}  // namespace s::app
