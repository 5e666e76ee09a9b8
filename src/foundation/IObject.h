// The object protocol every framework class follows: a registered class
// name ("s_image_win_BufferedImage"), an identity comparison and a hash.
// Classes that live in a pool also derive from s::thread::IPoolable.
#pragma once

#include <cstddef>
#include <cstdint>

namespace s::base {

class IObject {
public:
    virtual ~IObject() = default;

    // Registered name: the qualified class name with "_" between the parts.
    virtual const char* getClassName() const = 0;

    // Without a comparator objects compare by identity: 0 for the same
    // object, -1 when this object's address is lower, else 1.
    virtual int compareTo(const IObject& other) const {
        if (this == &other) return 0;
        return reinterpret_cast<std::uintptr_t>(this) < reinterpret_cast<std::uintptr_t>(&other)
                   ? -1
                   : 1;
    }
    bool isSame(const IObject& other) const { return compareTo(other) == 0; }

    // An identifier unique to the class: the address of its registered name.
    const void* getClassId() const { return getClassName(); }
    virtual std::size_t hashCode() const { return reinterpret_cast<std::size_t>(getClassId()); }
};

}  // namespace s::base
