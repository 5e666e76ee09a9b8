// s::job::FileIdentity -- what a path names at one moment: whether an entry
// is there, and the device, inode, type, size and change times of the entry
// and of what it leads to (a symbolic link's target).
//
// Two snapshots that compare equal mean the path still names the same,
// unchanged content as far as the file system can tell. The job compares a
// snapshot taken when an input was read ahead with one taken when its turn
// comes, so an input that was created, replaced or changed meanwhile (for
// instance by an earlier output of the same job) is read again.
#pragma once

#include <cstdint>
#include <string>

namespace s::job {

class FileIdentity {
public:
    static FileIdentity of(const std::string& path);

    bool operator==(const FileIdentity&) const = default;

private:
    struct Entry {
        bool present = false;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::uint32_t mode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedSeconds = 0;
        std::int64_t modifiedNanoseconds = 0;
        std::int64_t changedSeconds = 0;
        std::int64_t changedNanoseconds = 0;
        bool operator==(const Entry&) const = default;
    };

    Entry link_;    // the entry itself (a symbolic link is not followed)
    Entry target_;  // what it leads to
};

}  // namespace s::job
