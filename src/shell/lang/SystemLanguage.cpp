#include "shell/lang/SystemLanguage.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "shell/lang/LanguageCodes.h"

namespace s::lang {

namespace {

// The parts of a locale name: language[_territory][.codeset][@modifier].
// "-" is accepted as a separator too ("pt-BR"), and a script written as a
// second part ("zh_Hant", "sr_Latn") lands in territory.
struct LocaleParts {
    std::string_view language;
    std::string_view territory;
    std::string_view modifier;
};

LocaleParts split(std::string_view locale) {
    LocaleParts parts;
    const std::size_t at = locale.find('@');
    if (at != std::string_view::npos) {
        parts.modifier = locale.substr(at + 1);
        parts.modifier = parts.modifier.substr(0, parts.modifier.find('.'));
        locale = locale.substr(0, at);
    }
    locale = locale.substr(0, locale.find('.'));
    const std::size_t separator = locale.find_first_of("_-");
    parts.language = locale.substr(0, separator);
    if (separator != std::string_view::npos) {
        std::string_view rest = locale.substr(separator + 1);
        parts.territory = rest.substr(0, rest.find_first_of("_-"));
    }
    return parts;
}

// Empty values and the C/POSIX locales (with or without a codeset, as in
// "C.UTF-8") name no language.
bool namesALanguage(std::string_view locale) {
    const std::string_view base = locale.substr(0, locale.find_first_of(".@"));
    return !base.empty() && base != "C" && base != "POSIX";
}

// LANGUAGE is a colon-separated list of preferences; its first entry counts.
std::string_view firstListEntry(std::string_view list) {
    std::size_t start = 0;
    while (start < list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        if (end > start) return list.substr(start, end - start);
        start = end + 1;
    }
    return {};
}

std::string_view chosenLocale(const LocaleEnvironment& environment) {
    const std::string_view candidates[] = {firstListEntry(environment.language), environment.lcAll,
                                           environment.lcMessages, environment.lang};
    for (std::string_view candidate : candidates) {
        if (namesALanguage(candidate)) return candidate;
    }
    return {};
}

// "PORTUGUESE_BRAZILIAN" -> "Portuguese_brazilian".
std::string capitalised(std::string_view upperName) {
    std::string name(upperName);
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (i == 0 && c >= 'a' && c <= 'z') name[i] = char(c - 'a' + 'A');
        if (i > 0 && c >= 'A' && c <= 'Z') name[i] = char(c - 'A' + 'a');
    }
    return name;
}

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

LocaleEnvironment LocaleEnvironment::current() {
    return {variable("LANGUAGE"), variable("LC_ALL"), variable("LC_MESSAGES"), variable("LANG")};
}

std::string languageNameForLocale(const LocaleEnvironment& environment) {
    const LocaleParts parts = split(chosenLocale(environment));
    const std::string_view upper =
        LanguageCodes::upperName(parts.language, parts.territory, parts.modifier);
    return upper.empty() ? std::string("Unknown") : capitalised(upper);
}

const std::string& systemLanguageName() {
    static const std::string name = languageNameForLocale(LocaleEnvironment::current());
    return name;
}

}  // namespace s::lang
