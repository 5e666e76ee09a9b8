#include "foundation/PathWin.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace s::file::win {

namespace {

// An entry exists when anything, even a dangling symbolic link, holds the
// name: such a name cannot be taken by a new file.
bool entryExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::uint64_t sumFolder(const std::filesystem::path& folder, bool descend) {
    namespace fs = std::filesystem;
    std::uint64_t total = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        const fs::file_status st = it->symlink_status(entryError);
        if (entryError) continue;
        if (fs::is_regular_file(st)) {
            const auto size = it->file_size(entryError);
            if (!entryError) total += size;
        } else if (descend && fs::is_directory(st)) {
            // Symbolic links to folders are not followed, so a link cycle
            // cannot make the sum endless.
            total += sumFolder(it->path(), true);
        }
    }
    return total;
}

}  // namespace

void PathWin::reset() {
    text_.clear();
    full_.clear();
    nameStart_ = 0;
    extStart_ = 0;
    valid_ = false;
    status_ = Status{};
}

s::thread::Pooled<PathWin> PathWin::make(std::string_view text) {
    s::thread::Pooled<PathWin> path = take();
    if (path) path->set(text);
    return path;
}

void PathWin::set(std::string_view text) {
    text_.assign(text);
    full_ = text_;
    while (full_.size() > 1 && full_.back() == '/') full_.pop_back();
    status_ = Status{};
    valid_ = !full_.empty() && full_.find('\0') == std::string::npos;

    const std::size_t slash = full_.rfind('/');
    nameStart_ = slash == std::string::npos ? 0 : slash + 1;
    extStart_ = full_.size();
    const std::string_view name = std::string_view(full_).substr(nameStart_);
    if (name == "." || name == "..") return;
    const std::size_t dot = name.rfind('.');
    // A dot that starts the name marks a hidden file, not an extension.
    if (dot != std::string_view::npos && dot > 0) extStart_ = nameStart_ + dot;
}

std::string PathWin::folder() const {
    return full_.substr(0, nameStart_);
}

std::string PathWin::fileName() const {
    return full_.substr(nameStart_);
}

std::string PathWin::stem() const {
    return full_.substr(nameStart_, extStart_ - nameStart_);
}

std::string PathWin::extension() const {
    return full_.substr(extStart_);
}

s::thread::Pooled<PathWin> PathWin::parent() const {
    const std::string text = folder();
    // A bare name lives in the current folder.
    return make(text.empty() ? std::string_view(".") : std::string_view(text));
}

const PathWin::Status& PathWin::status() const {
    if (status_.known) return status_;
    status_ = Status{};
    status_.known = true;
    if (!valid_) return status_;
    struct stat st {};
    if (::stat(full_.c_str(), &st) == 0) {
        status_.exists = true;
        status_.directory = S_ISDIR(st.st_mode);
        status_.size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
    } else {
        status_.exists = entryExists(full_);
    }
    return status_;
}

bool PathWin::exists() const {
    return status().exists;
}

bool PathWin::isDirectory() const {
    return status().directory;
}

bool PathWin::isFile() const {
    return status().exists && !status().directory;
}

std::uint64_t PathWin::size(bool sumFolderEntries, bool descend) const {
    const Status& st = status();
    if (!st.exists) return 0;
    if (!st.directory || !sumFolderEntries) return st.size;
    return sumFolder(full_, descend);
}

bool PathWin::createFolder(bool /*notifyShell: no shell to notify on this platform*/) {
    if (!valid_ || full_.size() <= 1) return false;
    status_ = Status{};
    if (::mkdir(full_.c_str(), 0777) == 0) return true;
    if (errno != ENOENT) return false;
    return createParents() && ::mkdir(full_.c_str(), 0777) == 0;
}

bool PathWin::createParents() {
    if (!valid_) return false;
    const std::string text = folder();
    if (text.empty() || text == "/") return true;
    PathWin up(text);
    if (isFolder(up.fullPath())) return true;
    if (!up.createParents()) return false;
    // Another thread or process may create the same parent meanwhile; an
    // existing folder is what we want either way.
    return ::mkdir(up.fullPath().c_str(), 0777) == 0 ||
           (errno == EEXIST && isFolder(up.fullPath()));
}

std::string PathWin::makeUnique() const {
    if (!exists()) return full_;
    const bool directory = isDirectory();
    const std::string base = directory ? folder() + fileName() : folder() + stem();
    const std::string tail = directory ? std::string() : extension();
    for (unsigned long n = 1;; ++n) {
        std::string candidate = base + " (" + std::to_string(n) + ")" + tail;
        if (!entryExists(candidate)) return candidate;
    }
}

s::thread::Pooled<FileInputStream> PathWin::openForRead() const {
    s::thread::Pooled<FileInputStream> stream = FileInputStream::take();
    // A stream that did not open holds no file and fails every read.
    if (stream && valid_) stream->open(full_);
    return stream;
}

s::thread::Pooled<FileOutputStream> PathWin::openForWrite(bool append) {
    if (!valid_ || !createParents()) return nullptr;
    status_ = Status{};
    s::thread::Pooled<FileOutputStream> stream = FileOutputStream::take();
    if (!stream || !stream->open(full_, append)) return nullptr;
    return stream;
}

std::string tempFile() {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = (dir && *dir) ? dir : "/tmp";
    if (pattern.back() != '/') pattern += '/';
    pattern += "NEWXXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return std::string();
    ::close(fd);
    return std::string(name.data());
}

}  // namespace s::file::win
