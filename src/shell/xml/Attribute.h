// s::xml::Attribute -- one attribute record of an element: a name and a
// value, both exactly as they stand in the document (still escaped). A record
// with an empty name holds a run of the element's text.
#pragma once

#include <string>

namespace s::xml {

struct Attribute {
    std::string name;
    std::string value;

    bool isText() const { return name.empty(); }
    // Frees both strings (the record goes back to its pool empty).
    void reset() {
        name = std::string();
        value = std::string();
    }
};

}  // namespace s::xml
