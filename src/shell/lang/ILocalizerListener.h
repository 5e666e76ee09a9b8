// s::lang::ILocalizerListener -- told when the localizer's current language
// changes, so the component can re-read its texts. Notification is
// synchronous, on the thread that changed the language.
#pragma once

namespace s::lang {

class Localizer;

class ILocalizerListener {
public:
    virtual ~ILocalizerListener() = default;
    virtual void onLanguageChanged(Localizer& localizer) = 0;
};

}  // namespace s::lang
