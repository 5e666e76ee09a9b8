// s::lang::LocalizerFactory -- builds the program's localizer at start-up
// from the language pack embedded in the binary, with the user's interface
// language current.
//
// Never fails loudly: a pack that cannot be read gives a localizer without
// packs, whose every lookup is the empty string. Only when no localizer
// object can be had at all is the result null.
#pragma once

#include <string_view>

#include "foundation/EasyPooler.h"
#include "shell/lang/Localizer.h"

namespace s::lang {

class LocalizerFactory {
public:
    // The embedded pack, with systemLanguageName() selected.
    static s::thread::Pooled<Localizer> create();
    // A pack document given as UTF-8 bytes, with the named language selected.
    static s::thread::Pooled<Localizer> create(std::string_view documentUtf8,
                                               std::string_view languageName);
};

}  // namespace s::lang
