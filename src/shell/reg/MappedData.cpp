#include "shell/reg/MappedData.h"

#include <bit>

#include "shell/reg/EnvExpander.h"
#include "shell/reg/RegType.h"
#include "shell/reg/RegistryDb.h"
#include "shell/reg/StoreLocation.h"
#include "shell/reg/ValueForm.h"
#include "shell/text/NoCase.h"

namespace s::reg {

s::thread::Pooled<MappedData> MappedData::open(std::string_view keyPath) {
    return open(keyPath, StoreLocation::databasePath());
}

s::thread::Pooled<MappedData> MappedData::open(std::string_view keyPath,
                                               const std::string& databasePath) {
    s::thread::Pooled<MappedData> store = take();
    if (!store) return store;
    store->db_ = std::make_shared<RegistryDb>(databasePath);
    store->basePath_.assign(keyPath);
    store->key("");
    return store;
}

void MappedData::reset() {
    db_.reset();
    basePath_.clear();
    currentPath_.clear();
    hasCurrent_ = false;
    current_.reset();
    autoSave_ = false;
}

const std::string& MappedData::databasePath() const {
    static const std::string kNone;
    return db_ ? db_->path() : kNone;
}

win::RegDir& MappedData::key(std::string_view section) {
    if (hasCurrent_ && s::str::NoCase::equals(section, currentPath_)) return current_;
    currentPath_.assign(section);
    hasCurrent_ = true;
    std::string keyPath = basePath_;
    if (!section.empty()) {
        keyPath += '\\';
        keyPath += section;
    }
    current_.set(db_, keyPath);  // trailing backslashes are dropped by the key path
    return current_;
}

bool MappedData::openForWrite(std::string_view section) {
    return key(section).create();
}

void MappedData::deleteSection(std::string_view section) {
    if (key(section).deleteTree()) flush();
}

bool MappedData::openForRead(std::string_view section) {
    return key(section).exists();
}

bool MappedData::valueExists(std::string_view section, std::string_view name) {
    return key(section).query(name).value.has_value();
}

std::optional<std::uint32_t> MappedData::read32(std::string_view section, std::string_view name) {
    const win::RegDir::Query found = key(section).query(name);
    return found.value ? ValueForm::as32(*found.value) : std::nullopt;
}

std::optional<std::uint64_t> MappedData::read64(std::string_view section, std::string_view name) {
    const win::RegDir::Query found = key(section).query(name);
    return found.value ? ValueForm::as64(*found.value) : std::nullopt;
}

std::uint8_t MappedData::getUInt8(std::string_view section, std::string_view name,
                                  std::uint8_t def) {
    const auto v = read32(section, name);
    return v ? static_cast<std::uint8_t>(*v) : def;
}

std::uint16_t MappedData::getUInt16(std::string_view section, std::string_view name,
                                    std::uint16_t def) {
    const auto v = read32(section, name);
    return v ? static_cast<std::uint16_t>(*v) : def;
}

std::uint32_t MappedData::getUInt32(std::string_view section, std::string_view name,
                                    std::uint32_t def) {
    return read32(section, name).value_or(def);
}

std::uint64_t MappedData::getUInt64(std::string_view section, std::string_view name,
                                    std::uint64_t def) {
    return read64(section, name).value_or(def);
}

std::int8_t MappedData::getInt8(std::string_view section, std::string_view name, std::int8_t def) {
    const auto v = read32(section, name);
    return v ? static_cast<std::int8_t>(*v) : def;
}

std::int16_t MappedData::getInt16(std::string_view section, std::string_view name,
                                  std::int16_t def) {
    const auto v = read32(section, name);
    return v ? static_cast<std::int16_t>(*v) : def;
}

std::int32_t MappedData::getInt32(std::string_view section, std::string_view name,
                                  std::int32_t def) {
    const auto v = read32(section, name);
    return v ? static_cast<std::int32_t>(*v) : def;
}

std::int64_t MappedData::getInt64(std::string_view section, std::string_view name,
                                  std::int64_t def) {
    const auto v = read64(section, name);
    return v ? static_cast<std::int64_t>(*v) : def;
}

float MappedData::getFloat(std::string_view section, std::string_view name, float def) {
    const auto v = read32(section, name);
    return v ? std::bit_cast<float>(*v) : def;
}

double MappedData::getDouble(std::string_view section, std::string_view name, double def) {
    const auto v = read64(section, name);
    return v ? std::bit_cast<double>(*v) : def;
}

bool MappedData::getBool(std::string_view section, std::string_view name, bool def) {
    const auto v = read32(section, name);
    return v ? *v != 0 : def;
}

std::string MappedData::getString(std::string_view section, std::string_view name,
                                  std::string_view def, bool* outWasExpandable, bool expand) {
    if (outWasExpandable) *outWasExpandable = false;
    const win::RegDir::Query found = key(section).query(name);
    if (!found.value) return std::string(def);
    const RegValue& value = *found.value;
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) return std::string(def);
    std::string text = ValueForm::asText(value);
    if (value.type == REG_EXPAND_SZ) {
        if (outWasExpandable) *outWasExpandable = true;
        if (expand) {
            if (std::optional<std::string> expanded = EnvExpander::expand(text)) {
                text = std::move(*expanded);
            }
        }
    }
    return text;
}

