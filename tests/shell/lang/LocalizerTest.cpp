// Loading a pack document into language packs, looking texts up, and
// choosing the current language.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shell/lang/ILocalizerListener.h"
#include "shell/lang/LocalizerFactory.h"

namespace {

using s::lang::ILocalizerListener;
using s::lang::LangPack;
using s::lang::Localizer;
using s::lang::LocalizerFactory;
using s::thread::Pooled;

// Three languages. Entry 200 lacks Japanese; entry 300 starts with German;
// entry 400 is empty in German; entry 500 is written twice.
constexpr const char* kDocument = R"(<lang>
  <languages>
    <entry tagName="eng" engName="English" trueName="English"/>
    <entry tagName="deu" engName="German" trueName="Deutsch &amp; mehr"/>
    <entry tagName="jpn" engName="Japanese" trueName="日本語"/>
  </languages>
  <entries>
    <entry id="100">greeting on the first page
      <eng>Hello</eng>
      <DEU>Hallo</DEU>
      <jpn>こんにちは</jpn>
    </entry>
    <entry id="200"><eng>Only &lt;English&gt;</eng><deu>Nur Deutsch</deu><xyz>ignored</xyz></entry>
    <entry id="300"><deu>Erst Deutsch</deu><eng>English second</eng></entry>
    <entry id="400"><eng>Filled</eng><deu/></entry>
    <entry id="500"><eng>First</eng></entry>
    <entry id="500"><eng>Second</eng></entry>
    <entry id="title"><eng>Keyed</eng></entry>
  </entries>
</lang>)";

struct RecordingListener final : ILocalizerListener {
    void onLanguageChanged(Localizer& localizer) override {
        seen.push_back(localizer.currentLanguage()->engName());
    }
    std::vector<std::string> seen;
};

Pooled<Localizer> fixture(const char* language = "English") {
    Pooled<Localizer> localizer = LocalizerFactory::create(kDocument, language);
    EXPECT_TRUE(localizer);
    return localizer;
}

TEST(Localizer, MissingTranslationsFallBackToTheEntrysFirstText) {
    struct Case {
        const char* language;
        std::uint32_t id;
        const char* text;
    };
    const Case cases[] = {
        {"German", 100, "Hallo"},  // tags match ignoring case
        {"Japanese", 100, "こんにちは"},
        {"Japanese", 200, "Only <English>"},
        {"German", 200, "Nur Deutsch"},
        {"Japanese", 300, "Erst Deutsch"},  // the first child, whatever its language
        {"English", 300, "English second"},
        {"Japanese", 400, "Filled"},
        {"English", 500, "First"},  // an id written twice reads as the first
        {"German", 500, "First"},
    };
    const Pooled<Localizer> localizer = fixture();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + std::to_string(c.id));
        localizer->selectLanguage(c.language);
        EXPECT_EQ(localizer->text(c.id), c.text);
        EXPECT_TRUE(localizer->hasText(c.id));
    }
}

TEST(Localizer, EmptyAndUnknownTextsReadAsEmpty) {
    const Pooled<Localizer> localizer = fixture("German");
    EXPECT_EQ(localizer->text(400), "");
    EXPECT_FALSE(localizer->hasText(400));
    EXPECT_EQ(localizer->text(999), "");
    EXPECT_FALSE(localizer->hasText(999));

    // A key that is not a number is kept apart from the numeric ids.
    const LangPack* pack = localizer->currentLanguage();
    ASSERT_NE(pack->findKeyedText("title"), nullptr);
    EXPECT_EQ(*pack->findKeyedText("title"), "Keyed");
    EXPECT_EQ(pack->ids(), (std::vector<std::uint32_t>{100, 200, 300, 400, 500, 500}));
}

TEST(Localizer, PacksCarryTheirDecodedNames) {
    const Pooled<Localizer> localizer = fixture();
    ASSERT_EQ(localizer->languageCount(), 3u);
    EXPECT_EQ(localizer->languageAt(1)->tagName(), "deu");
    EXPECT_EQ(localizer->languageAt(1)->engName(), "German");
    EXPECT_EQ(localizer->languageAt(1)->trueName(), "Deutsch & mehr");
    EXPECT_EQ(localizer->languageAt(3), nullptr);
}

