#include "shell/xml/Attributes.h"

#include <new>

#include "shell/text/NoCase.h"

namespace s::xml {

void Attributes::add(std::string_view name, std::string_view value) {
    AttrFactory::Record record = AttrFactory::make(name, value);
    if (!record) return;
    try {
        records_.push_back(std::move(record));
    } catch (const std::bad_alloc&) {
        // the record goes back to its pool; the attribute is lost
    }
}

bool Attributes::find(std::string_view name, std::size_t* outIndex) const {
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (s::str::NoCase::equals(records_[i]->name, name)) {
            if (outIndex) *outIndex = i;
            return true;
        }
    }
    return false;
}

const Attribute* Attributes::record(std::string_view name) const {
    std::size_t index = 0;
    return find(name, &index) ? records_[index].get() : nullptr;
}

void Attributes::parseList(TextCursor& cursor) {
    for (;;) {
        cursor.skipWhitespace();
        const char c = cursor.peek();
        if (cursor.atEnd() || c == '>' || c == '/') return;
        const std::string_view name = cursor.takeUntilAny("= ");
        if (!cursor.skipTo('"')) return;
        cursor.advance();
        const std::string_view value = cursor.takeUntilAny("\"");
        cursor.advance();
        // An empty name would turn the attribute into element text.
        if (!name.empty()) add(name, value);
    }
}

}  // namespace s::xml
