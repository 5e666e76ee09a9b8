// The language pack embedded in the binaries: its languages, that every
// language really holds every text, and the entity-protected spaces.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "res/LanguagePack.h"
#include "shell/lang/LocalizerFactory.h"
#include "shell/xml/Node.h"

namespace {

using s::lang::LangPack;
using s::lang::Localizer;
using s::lang::LocalizerFactory;
using s::thread::Pooled;
using s::xml::Node;

// Every id the program's interface uses.
constexpr std::uint32_t kIds[] = {
    300000,  400010,  400020,     400030,     400080,  400100,  400120,  400200,  400210,  400220,
    400230,  400300,  400310,     400320,     400330,  400340,  400380,  400390,  500000,  500003,
    500006,  500010,  500020,     500030,     500040,  500050,  500060,  500070,  608299,  609000,
    609100,  609200,  609300,     609350,     609400,  609420,  609430,  609440,  609450,  609460,
    609470,  609480,  609500,     609510,     609520,  609530,  609600,  609610,  700000,  700001,
    701000,  701100,  701200,     701300,     701900,  1000000, 1001000, 1002000, 1003000, 1004000,
    1005000, 1006000, 1006050,    1101000,    1102000, 1105000, 1106000, 1107000, 1108000, 1109000,
    1110000, 1120000, 1130000,    1140000,    1150000, 1160000, 1170000, 1180000, 1201000, 1202000,
    1203000, 1204000, 2010000000, 2010001000,
};

std::string_view embeddedDocument() {
    const std::span<const std::uint8_t> bytes = s::res::languagePack();
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

Pooled<Localizer> embeddedPack() {
    Pooled<Localizer> localizer = LocalizerFactory::create(embeddedDocument(), "English");
    EXPECT_TRUE(localizer);
    return localizer;
}

// The text of id in the language at index.
std::string textIn(Localizer& localizer, std::size_t index, std::uint32_t id) {
    localizer.selectLanguageAt(index);
    return localizer.text(id);
}

TEST(LanguagePack, IsEmbeddedAsUtf8WithByteOrderMark) {
    const std::string_view document = embeddedDocument();
    ASSERT_GT(document.size(), 3u);
    EXPECT_EQ(document.substr(0, 3), "\xEF\xBB\xBF");
}

TEST(LanguagePack, ListsTheFortyLanguagesInMenuOrder) {
    struct Language {
        const char* tag;
        const char* engName;
        const char* trueName;
    };
    const Language expected[] = {
        {"eng", "English", "English"},
        {"ara", "Arabic", "العربية"},
        {"ind", "Indonesian", "Bahasa Indonesia"},
        {"bel", "Belarusian", "Беларуская"},
        {"bul", "Bulgarian", "Български"},
        {"hrv", "Croatian", "Hrvatski"},
        {"cze", "Czech", "Čeština"},
        {"zhs", "Chinese_Simplified", "简体中文"},
        {"zht", "Chinese_Traditional", "繁體中文"},
        {"dan", "Danish", "Dansk"},
        {"nld", "Dutch", "Nederlands"},
        {"est", "Estonian", "Eesti"},
        {"fin", "Finnish", "Suomi"},
        {"deu", "German", "Deutsch"},
        {"ell", "Greek", "Ελληνικά"},
        {"spa", "Spanish", "Español"},
        {"fra", "French", "Français"},
        {"heb", "Hebrew", "עברית"},
        {"hin", "Hindi", "हिंदी"},
        {"ita", "Italian", "Italiano"},
        {"jpn", "Japanese", "日本語"},
        {"kor", "Korean", "한국어"},
        {"hun", "Hungarian", "Magyar"},
        {"nor", "Norwegian", "Norsk"},
        {"per", "Persian", "فارسی"},
        {"pol", "Polish", "Polski"},
        {"por", "Portuguese", "Português"},
        {"bra", "Portuguese_Brazilian", "Português (Brasil)"},
        {"rom", "Romanian", "Română"},
        {"rus", "Russian", "Русский"},
        {"cpn", "Serbian_Cyrillic", "Српски (ћирилица)"},
        {"slk", "Slovak", "Slovenčina"},
        {"slv", "Slovenian", "Slovenščina"},
        {"swe", "Swedish", "Svenska"},
        {"tha", "Thai", "ไทย"},
        {"tur", "Turkish", "Türkçe"},
        {"ukr", "Ukrainian", "Українська"},
        {"vie", "Vietnamese", "Tiếng Việt"},
        {"srp", "Serbian_Latin", "Srpski (latinica)"},
        {"vec", "Venetian", "Vèneto"},
    };
    const Pooled<Localizer> localizer = embeddedPack();
    ASSERT_EQ(localizer->languageCount(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].engName);
        const LangPack* pack = localizer->languageAt(i);
        EXPECT_EQ(pack->tagName(), expected[i].tag);
        EXPECT_EQ(pack->engName(), expected[i].engName);
        EXPECT_EQ(pack->trueName(), expected[i].trueName);
    }
}

// Checked on the document itself: loading fills a missing translation with
// English, so the loaded packs could not reveal a gap.
TEST(LanguagePack, EveryEntryIsWrittenOutInEveryLanguage) {
    const Pooled<Localizer> localizer = embeddedPack();
    Pooled<Node> root = Node::take();
    root->parseUtf8(embeddedDocument());
    const Node* entries = root->getChild("entries");
    ASSERT_NE(entries, nullptr);

    std::vector<std::uint32_t> documentIds;
    for (std::size_t e = 0; e < entries->childCount(); ++e) {
        const Node* entry = entries->child(e);
        const std::string id = entry->getRaw("id", "");
        SCOPED_TRACE(id);
        documentIds.push_back(static_cast<std::uint32_t>(std::stoul(id)));
        ASSERT_GT(entry->childCount(), 0u);
        EXPECT_EQ(entry->child(0)->name(), "eng");
        for (std::size_t i = 0; i < localizer->languageCount(); ++i) {
            const std::string& tag = localizer->languageAt(i)->tagName();
            const Node* text = entry->getChild(tag);
            ASSERT_NE(text, nullptr) << tag;
            EXPECT_FALSE(text->getString("", "").empty()) << tag;
        }
    }
    EXPECT_EQ(documentIds, std::vector<std::uint32_t>(std::begin(kIds), std::end(kIds)));
}

TEST(LanguagePack, EnglishTextsKeepTheirEntities) {
    struct Case {
        std::uint32_t id;
        const char* text;
    };
    const Case cases[] = {
        {1107000, " Images"},           {1106000, "Up to "},
        {1004000, "Create: "},          {400330, "       Yes       "},
        {400340, "       No       "},   {1005000, "Advanced Options >>"},
        {1006000, "<< Minimize"},       {609420, "\"Keep on Top\" Check Box"},
        {400380, "Don't ask me again"}, {500030, "Windows XP/Vista/7/8.1/10"},
        {2010001000, "Close"},
    };
    const Pooled<Localizer> localizer = embeddedPack();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(localizer->text(c.id), c.text);
    }
}

