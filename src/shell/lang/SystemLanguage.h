// The user's interface language, as the English name of a language pack.
//
// The name comes from the POSIX locale: the first usable of LANGUAGE (its
// first entry), LC_ALL, LC_MESSAGES and LANG, where empty values and the
// "C" and "POSIX" locales do not count. Its language code (with territory
// and modifier where they matter: zh_TW, pt_BR, sr@latin) maps to an
// upper-case language name such as "CHINESE_TRADITIONAL", which is then
// lower-cased with a capital first letter ("Chinese_traditional"). Pack
// names compare ignoring case, so that finds the pack "Chinese_Traditional".
// A language without a name gives "Unknown", which selects English.
#pragma once

#include <string>

namespace s::lang {

// The locale variables the name is taken from; an unset variable is empty.
struct LocaleEnvironment {
    std::string language;    // LANGUAGE
    std::string lcAll;       // LC_ALL
    std::string lcMessages;  // LC_MESSAGES
    std::string lang;        // LANG

    static LocaleEnvironment current();
};

// The language name for the given locale variables.
std::string languageNameForLocale(const LocaleEnvironment& environment);

// The language name for this process's environment, computed on first use
// and kept for the life of the process.
const std::string& systemLanguageName();

}  // namespace s::lang
