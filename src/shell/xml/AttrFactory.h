// s::xml::AttrFactory -- the pool attribute records come from. A document is
// parsed into many small records; reusing them spares the allocator when a
// tree is cleared and another one is built.
//
// Records travel in AttrFactory::Record handles that put them back into the
// pool (emptied) exactly once.
#pragma once

#include <memory>
#include <string_view>

#include "foundation/EasyPooler.h"
#include "shell/xml/Attribute.h"

namespace s::xml {

class AttrFactory {
public:
    struct Release {
        void operator()(Attribute* record) const noexcept;
    };
    using Record = std::unique_ptr<Attribute, Release>;

    // A record holding copies of name and value; null when memory runs out.
    static Record make(std::string_view name, std::string_view value);

private:
    static s::thread::EasyPooler<Attribute>& pool();
};

}  // namespace s::xml
