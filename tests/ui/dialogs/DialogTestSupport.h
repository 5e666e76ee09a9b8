// Helpers shared by the window tests: a private settings database per test
// (XDG_CONFIG_HOME pointed at a scratch folder), the embedded language pack,
// and a read-only folder made with a bind mount in the test program's own
// mount namespace.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "job/JobFixtures.h"
#include "shell/lang/LocalizerFactory.h"
#include "shell/reg/MappedData.h"
#include "shell/reg/StoreLocation.h"

namespace tarvex::dialogtest {

using tarvex::jobtest::ScratchFolder;

// Whether main() could give the program a private mount namespace.
bool haveOwnMountNamespace();

// A test's own settings database; the environment points there while it lives.
class PrivateConfig {
public:
    PrivateConfig() {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        if (old) previous_ = old;
        hadPrevious_ = old != nullptr;
        ::setenv("XDG_CONFIG_HOME", folder_.path().c_str(), 1);
    }
    ~PrivateConfig() {
        if (hadPrevious_) {
            ::setenv("XDG_CONFIG_HOME", previous_.c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
    }
    // A fresh handle on the database, as the program would open it.
    s::thread::Pooled<s::reg::MappedData> open() const {
        return s::reg::MappedData::open(s::reg::StoreLocation::kSaveDataKey);
    }

private:
    ScratchFolder folder_;
    std::string previous_;
    bool hadPrevious_ = false;
};

// A folder bind-mounted read-only over itself; unmounted when it dies.
// ready() is false (with why()) when the mount could not be made.
class ReadOnlyFolder {
public:
    ReadOnlyFolder();
    ~ReadOnlyFolder();
    bool ready() const { return mounted_; }
    const std::string& why() const { return why_; }
    std::string path() const { return folder_.path(); }
    std::string operator/(const std::string& name) const { return folder_ / name; }
    // Creates a file inside before the folder is made read-only.
    void seal();

private:
    ScratchFolder folder_;
    bool mounted_ = false;
    std::string why_;
};

}  // namespace tarvex::dialogtest
