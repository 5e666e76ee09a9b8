#include "shell/lang/LocalizerFactory.h"

#include <cstdint>
#include <span>

#include "res/LanguagePack.h"
#include "shell/lang/SystemLanguage.h"
#include "shell/xml/Node.h"

namespace s::lang {

s::thread::Pooled<Localizer> LocalizerFactory::create() {
    const std::span<const std::uint8_t> pack = s::res::languagePack();
    const std::string_view document(reinterpret_cast<const char*>(pack.data()), pack.size());
    return create(document, systemLanguageName());
}

s::thread::Pooled<Localizer> LocalizerFactory::create(std::string_view documentUtf8,
                                                      std::string_view languageName) {
    s::thread::Pooled<Localizer> localizer = Localizer::take();
    if (!localizer) return localizer;
    {
        // The parsed document is only needed while the packs are built.
        s::thread::Pooled<s::xml::Node> root = s::xml::Node::take();
        if (root) {
            root->parseUtf8(documentUtf8);
            localizer->load(*root);
        }
    }
    localizer->selectLanguage(languageName);
    return localizer;
}

}  // namespace s::lang
