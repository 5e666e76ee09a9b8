// s::lang::LangPack -- the texts of one language: its three names and a
// table of texts by numeric id (plus a small table by string key).
//
// Texts are kept in load order and looked up linearly; when an id was added
// twice the first text wins. Texts are only added while the pack document is
// loaded, so a reference to a stored text stays valid until the pack is reset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"

namespace s::lang {

class LangPack final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(LangPack, "s_lang_LangPack")

public:
    void reset() override;

    void setNames(std::string tagName, std::string engName, std::string trueName);
    // The three-letter tag naming this language's elements in the document.
    const std::string& tagName() const { return tagName_; }
    // The English name: the identifier stored in the settings.
    const std::string& engName() const { return engName_; }
    // The native name shown in the Language menu.
    const std::string& trueName() const { return trueName_; }

    void addText(std::uint32_t id, std::string text);
    void addKeyedText(std::string key, std::string text);

    // The first text stored for id (or key), or null.
    const std::string* findText(std::uint32_t id) const;
    const std::string* findKeyedText(std::string_view key) const;

    // The numeric ids in load order.
    const std::vector<std::uint32_t>& ids() const { return ids_; }

private:
    std::string tagName_;
    std::string engName_;
    std::string trueName_;
    std::vector<std::uint32_t> ids_;
    std::vector<std::string> texts_;  // parallel to ids_
    std::vector<std::pair<std::string, std::string>> keyed_;
};

}  // namespace s::lang
