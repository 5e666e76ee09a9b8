#include "shell/xml/AttrFactory.h"

#include <new>

namespace s::xml {

s::thread::EasyPooler<Attribute>& AttrFactory::pool() {
    static s::thread::EasyPooler<Attribute> instance;
    return instance;
}

void AttrFactory::Release::operator()(Attribute* record) const noexcept {
    pool().put(record);
}

AttrFactory::Record AttrFactory::make(std::string_view name, std::string_view value) {
    Record record(pool().get());
    if (!record) return record;
    try {
        record->name.assign(name);
        record->value.assign(value);
    } catch (const std::bad_alloc&) {
        record.reset();
    }
    return record;
}

}  // namespace s::xml
