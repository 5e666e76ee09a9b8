// s::reg::RegistryDb -- the SQLite file that holds one user's settings
// registry, shared safely by every process of that user.
//
// Guarantees:
// - Nothing is created by reading: while the file does not exist, reads fail
//   (their callers fall back to defaults) and only a write creates the folder
//   and the file.
// - Every unit of work runs in its own transaction. Writes take the write lock
//   up front (BEGIN IMMEDIATE) and are durable when run() returns: the file is
//   in WAL mode with synchronous=FULL, so each commit is synced to disk.
// - A unit of work waits for a lock held by another process up to
//   kBusyTimeoutMs, polling every kBusyPollUs; past that it fails. After each
//   write the writer pauses briefly, so two processes writing at once take
//   turns instead of one starving the other.
// - Failure never escapes: run() returns false and nothing is partly written.
//   A file that turns out to be corrupt (or not a database) is moved aside,
//   kept under "<name>.corrupt-YYYYMMDD-HHMMSS", together with its journal;
//   a write then starts a fresh file and is retried once.
// - A file that was deleted or replaced under an open connection is noticed
//   before each unit of work, and the connection moves to the new file.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

struct sqlite3;

namespace s::reg {

class RegistryDb {
public:
    static constexpr int kBusyTimeoutMs = 2000;
    static constexpr int kBusyPollUs = 500;
    static constexpr int kHandOffUs = 1500;
    enum class Access { Read, Write };
    // One unit of work inside a transaction: SQLITE_OK, or the error that
    // makes the transaction roll back.
    using Work = std::function<int(sqlite3* db)>;

    explicit RegistryDb(std::string path) : path_(std::move(path)) {}
    ~RegistryDb();
    RegistryDb(const RegistryDb&) = delete;
    RegistryDb& operator=(const RegistryDb&) = delete;

    const std::string& path() const { return path_; }
    // Runs work in one transaction; true when it was committed.
    bool run(Access access, const Work& work);

private:
    enum class Connect { Ready, Unavailable, Corrupt };

    // SQLite's busy callback: wait a poll interval and retry, until the timeout.
    static int onBusy(void* self, int attempt);

    Connect connect(Access access);
    Connect openExisting();
    Connect openNew();
    bool openHandle(int flags);
    bool onCurrentFile() const;
    void handOff();
    void prepareForWrites();
    int transact(Access access, const Work& work);
    void quarantine();
    void close();
    // Closes without checkpointing: for a file that was replaced or is damaged.
    void closeDetached();

    std::mutex mutex_;
    std::string path_;
    sqlite3* db_ = nullptr;
    bool writeReady_ = false;  // WAL mode asked for
    std::uint64_t device_ = 0;
    std::uint64_t inode_ = 0;
    std::chrono::steady_clock::time_point busySince_;
};

}  // namespace s::reg
