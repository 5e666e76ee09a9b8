// s::file::win::FileOutputStream -- buffered writes to a file (64 KiB
// buffer). Bytes stay buffered until the buffer fills, a seek, flush or close.
#pragma once

#include <memory>
#include <string>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "foundation/IOutputStream.h"

namespace s::file::win {

class FileOutputStream final : public s::io::IOutputStream,
                               public s::base::IObject,
                               public s::thread::IPoolable {
    TARVEX_POOLED(FileOutputStream, "s_file_win_FileOutputStream")
public:
    static constexpr std::size_t kBufferSize = 65536;

    FileOutputStream() = default;
    ~FileOutputStream() override;
    void reset() override { close(); }

    // Creates or truncates the file (append: opens it and moves to its end).
    bool open(const std::string& path, bool append);
    // Takes over an already open descriptor (closed by close()).
    bool adopt(int fd);
    bool isOpen() const { return fd_ >= 0; }

    bool write(const void* buffer, std::size_t size, std::size_t& outCount) override;
    bool flush() override;
    bool flushAndTruncate() override;
    bool close() override;
    std::uint64_t position() const override { return position_; }
    bool seek(std::uint64_t position);
    // Bytes waiting in the buffer.
    std::size_t buffered() const { return used_; }

private:
    bool writeBuffer();

    int fd_ = -1;
    bool failed_ = false;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t used_ = 0;
    std::uint64_t position_ = 0;
};

}  // namespace s::file::win
