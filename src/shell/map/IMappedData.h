// s::map::IMappedData -- the settings store: named, typed values in sections
// that form a path ("MainWindow\\ConvertTo\\OneSpecific"), read with a
// default and written at once.
//
// Sections are joined with "\\"; the empty section is the store's root.
// Section and value names ignore letter case; the empty value name is the
// section's unnamed value. No operation reports an error: a read that
// cannot be satisfied (missing section or value, a stored value of the wrong
// size, an unreadable store) returns the caller's default, and a write that
// cannot be made is lost. Reads never create anything.
//
// A store is used from one thread at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/IObject.h"

namespace s::map {

class IMappedData : public s::base::IObject {
public:
    using Bytes = std::vector<std::uint8_t>;

    // "prefix\\sub" (just sub when prefix is empty): how callers build section paths.
    static std::string section(std::string_view prefix, std::string_view sub) {
        if (prefix.empty()) return std::string(sub);
        std::string path(prefix);
        path += '\\';
        path += sub;
        return path;
    }

    // Writes are immediate, so saving has nothing left to do.
    virtual void save() = 0;
    // Makes the section current, creating it and all missing ancestors.
    virtual bool openForWrite(std::string_view section) = 0;
    // Removes the section with everything below it (then auto-saves); a
    // section that does not exist is left alone.
    virtual void deleteSection(std::string_view section) = 0;
    // Makes the section current if it exists, and says whether it does.
    virtual bool openForRead(std::string_view section) = 0;
    virtual bool valueExists(std::string_view section, std::string_view name) = 0;

    // 8/16/32-bit kinds and bool need exactly 4 stored bytes and take the
    // low bytes; 64-bit kinds and double need exactly 8, float exactly 4.
    virtual std::uint8_t getUInt8(std::string_view section, std::string_view name,
                                  std::uint8_t def) = 0;
    virtual std::uint16_t getUInt16(std::string_view section, std::string_view name,
                                    std::uint16_t def) = 0;
    virtual std::uint32_t getUInt32(std::string_view section, std::string_view name,
                                    std::uint32_t def) = 0;
    virtual std::uint64_t getUInt64(std::string_view section, std::string_view name,
                                    std::uint64_t def) = 0;
    virtual std::int8_t getInt8(std::string_view section, std::string_view name,
                                std::int8_t def) = 0;
    virtual std::int16_t getInt16(std::string_view section, std::string_view name,
                                  std::int16_t def) = 0;
    virtual std::int32_t getInt32(std::string_view section, std::string_view name,
                                  std::int32_t def) = 0;
    virtual std::int64_t getInt64(std::string_view section, std::string_view name,
                                  std::int64_t def) = 0;
    virtual float getFloat(std::string_view section, std::string_view name, float def) = 0;
    virtual double getDouble(std::string_view section, std::string_view name, double def) = 0;
    // True for any non-zero 4-byte value.
    virtual bool getBool(std::string_view section, std::string_view name, bool def) = 0;
    // A plain or expandable string; outWasExpandable (cleared first) tells
    // which, and expand asks for %VARIABLE% references to be expanded.
    virtual std::string getString(std::string_view section, std::string_view name,
                                  std::string_view def, bool* outWasExpandable = nullptr,
                                  bool expand = true) = 0;
    // The stored bytes of a value of any type. A missing section gives
    // target (an empty array when none is given); a value missing from an
    // existing section gives nothing.
    virtual std::optional<Bytes> getBytes(std::string_view section, std::string_view name,
                                          std::optional<Bytes> target = std::nullopt) = 0;
    // Removes the value (then auto-saves when the section exists).
    virtual void deleteValue(std::string_view section, std::string_view name) = 0;

    // Each setter creates the section when needed, stores the value at once
    // and auto-saves.
    virtual void setUInt8(std::string_view section, std::string_view name, std::uint8_t v) = 0;
    virtual void setUInt16(std::string_view section, std::string_view name, std::uint16_t v) = 0;
    virtual void setUInt32(std::string_view section, std::string_view name, std::uint32_t v) = 0;
    virtual void setUInt64(std::string_view section, std::string_view name, std::uint64_t v) = 0;
    virtual void setInt8(std::string_view section, std::string_view name, std::int8_t v) = 0;
    virtual void setInt16(std::string_view section, std::string_view name, std::int16_t v) = 0;
    virtual void setInt32(std::string_view section, std::string_view name, std::int32_t v) = 0;
    virtual void setInt64(std::string_view section, std::string_view name, std::int64_t v) = 0;
    virtual void setFloat(std::string_view section, std::string_view name, float v) = 0;
    virtual void setDouble(std::string_view section, std::string_view name, double v) = 0;
    virtual void setBool(std::string_view section, std::string_view name, bool v) = 0;
    virtual void setString(std::string_view section, std::string_view name, std::string_view v) = 0;
    virtual void setExpandString(std::string_view section, std::string_view name,
                                 std::string_view v) = 0;
    // Calls save() when auto-save is on.
    virtual void flush() = 0;
    virtual void setBytes(std::string_view section, std::string_view name,
                          std::span<const std::uint8_t> v) = 0;

    virtual bool autoSave() const = 0;
    virtual void setAutoSave(bool on) = 0;
};

}  // namespace s::map
