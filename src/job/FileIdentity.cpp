#include "job/FileIdentity.h"

#include <sys/stat.h>

namespace s::job {

namespace {

template <class Entry>
Entry entryOf(int result, const struct stat& st) {
    Entry entry;
    if (result != 0) return entry;
    entry.present = true;
    entry.device = static_cast<std::uint64_t>(st.st_dev);
    entry.inode = static_cast<std::uint64_t>(st.st_ino);
    entry.mode = static_cast<std::uint32_t>(st.st_mode);
    entry.size = static_cast<std::int64_t>(st.st_size);
    entry.modifiedSeconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
    entry.modifiedNanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    entry.changedSeconds = static_cast<std::int64_t>(st.st_ctim.tv_sec);
    entry.changedNanoseconds = static_cast<std::int64_t>(st.st_ctim.tv_nsec);
    return entry;
}

}  // namespace

FileIdentity FileIdentity::of(const std::string& path) {
    FileIdentity identity;
    struct stat st {};
    const int linkResult = ::lstat(path.c_str(), &st);
    identity.link_ = entryOf<Entry>(linkResult, st);
    st = {};
    const int targetResult = ::stat(path.c_str(), &st);
    identity.target_ = entryOf<Entry>(targetResult, st);
    return identity;
}

}  // namespace s::job
