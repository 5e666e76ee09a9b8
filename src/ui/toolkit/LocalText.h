// s::gui::LocalText -- a control's text: either a literal (UTF-8) or a
// language-pack id that is looked up again whenever the language changes.
// resolve() returns the current text: the literal, or the localizer's text
// for the id ("" when the id is unknown or there is no localizer).
#pragma once

#include <cstdint>
#include <string>

namespace s::lang {
class Localizer;
}

namespace s::gui {

class LocalText {
public:
    static constexpr std::int32_t kLiteral = -1;

    void setLiteral(std::string text) { literal_ = std::move(text), id_ = kLiteral; }
    void setId(std::int32_t id) { id_ = id, literal_.clear(); }
    std::int32_t id() const { return id_; }
    bool isLocalized() const { return id_ >= 0; }
    // Updates the cached text from the localizer (ids only) and returns it.
    const std::string& resolve(s::lang::Localizer* localizer);
    // The text as last resolved (or the literal).
    const std::string& text() const { return literal_; }
    void clear() { literal_.clear(), id_ = kLiteral; }

private:
    std::string literal_;
    std::int32_t id_ = kLiteral;
};

}  // namespace s::gui
