// The window tests run on Qt's offscreen platform unless a display is asked
// for, with the interface in English, in a private mount namespace where one
// can be had (so a test can make a folder read-only even for root).
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>

#include <QApplication>
#include <cstdlib>

#include "DialogTestSupport.h"

namespace tarvex::dialogtest {

namespace {
bool ownMountNamespace = false;
}

bool haveOwnMountNamespace() { return ownMountNamespace; }

ReadOnlyFolder::ReadOnlyFolder() {
    if (!ownMountNamespace) why_ = "no private mount namespace for a read-only bind mount";
}

void ReadOnlyFolder::seal() {
    if (!ownMountNamespace) return;
    const std::string path = folder_.path();
    if (::mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
        ::mount(nullptr, path.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
        why_ = "the read-only bind mount was refused";
        ::umount2(path.c_str(), MNT_DETACH);
        return;
    }
    mounted_ = true;
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (mounted_) ::umount2(folder_.path().c_str(), MNT_DETACH);
}

}  // namespace tarvex::dialogtest

int main(int argc, char** argv) {
    // Before any thread exists: a mount namespace of our own, whose mounts
    // do not propagate back to the system's.
    if (::unshare(CLONE_NEWNS) == 0 &&
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0) {
        tarvex::dialogtest::ownMountNamespace = true;
    }
    ::setenv("LANGUAGE", "en", 1);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