TEST(Localizer, ListenersHearEachChangeOnceAndNothingElse) {
    const Pooled<Localizer> localizer = fixture();
    RecordingListener first;
    RecordingListener second;
    localizer->addListener(&first);
    localizer->addListener(&second);
    localizer->addListener(&first);  // already registered

    localizer->selectLanguage("german");
    EXPECT_EQ(localizer->currentLanguage()->engName(), "German");
    localizer->selectLanguage("GERMAN");   // the current language
    localizer->selectLanguageAt(1);        // the same, by index
    localizer->selectLanguageAt(7);        // no such pack
    localizer->selectLanguage("Klingon");  // unknown: English
    localizer->selectLanguageAt(2);
    localizer->removeListener(&second);
    localizer->selectLanguage("English");

    const std::vector<std::string> all = {"German", "English", "Japanese", "English"};
    EXPECT_EQ(first.seen, all);
    EXPECT_EQ(second.seen, std::vector<std::string>(all.begin(), all.end() - 1));
}

TEST(Localizer, ListenerMayUnregisterWhileBeingTold) {
    struct Leaving final : ILocalizerListener {
        void onLanguageChanged(Localizer& localizer) override {
            ++calls;
            localizer.removeListener(this);
            localizer.removeListener(next);  // removed before its turn
        }
        ILocalizerListener* next = nullptr;
        int calls = 0;
    };
    const Pooled<Localizer> localizer = fixture();
    Leaving leaving;
    RecordingListener removed;
    leaving.next = &removed;
    localizer->addListener(&leaving);
    localizer->addListener(&removed);

    localizer->selectLanguage("German");
    localizer->selectLanguage("Japanese");
    EXPECT_EQ(leaving.calls, 1);
    EXPECT_TRUE(removed.seen.empty());
}

TEST(Localizer, UnknownLanguageWithoutEnglishSelectsTheFirstPack) {
    const Pooled<Localizer> localizer = LocalizerFactory::create(
        R"(<lang><languages>
             <entry tagName="deu" engName="German"/><entry tagName="jpn" engName="Japanese"/>
           </languages><entries><entry id="1"><deu>Eins</deu></entry></entries></lang>)",
        "Japanese");
    localizer->selectLanguage("Klingon");
    EXPECT_EQ(localizer->currentLanguage()->engName(), "German");
    EXPECT_EQ(localizer->text(1), "Eins");
}

TEST(Localizer, LanguageFamiliesFallBackToTheirOtherPack) {
    struct Case {
        const char* packs;  // the languages of the document
        const char* name;
        const char* found;  // "" for none
    };
    const Case cases[] = {
        {"Chinese_Simplified Chinese_Traditional", "Chinese", "Chinese_Simplified"},
        {"Chinese_Simplified Chinese_Traditional", "chinese_traditional", "Chinese_Traditional"},
        {"Chinese_Traditional", "Chinese_Simplified", "Chinese_Traditional"},
        {"Portuguese Portuguese_Brazilian", "Portuguese_portugal", "Portuguese_Brazilian"},
        {"Portuguese Portuguese_Brazilian", "portuguese", "Portuguese"},
        {"Portuguese Portuguese_Portugal", "Portuguese_Angola", "Portuguese_Portugal"},
        {"Serbian_Cyrillic Serbian_Latin", "Serbian", "Serbian_Cyrillic"},
        {"Serbian_Cyrillic Serbian_Latin", "Serbian_latin", "Serbian_Latin"},
        {"Serbian_Latin", "Serbian_Cyrillic", "Serbian_Latin"},
        {"Serbian_Latin Croatian", "Serb", ""},
        {"English", "Chinese", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.packs) + " / " + c.name);
        std::string document = "<lang><languages>";
        std::string packs = c.packs;
        for (std::size_t start = 0; start <= packs.size();) {
            const std::size_t end = std::min(packs.find(' ', start), packs.size());
            document += "<entry engName=\"" + packs.substr(start, end - start) + "\"/>";
            start = end + 1;
        }
        document += "</languages></lang>";
        const Pooled<Localizer> localizer = LocalizerFactory::create(document, "English");
        const LangPack* pack = localizer->findLanguage(c.name);
        EXPECT_EQ(pack ? pack->engName() : "", c.found);
    }
}

TEST(Localizer, WithoutPacksEveryLookupIsEmpty) {
    for (const char* document : {"", "not a pack", "<lang><languages/><entries/></lang>"}) {
        SCOPED_TRACE(document);
        const Pooled<Localizer> localizer = LocalizerFactory::create(document, "English");
        ASSERT_TRUE(localizer);
        EXPECT_EQ(localizer->languageCount(), 0u);
        EXPECT_EQ(localizer->currentLanguage(), nullptr);
        EXPECT_EQ(localizer->text(100), "");
        EXPECT_FALSE(localizer->hasText(100));
        localizer->selectLanguageAt(0);
        EXPECT_EQ(localizer->currentLanguage(), nullptr);
    }
}

}  // namespace
