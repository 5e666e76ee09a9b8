#include "shell/lang/Localizer.h"

#include <algorithm>
#include <new>

#include "shell/lang/SystemLanguage.h"
#include "shell/text/DecimalText.h"
#include "shell/text/NoCase.h"
#include "shell/xml/Node.h"

namespace s::lang {

namespace {

using s::str::NoCase;

const std::string kEmpty;

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && NoCase::equals(text.substr(0, prefix.size()), prefix);
}

// A language whose exact pack is missing borrows one of its family: the
// first of `preferred`, else `other`.
struct FamilyRule {
    std::string_view prefix;
    std::string_view preferred;
    std::string_view other;
};

constexpr FamilyRule kFamilyRules[] = {
    {"Chinese", "CHINESE_SIMPLIFIED", "CHINESE_TRADITIONAL"},
    {"Portuguese", "PORTUGUESE_BRAZILIAN", "PORTUGUESE_PORTUGAL"},
    {"Serbian", "SERBIAN_CYRILLIC", "SERBIAN_LATIN"},
};

}  // namespace

void Localizer::reset() {
    packs_.clear();
    current_ = nullptr;
    listeners_.clear();
}

void Localizer::load(const s::xml::Node& root) {
    packs_.clear();
    current_ = nullptr;
    try {
        if (const s::xml::Node* languages = root.getChild("languages")) loadLanguages(*languages);
        if (const s::xml::Node* entries = root.getChild("entries")) loadEntries(*entries);
    } catch (const std::bad_alloc&) {
        // Keep what was loaded; texts that could not be stored read as "".
    }
}

void Localizer::loadLanguages(const s::xml::Node& languages) {
    for (std::size_t i = 0; i < languages.childCount(); ++i) {
        const s::xml::Node* entry = languages.child(i);
        if (!entry->nameEquals("entry")) continue;
        s::thread::Pooled<LangPack> pack = LangPack::take();
        if (!pack) continue;
        pack->setNames(entry->getString("tagName", ""), entry->getString("engName", ""),
                       entry->getString("trueName", ""));
        packs_.push_back(std::move(pack));
    }
}

void Localizer::loadEntries(const s::xml::Node& entries) {
    // Which packs received a text from the current entry.
    std::vector<bool> filled(packs_.size());
    for (std::size_t i = 0; i < entries.childCount(); ++i) {
        const s::xml::Node* entry = entries.child(i);
        if (!entry->nameEquals("entry")) continue;
        std::fill(filled.begin(), filled.end(), false);
        loadEntry(*entry, filled);
    }
}

void Localizer::loadEntry(const s::xml::Node& entry, std::vector<bool>& filled) {
    const std::string id = entry.getRaw("id", "");
    const bool numeric = !id.empty() && id[0] >= '0' && id[0] <= '9';
    const std::uint32_t numericId = numeric ? s::str::DecimalText::toUInt32(id) : 0;
    auto add = [&](LangPack& pack, std::string text) {
        if (numeric) {
            pack.addText(numericId, std::move(text));
        } else {
            pack.addKeyedText(id, std::move(text));
        }
    };

    // The first child's text, whatever its language, stands in for every
    // language the entry lacks.
    std::string fallback;
    for (std::size_t i = 0; i < entry.childCount(); ++i) {
        const s::xml::Node* child = entry.child(i);
        std::string text = child->getString("", "");
        if (i == 0) fallback = text;
        const std::size_t index = packIndexForTag(child->name());
        if (index == packs_.size()) continue;
        add(*packs_[index], std::move(text));
        filled[index] = true;
    }
    for (std::size_t index = 0; index < packs_.size(); ++index) {
        if (!filled[index]) add(*packs_[index], fallback);
    }
}

std::size_t Localizer::packIndexForTag(std::string_view tag) const {
    for (std::size_t i = 0; i < packs_.size(); ++i) {
        if (NoCase::equals(packs_[i]->tagName(), tag)) return i;
    }
    return packs_.size();
}

const std::string& Localizer::text(std::uint32_t id) {
    ensureCurrent();
    if (!current_) return kEmpty;
    const std::string* found = current_->findText(id);
    return found ? *found : kEmpty;
}

bool Localizer::hasText(std::uint32_t id) {
    return !text(id).empty();
}

LangPack* Localizer::packNamed(std::string_view engName) const {
    for (const s::thread::Pooled<LangPack>& pack : packs_) {
        if (NoCase::equals(pack->engName(), engName)) return pack.get();
    }
    return nullptr;
}

LangPack* Localizer::findLanguage(std::string_view name) const {
    if (LangPack* exact = packNamed(name)) return exact;
    for (const FamilyRule& rule : kFamilyRules) {
        if (!startsWithNoCase(name, rule.prefix)) continue;
        if (LangPack* pack = packNamed(rule.preferred)) return pack;
        if (LangPack* pack = packNamed(rule.other)) return pack;
    }
    return nullptr;
}

void Localizer::selectLanguage(std::string_view name) {
    ensureCurrent();
    if (current_ && NoCase::equals(current_->engName(), name)) return;
    LangPack* pack = findLanguage(name);
    if (!pack) pack = findLanguage("English");
    if (!pack) pack = languageAt(0);
    makeCurrent(pack);
}

void Localizer::selectLanguageAt(std::size_t index) {
    ensureCurrent();
    makeCurrent(languageAt(index));
}

LangPack* Localizer::languageAt(std::size_t index) const {
    return index < packs_.size() ? packs_[index].get() : nullptr;
}

void Localizer::ensureCurrent() {
    if (current_ || packs_.empty()) return;
    current_ = findLanguage(systemLanguageName());
    if (!current_) current_ = packs_.front().get();
}

void Localizer::makeCurrent(LangPack* pack) {
    if (!pack || pack == current_) return;
    current_ = pack;
    notifyListeners();
}

void Localizer::notifyListeners() {
    // A listener may add or remove listeners (itself included) while being
    // told; work from a snapshot and skip those removed in the meantime.
    const std::vector<ILocalizerListener*> snapshot = listeners_;
    for (ILocalizerListener* listener : snapshot) {
        if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
            continue;
        }
        listener->onLanguageChanged(*this);
    }
}

void Localizer::addListener(ILocalizerListener* listener) {
    if (!listener) return;
    if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) return;
    listeners_.push_back(listener);
}

void Localizer::removeListener(ILocalizerListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

}  // namespace s::lang
