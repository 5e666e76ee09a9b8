// A settings store in a scratch configuration folder: XDG_CONFIG_HOME points
// at a fresh folder for the test's duration, so the store's file is
// <folder>/zorq/registry.db. Also: running code in a child process, raw SQL
// on the file, and a look at the stored form of a value.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/reg/MappedData.h"
#include "shell/reg/RegistryDb.h"
#include "shell/reg/StoreLocation.h"
#include "shell/reg/win/RegDir.h"

namespace tarvex::settingstest {

using s::reg::MappedData;
using s::reg::StoreLocation;
using s::thread::Pooled;

class SettingsTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = testing::TempDir();
        if (pattern.empty() || pattern.back() != '/') pattern += '/';
        pattern += "tarvex-settings-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        folder_ = name.data();
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldConfig_ = old;
        ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    }

    void TearDown() override {
        if (oldConfig_) {
            ::setenv("XDG_CONFIG_HOME", oldConfig_->c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
        std::error_code ec;
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(folder_, ec);
    }

    std::string zorqFolder() const { return folder_ + "/zorq"; }
    std::string dbPath() const { return zorqFolder() + "/registry.db"; }

    static Pooled<MappedData> openStore() { return MappedData::open(StoreLocation::kSaveDataKey); }

    // Names of the entries in the zorq folder (none when it does not exist).
    std::vector<std::string> zorqEntries() const {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(zorqFolder(), ec)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // Entries whose name starts with "registry.db.corrupt-" and has no journal suffix.
    std::vector<std::string> asideFiles() const {
        std::vector<std::string> found;
        for (const std::string& name : zorqEntries()) {
            if (name.starts_with("registry.db.corrupt-") && !name.ends_with("-wal") &&
                !name.ends_with("-journal")) {
                found.push_back(zorqFolder() + "/" + name);
            }
        }
        return found;
    }

    // The stored type and bytes of a value below the store's base key.
    std::optional<s::reg::RegValue> stored(const std::string& section, const std::string& name) {
        s::reg::win::RegDir dir;
        std::string path(StoreLocation::kSaveDataKey);
        if (!section.empty()) path += "\\" + section;
        dir.set(std::make_shared<s::reg::RegistryDb>(dbPath()), path);
        return dir.query(name).value;
    }

    // Runs SQL on the store's file through a connection of its own.
    void execSql(const std::string& sql) const {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(dbPath().c_str(), &db), SQLITE_OK);
        char* error = nullptr;
        const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
        EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
    }

    std::string folder_;

private:
    std::optional<std::string> oldConfig_;
};

// Starts body in a child process (exit code: its result); waitChild returns it.
inline pid_t startChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    return pid;
}

inline int waitChild(pid_t pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace tarvex::settingstest
