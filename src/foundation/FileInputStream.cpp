#include "foundation/FileInputStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <limits>

namespace s::file::win {

FileInputStream::~FileInputStream() {
    close();
}

bool FileInputStream::open(const std::string& path) {
    close();
    // Non-blocking only while opening: a FIFO given as an input file must
    // not hang the caller until some writer appears.
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return false;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    position_ = 0;
    // Pipes and devices have no meaningful size: report it as unknown so
    // that readers checking offsets against size() do not trust a 0.
    size_ = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size)
                                : std::numeric_limits<std::uint64_t>::max();
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

bool FileInputStream::read(void* buffer, std::size_t size, std::size_t& outCount) {
    outCount = 0;
    if (fd_ < 0) return false;
    ssize_t got;
    do {
        got = ::read(fd_, buffer, size);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) return false;
    outCount = static_cast<std::size_t>(got);
    position_ += outCount;
    return true;
}

void FileInputStream::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    position_ = 0;
    size_ = 0;
}

bool FileInputStream::seek(std::uint64_t position) {
    if (fd_ < 0) return false;
    if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return false;
    if (::lseek(fd_, static_cast<off_t>(position), SEEK_SET) < 0) return false;
    position_ = position;
    return true;
}

}  // namespace s::file::win
