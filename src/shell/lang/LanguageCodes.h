// s::lang::LanguageCodes -- the upper-case language name of a locale's
// language: "ja" gives "JAPANESE", "zh" with territory "TW" gives
// "CHINESE_TRADITIONAL", "sr" with modifier "latin" gives "SERBIAN_LATIN".
// The names are those the language pack's English names are derived from.
#pragma once

#include <string_view>

namespace s::lang {

class LanguageCodes {
public:
    // Codes compare ignoring case. Returns an empty view for an unknown language.
    static std::string_view upperName(std::string_view language, std::string_view territory,
                                      std::string_view modifier);

private:
    static std::string_view plainName(std::string_view language);
};

}  // namespace s::lang
