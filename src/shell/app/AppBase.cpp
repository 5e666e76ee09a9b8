#include "shell/app/AppBase.h"

#include <filesystem>
#include <system_error>

#include "formats/jpeg/Jpeg.h"
#include "foundation/MemoryStreams.h"
#include "res/AppIcons.h"
#include "res/Pictures.h"
#include "shell/lang/LocalizerFactory.h"
#include "shell/lang/SystemLanguage.h"
#include "shell/reg/StoreLocation.h"

namespace s::app::win {

namespace {

constexpr char kLanguageSection[] = "Language";
constexpr char kSkinSection[] = "Skin";
constexpr char kSilentValue[] = "Silent";

std::string canonicalPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

s::thread::Pooled<s::reg::MappedData> openStore(std::string_view key,
                                                const std::string& databasePath) {
    if (databasePath.empty()) return s::reg::MappedData::open(key);
    return s::reg::MappedData::open(key, databasePath);
}

}  // namespace

bool AppBase::create(Setup setup) {
    reset();
    commandLine_.parse(setup.arguments);
    takeExecutablePath(setup.executablePath);
    databasePath_ = std::move(setup.databasePath);
    openUrl_ = std::move(setup.openUrl);
    singleInstance_ = setup.singleInstance;
    skinExists_ = std::move(setup.skinExists);
    defaultSkin_ = std::move(setup.defaultSkin);

    localizer_ = s::lang::LocalizerFactory::create();
    if (setup.store) {
        storeInUse_ = setup.store;
    } else {
        store_ = openStore(s::reg::StoreLocation::kSaveDataKey, databasePath_);
        storeInUse_ = store_.get();
    }
    if (!localizer_ || !storeInUse_) return false;

    storeInUse_->setAutoSave(false);
    selectStoredLanguage();
    storeInUse_->setAutoSave(true);
    return true;
}

void AppBase::reset() {
    commandLine_.parse({});
    executablePath_.clear();
    programFolder_.clear();
    databasePath_.clear();
    localizer_.reset();
    store_.reset();
    storeInUse_ = nullptr;
    for (auto& picture : pictures_) picture.reset();
    pictureTried_ = {};
    openUrl_ = nullptr;
    singleInstance_ = nullptr;
    skinExists_ = nullptr;
    defaultSkin_.clear();
    saved_ = false;
}

void AppBase::takeExecutablePath(const std::string& given) {
    std::error_code error;
    if (given.empty()) {
        executablePath_ = std::filesystem::read_symlink("/proc/self/exe", error).string();
    } else {
        executablePath_ = given;
    }
    executablePath_ = canonicalPath(executablePath_);
    programFolder_ = std::filesystem::path(executablePath_).parent_path().string();
}

std::span<const std::uint8_t> AppBase::iconPng(std::int32_t size) {
    switch (size) {
        case 16:
            return s::res::appIcon16();
        case 32:
            return s::res::appIcon32();
        case 48:
            return s::res::appIcon48();
        case 64:
            return s::res::appIcon64();
        case 128:
            return s::res::appIcon128();
        case 256:
            return s::res::appIcon256();
        default:
            return {};
    }
}

std::int32_t AppBase::iconSizeFor(std::int32_t size) {
    for (const std::int32_t available : kIconSizes) {
        if (available >= size) return available;
    }
    return kIconSizes.back();
}

const s::image::win::BufferedImage* AppBase::picture(Picture which) {
    const std::size_t index = which == Picture::Wide ? 0 : 1;
    if (!pictureTried_[index]) {
        pictureTried_[index] = true;
        const std::span<const std::uint8_t> bytes =
            which == Picture::Wide ? s::res::logoWide() : s::res::logoTall();
        s::io::MemoryInputStream stream(bytes.data(), bytes.size());
        s::thread::Pooled<s::image::jpg::win::Jpeg> jpeg = s::image::jpg::win::Jpeg::take();
        if (jpeg && jpeg->readFrom(stream)) {
            jpeg->decode(0, nullptr, pictures_[index]);
        }
    }
    return pictures_[index].get();
}

std::string AppBase::language() {
    return storeInUse_->getString(kLanguageSection, "", s::lang::systemLanguageName());
}

void AppBase::setLanguage(std::string_view name) {
    storeInUse_->setString(kLanguageSection, "", name);
}

void AppBase::selectStoredLanguage() {
    const std::string stored = language();
    localizer_->selectLanguage(stored);
    const s::lang::LangPack* selected = localizer_->currentLanguage();
    if (selected && selected->engName() != stored) setLanguage(selected->engName());
}

std::string AppBase::skin() {
    std::string name = storeInUse_->getString(kSkinSection, "", defaultSkin_);
    return skinExists(name) ? name : defaultSkin_;
}

void AppBase::setSkin(std::string_view name) {
    storeInUse_->setString(kSkinSection, "", name);
}

bool AppBase::skinExists(std::string_view name) const {
    return !skinExists_ || skinExists_(name);
}

void AppBase::saveSettings() {
    storeInUse_->save();
    saved_ = true;
}

bool AppBase::notifyOtherInstance(bool wake, bool /*sendSecondMessage*/, bool /*useLocalizer*/) {
    if (!singleInstance_) return false;
    return singleInstance_->notifyOther(wake, commandLine_.paths());
}

bool AppBase::handleSilentFlagOnPlainStart() {
    return commandLine_.empty() && handleSilentFlag();
}

bool AppBase::handleSilentFlag() {
    s::thread::Pooled<s::reg::MappedData> productKey =
        openStore(s::reg::StoreLocation::kProductKey, databasePath_);
    if (!productKey || !productKey->getBool("", kSilentValue, false)) return false;
    productKey->setBool("", kSilentValue, false);
    const std::string& page = localizer_->text(kTextIdBase + kWebPageOffset);
    if (!openUrl_ || page.empty()) return false;
    return openUrl_(page);
}

}  // namespace s::app::win
