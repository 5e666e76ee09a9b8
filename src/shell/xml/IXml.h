// s::xml::IXml -- the common base of the XML reader's objects (elements).
// It adds nothing to the object protocol; it marks the family so callers can
// hold any XML object through one type.
#pragma once

#include "foundation/IObject.h"

namespace s::xml {

class IXml : public s::base::IObject {};

}  // namespace s::xml
