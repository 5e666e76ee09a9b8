// The user's interface language from the POSIX locale variables, and the
// pack it selects in the shipped language pack.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "res/LanguagePack.h"
#include "shell/lang/LocalizerFactory.h"
#include "shell/lang/SystemLanguage.h"

namespace {

using s::lang::LocaleEnvironment;
using s::lang::Localizer;
using s::lang::LocalizerFactory;
using s::thread::Pooled;

TEST(SystemLanguage, LocaleSelectsThePackOfItsLanguage) {
    struct Case {
        LocaleEnvironment environment;  // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        const char* name;
        const char* pack;
    };
    const Case cases[] = {
        {{"", "", "", "ja_JP.UTF-8"}, "Japanese", "Japanese"},
        {{"", "", "", "de"}, "German", "German"},
        {{"", "", "", "pt_BR.UTF-8"}, "Portuguese_brazilian", "Portuguese_Brazilian"},
        {{"", "", "", "pt_PT.UTF-8"}, "Portuguese_portugal", "Portuguese_Brazilian"},
        {{"", "", "", "zh_CN.UTF-8"}, "Chinese_simplified", "Chinese_Simplified"},
        {{"", "", "", "zh_SG"}, "Chinese_simplified", "Chinese_Simplified"},
        {{"", "", "", "zh_HK.UTF-8"}, "Chinese_traditional", "Chinese_Traditional"},
        {{"", "", "", "zh_TW"}, "Chinese_traditional", "Chinese_Traditional"},
        {{"", "", "", "sr_RS@latin"}, "Serbian_latin", "Serbian_Latin"},
        {{"sr@latin:sr", "", "", ""}, "Serbian_latin", "Serbian_Latin"},
        {{"", "", "", "sr_RS.UTF-8"}, "Serbian_cyrillic", "Serbian_Cyrillic"},
        {{"", "", "", "hr_HR"}, "Croatian", "Croatian"},
        {{"", "", "", "nb_NO.UTF-8"}, "Norwegian", "Norwegian"},
        {{"", "", "", "fa_IR"}, "Persian", "Persian"},
        {{"", "", "", "iw_IL"}, "Hebrew", "Hebrew"},
        {{"", "", "", "in_ID"}, "Indonesian", "Indonesian"},
        {{"", "", "", "vec_IT"}, "Venetian", "Venetian"},
        {{"", "", "", "bs_BA"}, "Bosnian", "English"},  // a language without a pack
        {{"", "", "", "xx_YY.UTF-8"}, "Unknown", "English"},
        {{"", "", "", ""}, "Unknown", "English"},
        {{"", "", "", "en_US.UTF-8"}, "English", "English"},
        // The first usable variable wins; empty, C and POSIX do not count.
        {{"fr_FR:de", "ja_JP", "ko_KR", "it_IT"}, "French", "French"},
        {{":de", "", "", "it_IT"}, "German", "German"},
        {{"", "ja_JP.UTF-8", "ko_KR", "it_IT"}, "Japanese", "Japanese"},
        {{"", "C", "ko_KR.UTF-8", "it_IT"}, "Korean", "Korean"},
        {{"", "C.UTF-8", "POSIX", "it_IT.UTF-8"}, "Italian", "Italian"},
        {{"", "", "", "C"}, "Unknown", "English"},
    };
    const std::span<const std::uint8_t> bytes = s::res::languagePack();
    const std::string_view document(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (const Case& c : cases) {
        const std::string name = s::lang::languageNameForLocale(c.environment);
        SCOPED_TRACE(c.environment.language + "|" + c.environment.lcAll + "|" +
                     c.environment.lcMessages + "|" + c.environment.lang);
        EXPECT_EQ(name, c.name);
        const Pooled<Localizer> localizer = LocalizerFactory::create(document, name);
        ASSERT_NE(localizer->currentLanguage(), nullptr);
        EXPECT_EQ(localizer->currentLanguage()->engName(), c.pack);
    }
}

}  // namespace
