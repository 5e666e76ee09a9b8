// s::app::win::AppBase -- the application services of the desktop program,
// built once at start-up and kept for the whole run.
//
// It owns the settings store and the localizer, keeps the parsed command
// line and the executable's canonical path, offers the program's icons
// (PNG bytes compiled in, at 16, 32, 48, 64, 128 and 256 pixels) and the two
// pictures of the maker's logo (JPEG compiled in, decoded on first use), and
// keeps the stored language and skin. The platform pieces it needs (opening
// a web page, finding another running copy, whether a skin exists) are
// injected, so it runs without any toolkit.
//
// Creation selects the stored language (an unknown name selects English,
// and the name actually selected is written back); auto-save is off while
// it runs and on afterwards, so every later write is stored at once.
//
//     s::thread::Pooled<AppBase> app = AppBase::take();
//     AppBase::Setup setup;
//     setup.arguments = {argv + 1, argv + argc};
//     setup.openUrl = [](const std::string& url) { return DesktopOpener::openUrl(url); };
//     if (!app || !app->create(std::move(setup))) return 1;
//     if (app->commandLine().empty()) app->handleSilentFlag();
//
// Used from the user-interface thread only.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "image/BufferedImage.h"
#include "shell/app/IAppBase.h"
#include "shell/app/ISingleInstance.h"
#include "shell/reg/MappedData.h"

namespace s::app::win {

class AppBase final : public s::app::IAppBase,
                      public s::base::IObject,
                      public s::thread::IPoolable {
    TARVEX_POOLED(AppBase, "s_app_win_AppBase")
public:
    static constexpr std::uint32_t kTextIdBase = 500000;
    static constexpr std::uint32_t kWebPageOffset = 3;
    static constexpr std::array<std::int32_t, 6> kIconSizes = {16, 32, 48, 64, 128, 256};

    using OpenUrl = std::function<bool(const std::string& url)>;
    using SkinExists = std::function<bool(std::string_view name)>;

    enum class Picture { Wide, Tall };  // 700 x 230 and 230 x 700

    struct Setup {
        std::vector<std::string> arguments;                 // argv without the program name
        std::string executablePath;                         // empty: this process's executable
        std::string databasePath;                           // empty: the user's settings file
        OpenUrl openUrl;                                    // none: web pages are not opened
        s::app::ISingleInstance* singleInstance = nullptr;  // not owned
        SkinExists skinExists;  // none: every stored skin name is accepted
        std::string defaultSkin;
        // A store to use instead of opening the settings store; not owned,
        // must outlive the AppBase (tests record what the frame writes).
        s::map::IMappedData* store = nullptr;
    };

    AppBase() = default;
    AppBase(const AppBase&) = delete;
    AppBase& operator=(const AppBase&) = delete;

    // Builds the services; false when the store or the localizer cannot be had.
    bool create(Setup setup);
    void reset() override;

    const s::process::commandline::win::CommandLine& commandLine() const override {
        return commandLine_;
    }
    const std::string& executablePath() const override { return executablePath_; }
    const std::string& programFolder() const override { return programFolder_; }
    std::uint32_t textIdBase() const override { return kTextIdBase; }
    s::lang::Localizer& localizer() override { return *localizer_; }
    s::map::IMappedData& store() override { return *storeInUse_; }

    // The PNG bytes of the program icon at size (one of kIconSizes), else empty.
    static std::span<const std::uint8_t> iconPng(std::int32_t size);
    // The smallest icon size of at least size (256 when size is larger).
    static std::int32_t iconSizeFor(std::int32_t size);
    // The picture, decoded on first use; null when it cannot be decoded.
    const s::image::win::BufferedImage* picture(Picture which);

    std::string language() override;
    void setLanguage(std::string_view name) override;
    // Selects language() in the localizer and writes back the English name
    // of the language actually selected when it differs from the stored one.
    void selectStoredLanguage();

    std::string skin() override;
    void setSkin(std::string_view name) override;
    const std::string& defaultSkin() const override { return defaultSkin_; }
    bool hasSkinner() const override { return false; }
    // Whether name is a skin that exists (every name when no test is injected).
    bool skinExists(std::string_view name) const;

    void saveSettings() override;
    bool wasSaved() const { return saved_; }

    // True when another copy of this executable runs; with wake it comes to
    // the front and receives this command line's paths. The second message
    // and the localizer choice of the original platform have no meaning for
    // the socket hand-over and are accepted for the callers' sake.
    bool notifyOtherInstance(bool wake, bool sendSecondMessage, bool useLocalizer);
    // The service is usually made from executablePath(), so it may come
    // after create(); not owned.
    void setSingleInstance(s::app::ISingleInstance* service) { singleInstance_ = service; }

    // When "Silent" is true in the product's key: clears it and opens the
    // product's web page. True when the page was asked to open.
    bool handleSilentFlag();
    // The start-up step: handleSilentFlag() only when the program was
    // started without any argument (a start with files is not a first run
    // from the installer).
    bool handleSilentFlagOnPlainStart();

private:
    void takeExecutablePath(const std::string& given);

    s::process::commandline::win::CommandLine commandLine_;
    std::string executablePath_;
    std::string programFolder_;
    std::string databasePath_;
    s::thread::Pooled<s::lang::Localizer> localizer_;
    s::thread::Pooled<s::reg::MappedData> store_;
    s::map::IMappedData* storeInUse_ = nullptr;
    std::array<s::thread::Pooled<s::image::win::BufferedImage>, 2> pictures_;
    std::array<bool, 2> pictureTried_{};
    OpenUrl openUrl_;
    s::app::ISingleInstance* singleInstance_ = nullptr;
    SkinExists skinExists_;
    std::string defaultSkin_;
    bool saved_ = false;
};

}  // namespace s::app::win
