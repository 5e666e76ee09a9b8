#include "shell/reg/RegistryDb.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <thread>

#include "shell/reg/Statement.h"

namespace s::reg {

namespace {

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS keys("
    " id INTEGER PRIMARY KEY,"
    " parent INTEGER NOT NULL,"
    " name TEXT NOT NULL COLLATE NOCASE,"
    " UNIQUE(parent, name));"
    "CREATE TABLE IF NOT EXISTS vals("
    " key INTEGER NOT NULL,"
    " name TEXT NOT NULL COLLATE NOCASE,"
    " type INTEGER NOT NULL,"
    " data BLOB NOT NULL,"
    " PRIMARY KEY(key, name)) WITHOUT ROWID;";

bool isCorruption(int rc) {
    const int primary = rc & 0xFF;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// "<path>.corrupt-YYYYMMDD-HHMMSS", with "-2", "-3" ... when that name is taken.
std::string asideName(const std::string& path) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".corrupt-" + stamp;
    std::string name = base;
    for (int n = 2; exists(name) && n < 1000; ++n) name = base + "-" + std::to_string(n);
    return name;
}

// The folder holding the file, created private to the user when missing.
bool createFolder(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) return true;
    std::error_code error;
    std::filesystem::create_directories(folder.parent_path(), error);
    if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) return true;
    return false;
}

}  // namespace

RegistryDb::~RegistryDb() {
    close();
}

int RegistryDb::onBusy(void* self, int attempt) {
    auto& db = *static_cast<RegistryDb*>(self);
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0) db.busySince_ = now;
    if (now - db.busySince_ >= std::chrono::milliseconds(kBusyTimeoutMs)) return 0;
    std::this_thread::sleep_for(std::chrono::microseconds(kBusyPollUs));
    return 1;
}

bool RegistryDb::run(Access access, const Work& work) {
    std::lock_guard lock(mutex_);
    if (path_.empty()) return false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        Connect state = connect(access);
        int rc = SQLITE_OK;
        if (state == Connect::Ready) {
            rc = transact(access, work);
            if (rc == SQLITE_OK) {
                if (access == Access::Write) handOff();
                return true;
            }
            if (isCorruption(rc)) state = Connect::Corrupt;
        }
        if (state != Connect::Corrupt) return false;
        quarantine();
        // Reads fall back to defaults; a write goes to a fresh file.
        if (access == Access::Read) return false;
    }
    return false;
}

RegistryDb::Connect RegistryDb::connect(Access access) {
    // The file was removed or replaced: leave the old one without touching
    // the journal names, which may already belong to the new file.
    if (db_ && !onCurrentFile()) closeDetached();
    if (db_) return Connect::Ready;
    if (!exists(path_)) return access == Access::Write ? openNew() : Connect::Unavailable;
    return openExisting();
}

bool RegistryDb::onCurrentFile() const {
    struct stat st;
    return ::stat(path_.c_str(), &st) == 0 && std::uint64_t(st.st_dev) == device_ &&
           std::uint64_t(st.st_ino) == inode_;
}

void RegistryDb::handOff() {
    // SQLite's locks do not queue: a process that writes again at once would
    // take the lock back before a waiting one polls. Pausing longer than the
    // poll interval after each write lets the other process in, so a long
    // run of writes by one process never starves the other.
    std::this_thread::sleep_for(std::chrono::microseconds(kHandOffUs));
}

bool RegistryDb::openHandle(int flags) {
    if (sqlite3_open_v2(path_.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        close();
        return false;
    }
    struct stat st;
    if (::stat(path_.c_str(), &st) != 0) {
        close();
        return false;
    }
    device_ = std::uint64_t(st.st_dev);
    inode_ = std::uint64_t(st.st_ino);
    // The file is data, not code: SQL stored in it (triggers, views) may not
    // call functions with side effects, and its schema cannot be rewritten
    // through this connection.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_busy_handler(db_, &RegistryDb::onBusy, this);
    // FULL: a commit in WAL mode is synced before it returns, so a value is
    // on disk when the setter returns (NORMAL could lose the last commits
    // on power loss).
    Statement::exec(db_, "PRAGMA synchronous=FULL");
    return true;
}

RegistryDb::Connect RegistryDb::openExisting() {
    if (!openHandle(SQLITE_OPEN_READWRITE) && !openHandle(SQLITE_OPEN_READONLY)) {
        return Connect::Unavailable;
    }
    // A damaged or foreign file is found here, before anything trusts it.
    Statement check(db_, "PRAGMA quick_check(1)");
    const int rc = check.step();
    if (isCorruption(rc)) return Connect::Corrupt;
    if (rc != SQLITE_ROW) {
        close();
        return Connect::Unavailable;
    }
    return check.columnText(0) == "ok" ? Connect::Ready : Connect::Corrupt;
}

RegistryDb::Connect RegistryDb::openNew() {
    if (!createFolder(path_)) return Connect::Unavailable;
    // Whoever creates the file exclusively knows that journal files beside it
    // are left over from a removed database and would be replayed into the
    // new one, so they go first.
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        for (const char* suffix : {"-wal", "-shm", "-journal"}) {
            ::unlink((path_ + suffix).c_str());
        }
    } else if (errno != EEXIST) {
        return Connect::Unavailable;
    }
    return openHandle(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) ? Connect::Ready
                                                                  : Connect::Unavailable;
}

void RegistryDb::prepareForWrites() {
    if (writeReady_) return;
    // WAL lets the other process read while this one writes. If the mode
    // cannot be switched now (another connection is in the file) the rollback
    // journal stays, which is just as safe.
    Statement::exec(db_, "PRAGMA journal_mode=WAL");
    writeReady_ = true;
}

int RegistryDb::transact(Access access, const Work& work) {
    const bool write = access == Access::Write;
    if (write) prepareForWrites();
    int rc = Statement::exec(db_, write ? "BEGIN IMMEDIATE" : "BEGIN");
    if (rc != SQLITE_OK) return rc;
    if (write) rc = Statement::exec(db_, kSchema);
    if (rc == SQLITE_OK) rc = work(db_);
    if (rc == SQLITE_OK) rc = Statement::exec(db_, "COMMIT");
    if (rc != SQLITE_OK && !sqlite3_get_autocommit(db_)) Statement::exec(db_, "ROLLBACK");
    return rc;
}

void RegistryDb::quarantine() {
    if (!db_) return;
    // Move only the file this connection found damaged: another process may
    // already have moved it and started a fresh one.
    const bool same = onCurrentFile();
    closeDetached();  // the damaged file and its journal stay as they are
    if (!same) return;
    const std::string aside = asideName(path_);
    if (::rename(path_.c_str(), aside.c_str()) != 0) return;
    for (const char* suffix : {"-wal", "-journal"}) {
        const std::string from = path_ + suffix;
        if (exists(from)) ::rename(from.c_str(), (aside + suffix).c_str());
    }
    ::unlink((path_ + "-shm").c_str());
}

void RegistryDb::closeDetached() {
    // Without the checkpoint on close SQLite neither writes the journal into
    // the file nor deletes the journal by name.
    if (db_) sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    close();
}

void RegistryDb::close() {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
    writeReady_ = false;
    device_ = inode_ = 0;
}

}  // namespace s::reg