TEST(LanguagePack, TranslationsKeepTheProtectedSpacesOfEnglish) {
    const Pooled<Localizer> localizer = embeddedPack();
    for (std::size_t i = 1; i < localizer->languageCount(); ++i) {
        SCOPED_TRACE(localizer->languageAt(i)->engName());
        for (std::uint32_t id : kIds) {
            SCOPED_TRACE(id);
            const std::string english = textIn(*localizer, 0, id);
            const std::string translated = textIn(*localizer, i, id);
            ASSERT_FALSE(translated.empty());
            EXPECT_EQ(translated.front() == ' ', english.front() == ' ');
            EXPECT_EQ(translated.back() == ' ', english.back() == ' ');
        }
    }
}

TEST(LanguagePack, OnlyNamesAddressesVersionDateAndSystemsStayUntranslated) {
    const std::uint32_t kept[] = {300000, 500000, 500003, 500006, 500010, 500020,
                                  500030, 500040, 500050, 500060, 500070, 1003000};
    const std::uint32_t translated[] = {400100,  400120,  609440,  609510,  700000,  700001,
                                        1002000, 1006050, 1101000, 1130000, 1204000, 608299};
    const Pooled<Localizer> localizer = embeddedPack();
    for (std::size_t i = 1; i < localizer->languageCount(); ++i) {
        SCOPED_TRACE(localizer->languageAt(i)->engName());
        for (std::uint32_t id : kept) {
            EXPECT_EQ(textIn(*localizer, i, id), textIn(*localizer, 0, id)) << id;
        }
        for (std::uint32_t id : translated) {
            EXPECT_NE(textIn(*localizer, i, id), textIn(*localizer, 0, id)) << id;
        }
    }
}

