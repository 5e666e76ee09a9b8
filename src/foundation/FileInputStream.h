// s::file::win::FileInputStream -- reads a file through a POSIX descriptor.
// A stream whose file did not open fails every read.
#pragma once

#include <string>

#include "foundation/EasyPooler.h"
#include "foundation/IInputStream.h"
#include "foundation/IObject.h"

namespace s::file::win {

class FileInputStream final : public s::io::IInputStream,
                              public s::base::IObject,
                              public s::thread::IPoolable {
    TARVEX_POOLED(FileInputStream, "s_file_win_FileInputStream")
public:
    FileInputStream() = default;
    ~FileInputStream() override;
    void reset() override { close(); }

    bool open(const std::string& path);
    bool isOpen() const { return fd_ >= 0; }

    bool read(void* buffer, std::size_t size, std::size_t& outCount) override;
    void close() override;
    std::uint64_t position() const override { return position_; }
    bool seek(std::uint64_t position) override;
    std::uint64_t size() const override { return size_; }

private:
    int fd_ = -1;
    std::uint64_t position_ = 0;
    std::uint64_t size_ = 0;
};

}  // namespace s::file::win
