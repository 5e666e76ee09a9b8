// s::lang::Localizer -- every user-visible text by numeric id, in one current
// language chosen among the packs of the language pack document.
//
// Guarantees:
// - After load, every pack has a text for every id of the document: a text
//   missing from a language is filled with the entry's first text, so a
//   lookup never depends on a translation being complete.
// - text() never fails: an unknown id, or a localizer without packs, gives
//   the empty string. Returned references stay valid until the next load or
//   until the localizer is reset.
// - Listeners are notified, in registration order, exactly when the current
//   pack changes; selecting the current language notifies nobody.
//
// The first lookup or selection makes the user's interface language current
// (or the first pack when it has none). Used from one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "shell/lang/ILocalizerListener.h"
#include "shell/lang/LangPack.h"

namespace s::xml {
class Node;
}

namespace s::lang {

class Localizer final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(Localizer, "s_lang_Localizer")

public:
    // Releases the packs and forgets the current pack and the listeners.
    void reset() override;

    // Replaces the packs with those of a parsed pack document (its root, "lang").
    void load(const s::xml::Node& root);

    // The current language's text for id, or "" when the id is unknown.
    const std::string& text(std::uint32_t id);
    // True when the current language has a non-empty text for id.
    bool hasText(std::uint32_t id);

    // The pack whose English name equals name (ignoring case); names starting
    // with Chinese, Portuguese or Serbian fall back to a pack of that family.
    LangPack* findLanguage(std::string_view name) const;
    // Makes the named language current, else English, else the first pack.
    void selectLanguage(std::string_view name);
    // Makes the pack at index current; an index out of range changes nothing.
    void selectLanguageAt(std::size_t index);

    std::size_t languageCount() const { return packs_.size(); }
    // The pack at index, or null when index is out of range.
    LangPack* languageAt(std::size_t index) const;
    // The current pack, or null while none has been needed yet.
    LangPack* currentLanguage() const { return current_; }

    // Listeners are not owned; registering one twice has no further effect.
    void addListener(ILocalizerListener* listener);
    void removeListener(ILocalizerListener* listener);

private:
    void loadLanguages(const s::xml::Node& languages);
    void loadEntries(const s::xml::Node& entries);
    void loadEntry(const s::xml::Node& entry, std::vector<bool>& filled);
    LangPack* packNamed(std::string_view engName) const;
    // Index of the pack whose tag is tag (ignoring case), or packs_.size().
    std::size_t packIndexForTag(std::string_view tag) const;
    void ensureCurrent();
    void makeCurrent(LangPack* pack);
    void notifyListeners();

    std::vector<s::thread::Pooled<LangPack>> packs_;
    LangPack* current_ = nullptr;
    std::vector<ILocalizerListener*> listeners_;
};

}  // namespace s::lang