TEST(LanguagePack, WebAddressesAreAbsoluteAndUpdateBaseEndsWithSlash) {
    const Pooled<Localizer> localizer = embeddedPack();
    for (std::uint32_t id : {500003, 500006, 500040, 500050, 500060, 500070}) {
        SCOPED_TRACE(id);
        const std::string address = localizer->text(id);
        EXPECT_EQ(address.rfind("https://zorq.org/", 0), 0u) << address;
        EXPECT_EQ(address.back(), '/');
    }
    // The update check appends "check/" to this base.
    EXPECT_EQ(localizer->text(500006), "https://zorq.org/tarvex/version/");
}

// Every translation of the end-of-job summary must keep each count's
// placeholder exactly once, or a count would be lost or shown twice, and the
// two separators between the three labels.
TEST(LanguagePack, JobSummaryKeepsItsThreeCountsInEveryLanguage) {
    const Pooled<Localizer> localizer = embeddedPack();
    const auto occurrences = [](const std::string& text, std::string_view part) {
        std::size_t count = 0;
        for (std::size_t at = text.find(part); at != std::string::npos;
             at = text.find(part, at + part.size())) {
            ++count;
        }
        return count;
    };
    for (std::size_t i = 0; i < localizer->languageCount(); ++i) {
        SCOPED_TRACE(localizer->languageAt(i)->engName());
        const std::string summary = textIn(*localizer, i, 609500);
        for (std::string_view placeholder : {"%1", "%2", "%3"}) {
            EXPECT_EQ(occurrences(summary, placeholder), 1u) << placeholder << " in " << summary;
        }
        EXPECT_EQ(occurrences(summary, "%"), 3u) << summary;
        EXPECT_EQ(occurrences(summary, " \u00B7 "), 2u) << summary;
    }
}

// The settings store keeps the English name of the chosen language; every
// pack must be found again from it, whatever its native name says.
TEST(LanguagePack, StoredEnglishNameSelectsItsLanguageAtStart) {
    const Pooled<Localizer> all = embeddedPack();
    for (std::size_t i = 0; i < all->languageCount(); ++i) {
        const std::string stored = all->languageAt(i)->engName();
        SCOPED_TRACE(stored);
        const Pooled<Localizer> started = LocalizerFactory::create(embeddedDocument(), stored);
        ASSERT_NE(started->currentLanguage(), nullptr);
        EXPECT_EQ(started->currentLanguage()->tagName(), all->languageAt(i)->tagName());
    }
    struct Case {
        const char* stored;
        const char* trueName;
        std::uint32_t id;
        const char* text;
    };
    const Case cases[] = {
        {"Portuguese_Brazilian", "Português (Brasil)", 609300, "Arraste fácil"},
        {"Czech", "Čeština", 1006050, "Zrušit"},
        {"Serbian_Latin", "Srpski (latinica)", 1006050, "Otkaži"},
        {"Venetian", "Vèneto", 400120, "Sara"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const Pooled<Localizer> started = LocalizerFactory::create(embeddedDocument(), c.stored);
        ASSERT_NE(started->currentLanguage(), nullptr);
        EXPECT_EQ(started->currentLanguage()->trueName(), c.trueName);
        EXPECT_EQ(started->text(c.id), c.text);
    }
}

TEST(LanguagePack, StartupFactoryLoadsTheEmbeddedPack) {
    const Pooled<Localizer> localizer = LocalizerFactory::create();
    ASSERT_TRUE(localizer);
    EXPECT_EQ(localizer->languageCount(), 40u);
    ASSERT_NE(localizer->currentLanguage(), nullptr);
    EXPECT_EQ(localizer->text(500010), "1.24");
}

}  // namespace
