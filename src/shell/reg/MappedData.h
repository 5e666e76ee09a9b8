// s::reg::MappedData -- the settings store kept in the user's settings
// registry, below one base key (normally StoreLocation::kSaveDataKey).
//
// Stored forms: integers up to 32 bits and bool as REG_DWORD (signed kinds
// sign-extended), 64-bit integers and double as 8 bytes and float as 4 bytes
// of REG_BINARY, strings as REG_SZ / REG_EXPAND_SZ (UTF-16 with its NUL),
// bytes as REG_BINARY. Reads check the stored size, not the type.
//
// Every write is one transaction, durable when the setter returns, and safe
// alongside another process using the same file. Opening the store creates
// nothing; the file appears with the first write. A missing, locked,
// unreadable or corrupt file never stops the caller (see RegistryDb).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "foundation/EasyPooler.h"
#include "shell/map/IMappedData.h"
#include "shell/reg/RegValue.h"
#include "shell/reg/win/RegDir.h"

namespace s::reg {

class RegistryDb;

class MappedData final : public s::map::IMappedData, public s::thread::IPoolable {
    TARVEX_POOLED(MappedData, "s_reg_MappedData")
public:
    // A store below keyPath in the current user's registry file, located from
    // the environment now (StoreLocation::databasePath).
    static s::thread::Pooled<MappedData> open(std::string_view keyPath);
    // The same in an explicit file.
    static s::thread::Pooled<MappedData> open(std::string_view keyPath,
                                              const std::string& databasePath);

    void reset() override;
    // The registry file this store uses ("" when none could be located).
    const std::string& databasePath() const;

    void save() override {}
    bool openForWrite(std::string_view section) override;
    void deleteSection(std::string_view section) override;
    bool openForRead(std::string_view section) override;
    bool valueExists(std::string_view section, std::string_view name) override;

    std::uint8_t getUInt8(std::string_view section, std::string_view name,
                          std::uint8_t def) override;
    std::uint16_t getUInt16(std::string_view section, std::string_view name,
                            std::uint16_t def) override;
    std::uint32_t getUInt32(std::string_view section, std::string_view name,
                            std::uint32_t def) override;
    std::uint64_t getUInt64(std::string_view section, std::string_view name,
                            std::uint64_t def) override;
    std::int8_t getInt8(std::string_view section, std::string_view name, std::int8_t def) override;
    std::int16_t getInt16(std::string_view section, std::string_view name,
                          std::int16_t def) override;
    std::int32_t getInt32(std::string_view section, std::string_view name,
                          std::int32_t def) override;
    std::int64_t getInt64(std::string_view section, std::string_view name,
                          std::int64_t def) override;
    float getFloat(std::string_view section, std::string_view name, float def) override;
    double getDouble(std::string_view section, std::string_view name, double def) override;
    bool getBool(std::string_view section, std::string_view name, bool def) override;
    std::string getString(std::string_view section, std::string_view name, std::string_view def,
                          bool* outWasExpandable = nullptr, bool expand = true) override;
    std::optional<Bytes> getBytes(std::string_view section, std::string_view name,
                                  std::optional<Bytes> target = std::nullopt) override;
    void deleteValue(std::string_view section, std::string_view name) override;

    void setUInt8(std::string_view section, std::string_view name, std::uint8_t v) override;
    void setUInt16(std::string_view section, std::string_view name, std::uint16_t v) override;
    void setUInt32(std::string_view section, std::string_view name, std::uint32_t v) override;
    void setUInt64(std::string_view section, std::string_view name, std::uint64_t v) override;
    void setInt8(std::string_view section, std::string_view name, std::int8_t v) override;
    void setInt16(std::string_view section, std::string_view name, std::int16_t v) override;
    void setInt32(std::string_view section, std::string_view name, std::int32_t v) override;
    void setInt64(std::string_view section, std::string_view name, std::int64_t v) override;
    void setFloat(std::string_view section, std::string_view name, float v) override;
    void setDouble(std::string_view section, std::string_view name, double v) override;
    void setBool(std::string_view section, std::string_view name, bool v) override;
    void setString(std::string_view section, std::string_view name, std::string_view v) override;
    void setExpandString(std::string_view section, std::string_view name,
                         std::string_view v) override;
    void flush() override;
    void setBytes(std::string_view section, std::string_view name,
                  std::span<const std::uint8_t> v) override;

    bool autoSave() const override { return autoSave_; }
    void setAutoSave(bool on) override { autoSave_ = on; }

private:
    // The key object of a section, made current (resolved once per path).
    win::RegDir& key(std::string_view section);
    std::optional<std::uint32_t> read32(std::string_view section, std::string_view name);
    std::optional<std::uint64_t> read64(std::string_view section, std::string_view name);
    void write(std::string_view section, std::string_view name, const RegValue& value);

    std::shared_ptr<RegistryDb> db_;
    std::string basePath_;
    std::string currentPath_;
    bool hasCurrent_ = false;
    win::RegDir current_;
    bool autoSave_ = false;
};

}  // namespace s::reg
