#include "foundation/SafeOutputFile.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "foundation/PathWin.h"

namespace s::file::win {

namespace {

// The counter is bounded only so that a file system answering EEXIST for
// every name cannot hang the caller.
constexpr unsigned long kMaxCounter = 1000000;

// The process's file-creation mask, read without changing it (umask() can
// only be read by setting it, which would race with other threads creating
// files). Falls back to the usual 022.
mode_t currentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
        }
    }
    return 022;
}

// Moves `from` to `to` only if `to` does not exist (atomically).
int renameNoReplace(const char* from, const char* to) {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
#else
    return static_cast<int>(
        ::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
#endif
}

// Errors by which link() says the file system cannot make hard links here.
bool linkUnsupported(int error) {
    return error == EPERM || error == EXDEV || error == ENOTSUP || error == EOPNOTSUPP ||
           error == EMLINK;
}

// The n-th name tried for an output file: the wanted path itself, then
// "stem (n).ext". The extension always stays last, so an output keeps the
// format its name announces even when a folder holds the wanted name.
std::string candidateName(const PathWin& wanted, unsigned long n) {
    if (n == 0) return wanted.fullPath();
    return wanted.folder() + wanted.stem() + " (" + std::to_string(n) + ")" + wanted.extension();
}

}  // namespace

bool SafeOutputFile::open(const std::string& folder) {
    abandon();
    std::string pattern = folder.empty() ? std::string(".") : folder;
    if (pattern.back() != '/') pattern += '/';
    pattern += ".tarvex-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');

    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return false;
    tempPath_.assign(name.data());
    // mkstemp makes the file private (0600); give the published file the
    // permissions any newly created file would get.
    if (::fchmod(fd, 0666 & ~currentUmask()) != 0 || !stream_.adopt(fd)) {
        if (!stream_.isOpen()) ::close(fd);
        abandon();
        return false;
    }
    return true;
}

std::string SafeOutputFile::commit(const std::string& wantedPath) {
    if (tempPath_.empty()) return std::string();
    // Flushing syncs the data before the name appears, so a published file
    // is complete even after a crash.
    const bool flushed = stream_.flush();
    if (!stream_.close() || !flushed) {
        abandon();
        return std::string();
    }

    const PathWin wanted(wantedPath);
    bool useRename = false;
    for (unsigned long n = 0; wanted.isValid() && n <= kMaxCounter; ++n) {
        const std::string candidate = candidateName(wanted, n);
        if (!useRename) {
            if (::link(tempPath_.c_str(), candidate.c_str()) == 0) {
                ::unlink(tempPath_.c_str());
                tempPath_.clear();
                return candidate;
            }
            if (errno == EEXIST) continue;
            if (!linkUnsupported(errno)) break;
            useRename = true;
        }
        if (renameNoReplace(tempPath_.c_str(), candidate.c_str()) == 0) {
            tempPath_.clear();
            return candidate;
        }
        if (errno != EEXIST) break;
    }
    abandon();
    return std::string();
}

void SafeOutputFile::abandon() {
    stream_.close();
    if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
    tempPath_.clear();
}

}  // namespace s::file::win
