#include "foundation/FileOutputStream.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>

namespace s::file::win {

FileOutputStream::~FileOutputStream() {
    close();
}

bool FileOutputStream::open(const std::string& path, bool append) {
    close();
    const int flags = O_RDWR | O_CREAT | O_CLOEXEC | (append ? 0 : O_TRUNC);
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return false;
    if (!adopt(fd)) return false;
    if (append) {
        const off_t end = ::lseek(fd_, 0, SEEK_END);
        if (end < 0) {
            close();
            return false;
        }
        position_ = static_cast<std::uint64_t>(end);
    }
    return true;
}

bool FileOutputStream::adopt(int fd) {
    close();
    if (fd < 0) return false;
    buffer_.reset(new (std::nothrow) std::uint8_t[kBufferSize]);
    if (!buffer_) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    const off_t at = ::lseek(fd_, 0, SEEK_CUR);
    position_ = at > 0 ? static_cast<std::uint64_t>(at) : 0;
    used_ = 0;
    failed_ = false;
    return true;
}

// Writes the whole buffer. A failed or short platform write fails the stream
// for good: the bytes that did not reach the file are lost, so every later
// write, flush and close must report failure too.
bool FileOutputStream::writeBuffer() {
    if (failed_) return false;
    if (used_ == 0) return true;
    ssize_t written;
    do {
        written = ::write(fd_, buffer_.get(), used_);
    } while (written < 0 && errno == EINTR);
    if (written < 0 || static_cast<std::size_t>(written) != used_) {
        failed_ = true;
        return false;
    }
    used_ = 0;
    return true;
}

bool FileOutputStream::write(const void* buffer, std::size_t size, std::size_t& outCount) {
    outCount = 0;
    if (fd_ < 0 || failed_) return false;
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        // The buffer goes to the file only when more data is waiting, so a
        // write that exactly fills it leaves the bytes buffered.
        if (used_ == kBufferSize && !writeBuffer()) return false;
        const std::size_t piece = std::min(size - done, kBufferSize - used_);
        std::memcpy(buffer_.get() + used_, in + done, piece);
        used_ += piece;
        done += piece;
    }
    position_ += size;
    outCount = size;
    return true;
}

bool FileOutputStream::flush() {
    if (fd_ < 0 || !writeBuffer()) return false;
    // Devices and some pseudo file systems cannot sync; their data is
    // already where it goes.
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) {
        failed_ = true;
        return false;
    }
    return true;
}

bool FileOutputStream::flushAndTruncate() {
    if (!flush()) return false;
    if (::ftruncate(fd_, static_cast<off_t>(position_)) != 0) {
        failed_ = true;
        return false;
    }
    return true;
}

bool FileOutputStream::close() {
    if (fd_ < 0) return true;
    bool ok = writeBuffer();
    // A close error (for example a deferred write error on a network file
    // system) also means the data may not have been stored.
    if (::close(fd_) != 0 && errno != EINTR) ok = false;
    fd_ = -1;
    buffer_.reset();
    used_ = 0;
    position_ = 0;
    failed_ = false;
    return ok;
}

bool FileOutputStream::seek(std::uint64_t position) {
    if (fd_ < 0 || !writeBuffer()) return false;
    if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return false;
    if (::lseek(fd_, static_cast<off_t>(position), SEEK_SET) < 0) return false;
    position_ = position;
    return true;
}

}  // namespace s::file::win
