#include "shell/lang/LanguageCodes.h"

#include <initializer_list>

#include "shell/text/NoCase.h"

namespace s::lang {

namespace {

using s::str::NoCase;

bool isAnyOf(std::string_view value, std::initializer_list<std::string_view> options) {
    for (std::string_view option : options) {
        if (NoCase::equals(value, option)) return true;
    }
    return false;
}

std::string_view chinese(std::string_view territory, std::string_view) {
    return isAnyOf(territory, {"TW", "HK", "MO", "Hant"}) ? "CHINESE_TRADITIONAL"
                                                          : "CHINESE_SIMPLIFIED";
}

std::string_view portuguese(std::string_view territory, std::string_view) {
    return NoCase::equals(territory, "BR") ? "PORTUGUESE_BRAZILIAN" : "PORTUGUESE_PORTUGAL";
}

std::string_view serbian(std::string_view territory, std::string_view modifier) {
    return NoCase::equals(modifier, "latin") || NoCase::equals(territory, "Latn")
               ? "SERBIAN_LATIN"
               : "SERBIAN_CYRILLIC";
}

// Languages whose name depends on the territory or the script.
struct Variant {
    std::string_view language;
    std::string_view (*name)(std::string_view territory, std::string_view modifier);
};

constexpr Variant kVariants[] = {
    {"zh", chinese},
    {"pt", portuguese},
    {"sr", serbian},
};

struct Code {
    std::string_view language;
    std::string_view name;
};

// ISO 639 codes (two letters, or three where a language has no two-letter
// code), with the older codes some systems still use (iw, in).
constexpr Code kCodes[] = {
    {"af", "AFRIKAANS"},
    {"am", "AMHARIC"},
    {"ar", "ARABIC"},
    {"arn", "MAPUDUNGUN"},
    {"as", "ASSAMESE"},
    {"az", "AZERI"},
    {"ba", "BASHKIR"},
    {"be", "BELARUSIAN"},
    {"bg", "BULGARIAN"},
    {"bn", "BENGALI"},
    {"bo", "TIBETAN"},
    {"br", "BRETON"},
    {"bs", "BOSNIAN"},
    {"ca", "CATALAN"},
    {"chr", "CHEROKEE"},
    {"ckb", "CENTRAL_KURDISH"},
    {"co", "CORSICAN"},
    {"cs", "CZECH"},
    {"cy", "WELSH"},
    {"da", "DANISH"},
    {"de", "GERMAN"},
    {"dsb", "LOWER_SORBIAN"},
    {"dv", "DIVEHI"},
    {"el", "GREEK"},
    {"en", "ENGLISH"},
    {"es", "SPANISH"},
    {"et", "ESTONIAN"},
    {"eu", "BASQUE"},
    {"fa", "PERSIAN"},
    {"ff", "FULAH"},
    {"fi", "FINNISH"},
    {"fil", "FILIPINO"},
    {"fo", "FAEROESE"},
    {"fr", "FRENCH"},
    {"fy", "FRISIAN"},
    {"ga", "IRISH"},
    {"gd", "SCOTTISH_GAELIC"},
    {"gl", "GALICIAN"},
    {"gsw", "ALSATIAN"},
    {"gu", "GUJARATI"},
    {"ha", "HAUSA"},
    {"haw", "HAWAIIAN"},
    {"he", "HEBREW"},
    {"hi", "HINDI"},
    {"hr", "CROATIAN"},
    {"hsb", "UPPER_SORBIAN"},
    {"hu", "HUNGARIAN"},
    {"hy", "ARMENIAN"},
    {"id", "INDONESIAN"},
    {"ig", "IGBO"},
    {"ii", "YI"},
    {"in", "INDONESIAN"},
    {"is", "ICELANDIC"},
    {"it", "ITALIAN"},
    {"iu", "INUKTITUT"},
    {"iw", "HEBREW"},
    {"ja", "JAPANESE"},
    {"ka", "GEORGIAN"},
    {"kk", "KAZAK"},
    {"kl", "GREENLANDIC"},
    {"km", "KHMER"},
    {"kn", "KANNADA"},
    {"ko", "KOREAN"},
    {"kok", "KONKANI"},
    {"ks", "KASHMIRI"},
    {"ky", "KYRGYZ"},
    {"lb", "LUXEMBOURGISH"},
    {"lo", "LAO"},
    {"lt", "LITHUANIAN"},
    {"lv", "LATVIAN"},
    {"mi", "MAORI"},
    {"mk", "MACEDONIAN"},
    {"ml", "MALAYALAM"},
    {"mn", "MONGOLIAN"},
    {"mni", "MANIPURI"},
    {"moh", "MOHAWK"},
    {"mr", "MARATHI"},
    {"ms", "MALAY"},
    {"mt", "MALTESE"},
    {"nb", "NORWEGIAN"},
    {"ne", "NEPALI"},
    {"nl", "DUTCH"},
    {"nn", "NORWEGIAN"},
    {"no", "NORWEGIAN"},
    {"nso", "SOTHO"},
    {"oc", "OCCITAN"},
    {"or", "ORIYA"},
    {"pa", "PUNJABI"},
    {"pl", "POLISH"},
    {"prs", "DARI"},
    {"ps", "PASHTO"},
    {"qu", "QUECHUA"},
    {"quc", "KICHE"},
    {"rm", "ROMANSH"},
    {"ro", "ROMANIAN"},
    {"ru", "RUSSIAN"},
    {"rw", "KINYARWANDA"},
    {"sa", "SANSKRIT"},
    {"sah", "SAKHA"},
    {"sd", "SINDHI"},
    {"se", "SAMI"},
    {"si", "SINHALESE"},
    {"sk", "SLOVAK"},
    {"sl", "SLOVENIAN"},
    {"sma", "SAMI"},
    {"smj", "SAMI"},
    {"smn", "SAMI"},
    {"sms", "SAMI"},
    {"sq", "ALBANIAN"},
    {"sv", "SWEDISH"},
    {"sw", "SWAHILI"},
    {"syr", "SYRIAC"},
    {"ta", "TAMIL"},
    {"te", "TELUGU"},
    {"tg", "TAJIK"},
    {"th", "THAI"},
    {"ti", "TIGRIGNA"},
    {"tk", "TURKMEN"},
    {"tl", "FILIPINO"},
    {"tn", "TSWANA"},
    {"tr", "TURKISH"},
    {"tt", "TATAR"},
    {"tzm", "TAMAZIGHT"},
    {"ug", "UIGHUR"},
    {"uk", "UKRAINIAN"},
    {"ur", "URDU"},
    {"uz", "UZBEK"},
    {"vec", "VENETIAN"},
    {"vi", "VIETNAMESE"},
    {"wo", "WOLOF"},
    {"xh", "XHOSA"},
    {"yo", "YORUBA"},
    {"zu", "ZULU"},
};

}  // namespace

std::string_view LanguageCodes::upperName(std::string_view language, std::string_view territory,
                                          std::string_view modifier) {
    for (const Variant& variant : kVariants) {
        if (NoCase::equals(language, variant.language)) return variant.name(territory, modifier);
    }
    return plainName(language);
}

std::string_view LanguageCodes::plainName(std::string_view language) {
    for (const Code& code : kCodes) {
        if (NoCase::equals(language, code.language)) return code.name;
    }
    return {};
}

}  // namespace s::lang
