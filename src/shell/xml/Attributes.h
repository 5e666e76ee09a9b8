// s::xml::Attributes -- the ordered attribute list of an element, and the
// parser of the attribute list in a start tag.
//
// Records keep their document order; names are looked up case-insensitively
// and the first match wins, so a name written twice keeps both records but
// reads as the first. Records with an empty name hold element text.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "foundation/IObject.h"
#include "shell/xml/AttrFactory.h"
#include "shell/xml/TextCursor.h"

namespace s::xml {

class Attributes final : public s::base::IObject {
public:
    const char* getClassName() const override { return "s_xml_Attributes"; }

    // Appends a record holding copies of both strings (dropped when memory runs out).
    void add(std::string_view name, std::string_view value);
    // Index of the first record whose name matches, ignoring case.
    bool find(std::string_view name, std::size_t* outIndex = nullptr) const;
    // The first matching record, or null.
    const Attribute* record(std::string_view name) const;

    std::size_t count() const { return records_.size(); }
    const Attribute& at(std::size_t index) const { return *records_.at(index); }
    void clear() { records_.clear(); }

    // Reads name="value" pairs up to the ">" or "/" that ends the start tag,
    // leaving the cursor there. Names run to "=" or a space; only double
    // quotes delimit values; raw characters are kept.
    void parseList(TextCursor& cursor);

private:
    std::vector<AttrFactory::Record> records_;
};

}  // namespace s::xml
