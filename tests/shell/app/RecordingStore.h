// A settings store for the frame tests: a real store in a temporary file
// that also records every write ("Section/Name"), so a test can tell what
// the frame wrote and what it left alone.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "shell/reg/MappedData.h"
#include "shell/reg/StoreLocation.h"

namespace s::app::test {

class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarvex-app-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }
    std::string file(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

class RecordingStore final : public s::map::IMappedData {
public:
    explicit RecordingStore(const std::string& databasePath)
        : real_(s::reg::MappedData::open(s::reg::StoreLocation::kSaveDataKey, databasePath)) {}

    std::vector<std::string> writes;
    const char* getClassName() const override { return "s_app_test_RecordingStore"; }

    void save() override { real_->save(); }
    bool openForWrite(std::string_view section) override { return real_->openForWrite(section); }
    void deleteSection(std::string_view section) override {
        note(section, "*");
        real_->deleteSection(section);
    }
    bool openForRead(std::string_view section) override { return real_->openForRead(section); }
    bool valueExists(std::string_view section, std::string_view name) override {
        return real_->valueExists(section, name);
    }

#define TARVEX_FORWARD(Type, Kind)                                                       \
    Type get##Kind(std::string_view section, std::string_view name, Type def) override { \
        return real_->get##Kind(section, name, def);                                     \
    }                                                                                    \
    void set##Kind(std::string_view section, std::string_view name, Type v) override {   \
        note(section, name);                                                             \
        real_->set##Kind(section, name, v);                                              \
    }
    TARVEX_FORWARD(std::uint8_t, UInt8)
    TARVEX_FORWARD(std::uint16_t, UInt16)
    TARVEX_FORWARD(std::uint32_t, UInt32)
    TARVEX_FORWARD(std::uint64_t, UInt64)
    TARVEX_FORWARD(std::int8_t, Int8)
    TARVEX_FORWARD(std::int16_t, Int16)
    TARVEX_FORWARD(std::int32_t, Int32)
    TARVEX_FORWARD(std::int64_t, Int64)
    TARVEX_FORWARD(float, Float)
    TARVEX_FORWARD(double, Double)
    TARVEX_FORWARD(bool, Bool)
#undef TARVEX_FORWARD

    std::string getString(std::string_view section, std::string_view name, std::string_view def,
                          bool* outWasExpandable = nullptr, bool expand = true) override {
        return real_->getString(section, name, def, outWasExpandable, expand);
    }
    std::optional<Bytes> getBytes(std::string_view section, std::string_view name,
                                  std::optional<Bytes> target = std::nullopt) override {
        return real_->getBytes(section, name, std::move(target));
    }
    void deleteValue(std::string_view section, std::string_view name) override {
        note(section, name);
        real_->deleteValue(section, name);
    }
    void setString(std::string_view section, std::string_view name, std::string_view v) override {
        note(section, name);
        real_->setString(section, name, v);
    }
    void setExpandString(std::string_view section, std::string_view name,
                         std::string_view v) override {
        note(section, name);
        real_->setExpandString(section, name, v);
    }
    void flush() override {
        real_->flush();
    }
    void setBytes(std::string_view section, std::string_view name,
                  std::span<const std::uint8_t> v) override {
        note(section, name);
        real_->setBytes(section, name, v);
    }
    bool autoSave() const override {
        return real_->autoSave();
    }
    void setAutoSave(bool on) override {
        real_->setAutoSave(on);
    }

private:
    void note(std::string_view section, std::string_view name) {
        writes.push_back(std::string(section) + "/" + std::string(name));
    }

    s::thread::Pooled<s::reg::MappedData> real_;
};

}  // namespace s::app::test
