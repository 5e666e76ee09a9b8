#include "shell/lang/LangPack.h"

namespace s::lang {

void LangPack::reset() {
    tagName_ = std::string();
    engName_ = std::string();
    trueName_ = std::string();
    ids_ = {};
    texts_ = {};
    keyed_ = {};
}

void LangPack::setNames(std::string tagName, std::string engName, std::string trueName) {
    tagName_ = std::move(tagName);
    engName_ = std::move(engName);
    trueName_ = std::move(trueName);
}

void LangPack::addText(std::uint32_t id, std::string text) {
    ids_.push_back(id);
    try {
        texts_.push_back(std::move(text));
    } catch (...) {
        ids_.pop_back();  // keep the two tables parallel
        throw;
    }
}

void LangPack::addKeyedText(std::string key, std::string text) {
    keyed_.emplace_back(std::move(key), std::move(text));
}

const std::string* LangPack::findText(std::uint32_t id) const {
    for (std::size_t i = 0; i < ids_.size(); ++i) {
        if (ids_[i] == id) return &texts_[i];
    }
    return nullptr;
}

const std::string* LangPack::findKeyedText(std::string_view key) const {
    for (const auto& [storedKey, text] : keyed_) {
        if (storedKey == key) return &text;
    }
    return nullptr;
}

}  // namespace s::lang