std::optional<MappedData::Bytes> MappedData::getBytes(std::string_view section,
                                                      std::string_view name,
                                                      std::optional<Bytes> target) {
    win::RegDir::Query found = key(section).query(name);
    if (!found.keyExists) return target ? std::move(target) : Bytes{};
    if (!found.value) return std::nullopt;
    return std::move(found.value->data);
}

void MappedData::deleteValue(std::string_view section, std::string_view name) {
    if (key(section).deleteValue(name)) flush();
}

void MappedData::write(std::string_view section, std::string_view name, const RegValue& value) {
    key(section).setValue(name, value);
    flush();
}

void MappedData::setUInt8(std::string_view section, std::string_view name, std::uint8_t v) {
    write(section, name, ValueForm::dword(v));
}

void MappedData::setUInt16(std::string_view section, std::string_view name, std::uint16_t v) {
    write(section, name, ValueForm::dword(v));
}

void MappedData::setUInt32(std::string_view section, std::string_view name, std::uint32_t v) {
    write(section, name, ValueForm::dword(v));
}

void MappedData::setUInt64(std::string_view section, std::string_view name, std::uint64_t v) {
    write(section, name, ValueForm::binary64(v));
}

void MappedData::setInt8(std::string_view section, std::string_view name, std::int8_t v) {
    write(section, name, ValueForm::dword(static_cast<std::uint32_t>(std::int32_t{v})));
}

void MappedData::setInt16(std::string_view section, std::string_view name, std::int16_t v) {
    write(section, name, ValueForm::dword(static_cast<std::uint32_t>(std::int32_t{v})));
}

void MappedData::setInt32(std::string_view section, std::string_view name, std::int32_t v) {
    write(section, name, ValueForm::dword(static_cast<std::uint32_t>(v)));
}

void MappedData::setInt64(std::string_view section, std::string_view name, std::int64_t v) {
    write(section, name, ValueForm::binary64(static_cast<std::uint64_t>(v)));
}

void MappedData::setFloat(std::string_view section, std::string_view name, float v) {
    write(section, name, ValueForm::binary32(std::bit_cast<std::uint32_t>(v)));
}

void MappedData::setDouble(std::string_view section, std::string_view name, double v) {
    write(section, name, ValueForm::binary64(std::bit_cast<std::uint64_t>(v)));
}

void MappedData::setBool(std::string_view section, std::string_view name, bool v) {
    write(section, name, ValueForm::dword(v ? 1 : 0));
}

void MappedData::setString(std::string_view section, std::string_view name, std::string_view v) {
    write(section, name, ValueForm::text(v, REG_SZ));
}

void MappedData::setExpandString(std::string_view section, std::string_view name,
                                 std::string_view v) {
    write(section, name, ValueForm::text(v, REG_EXPAND_SZ));
}

void MappedData::flush() {
    if (autoSave_) save();
}

void MappedData::setBytes(std::string_view section, std::string_view name,
                          std::span<const std::uint8_t> v) {
    write(section, name, ValueForm::bytes(v));
}

}  // namespace s::reg
