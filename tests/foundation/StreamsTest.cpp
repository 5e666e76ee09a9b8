#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "foundation/FileInputStream.h"
#include "foundation/FileOutputStream.h"
#include "foundation/MemoryStreams.h"

namespace {

using s::file::win::FileInputStream;
using s::file::win::FileOutputStream;
using tarvex::test::readText;
using tarvex::test::TempFolder;
using tarvex::test::writeText;

std::vector<std::uint8_t> pattern(std::size_t size, std::size_t seed = 0) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>((i + seed) * 31);
    return bytes;
}

std::uint64_t sizeOnDisk(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

struct BufferingCase {
    std::vector<std::size_t> writes;
    std::uint64_t onDisk;  // file size before close
    std::size_t buffered;  // bytes still in the buffer
};

TEST(FileOutputStream, WritesTheBufferOnlyWhenItIsFullAndMoreDataWaits) {
    const BufferingCase cases[] = {
        {{70000}, 65536, 4464},     {{65536}, 0, 65536},      {{65536, 1}, 65536, 1},
        {{100, 65536}, 65536, 100}, {{200000}, 196608, 3392},
    };
    for (const BufferingCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.writes));
        TempFolder dir;
        const std::string file = dir / "out.bin";
        FileOutputStream out;
        ASSERT_TRUE(out.open(file, false));
        std::vector<std::uint8_t> expected;
        for (std::size_t size : c.writes) {
            const auto bytes = pattern(size, expected.size());
            std::size_t count = 0;
            EXPECT_TRUE(out.write(bytes.data(), size, count));
            EXPECT_EQ(count, size);
            expected.insert(expected.end(), bytes.begin(), bytes.end());
        }
        EXPECT_EQ(sizeOnDisk(file), c.onDisk);
        EXPECT_EQ(out.buffered(), c.buffered);
        EXPECT_EQ(out.position(), expected.size());
        EXPECT_TRUE(out.close());
        EXPECT_EQ(readText(file), std::string(expected.begin(), expected.end()));
    }
}

TEST(FileOutputStream, SeekFlushesAndFlushAndTruncateEndsTheFile) {
    TempFolder dir;
    const std::string file = dir / "out.txt";
    FileOutputStream out;
    ASSERT_TRUE(out.open(file, false));
    EXPECT_TRUE(out.writeAll("hello world", 11));
    EXPECT_TRUE(out.seek(0));
    EXPECT_EQ(sizeOnDisk(file), 11u);
    EXPECT_TRUE(out.writeAll("J", 1));
    EXPECT_TRUE(out.flush());
    EXPECT_EQ(readText(file), "Jello world");

    EXPECT_TRUE(out.seek(5));
    EXPECT_TRUE(out.flushAndTruncate());
    EXPECT_TRUE(out.close());
    EXPECT_EQ(readText(file), "Jello");

    // Opening without append truncates what was there.
    ASSERT_TRUE(out.open(file, false));
    EXPECT_TRUE(out.close());
    EXPECT_EQ(sizeOnDisk(file), 0u);
}

TEST(FileOutputStream, AFailedPlatformWriteFailsTheCallAndEveryLaterOne) {
    if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "/dev/full is not available";
    const auto bytes = pattern(70000);
    std::size_t count = 1;

    // Small writes only fill the buffer; the failure shows when it is written.
    FileOutputStream buffered;
    ASSERT_TRUE(buffered.open("/dev/full", false));
    EXPECT_TRUE(buffered.write(bytes.data(), 10, count));
    EXPECT_FALSE(buffered.flush());
    EXPECT_FALSE(buffered.write(bytes.data(), 10, count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(buffered.close());

    // A write larger than the buffer meets the failure itself; close still
    // reports that data was lost.
    FileOutputStream large;
    ASSERT_TRUE(large.open("/dev/full", false));
    count = 1;
    EXPECT_FALSE(large.write(bytes.data(), bytes.size(), count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(large.flush());
    EXPECT_FALSE(large.close());

    FileOutputStream atClose;
    ASSERT_TRUE(atClose.open("/dev/full", false));
    EXPECT_TRUE(atClose.writeAll(bytes.data(), 100));
    EXPECT_FALSE(atClose.close());
}

TEST(FileOutputStream, AStreamThatDidNotOpenFailsEveryWrite) {
    TempFolder dir;
    FileOutputStream out;
    EXPECT_FALSE(out.open(dir / "missing/out.bin", false));
    std::size_t count = 1;
    EXPECT_FALSE(out.write("x", 1, count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(out.flush());
    EXPECT_FALSE(out.seek(0));
}

TEST(FileInputStream, ReadsSeeksAndReportsTheEnd) {
    TempFolder dir;
    const auto bytes = pattern(100);
    writeText(dir / "in.bin", std::string(bytes.begin(), bytes.end()));

    FileInputStream in;
    ASSERT_TRUE(in.open(dir / "in.bin"));
    EXPECT_EQ(in.size(), 100u);

    std::uint8_t got[64] = {};
    std::size_t count = 0;
    EXPECT_TRUE(in.read(got, 40, count));
    EXPECT_EQ(count, 40u);
    EXPECT_TRUE(std::equal(got, got + 40, bytes.begin()));
    EXPECT_EQ(in.position(), 40u);

    EXPECT_TRUE(in.seek(90));
    EXPECT_EQ(in.remaining(), 10u);
    EXPECT_TRUE(in.read(got, sizeof got, count));
    EXPECT_EQ(count, 10u);
    EXPECT_TRUE(std::equal(got, got + 10, bytes.begin() + 90));
    EXPECT_FALSE(in.read(got, sizeof got, count));
    EXPECT_EQ(count, 0u);

    // Past the end: the seek is allowed, reads fail.
    EXPECT_TRUE(in.seek(1000));
    EXPECT_FALSE(in.read(got, 1, count));
    EXPECT_EQ(count, 0u);

    EXPECT_TRUE(in.seek(95));
    EXPECT_FALSE(in.readFully(got, 10));
    EXPECT_TRUE(in.seek(10));
    EXPECT_TRUE(in.skip(10));
    EXPECT_TRUE(in.readFully(got, 10));
    EXPECT_TRUE(std::equal(got, got + 10, bytes.begin() + 20));
}

TEST(FileInputStream, AFileThatIsNotThereOrAFolderFailsEveryRead) {
    TempFolder dir;
    for (const std::string& path : {dir / "missing.bin", dir.path()}) {
        SCOPED_TRACE(path);
        FileInputStream in;
        EXPECT_FALSE(in.open(path));
        std::uint8_t byte = 0;
        std::size_t count = 1;
        EXPECT_FALSE(in.read(&byte, 1, count));
        EXPECT_EQ(count, 0u);
        EXPECT_FALSE(in.seek(0));
        EXPECT_EQ(in.size(), 0u);
    }
}

TEST(MemoryInputStream, NeverReadsOutsideItsBlock) {
    const std::uint8_t block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    s::io::MemoryInputStream in(block, sizeof block);
    std::uint8_t got[16] = {};
    std::size_t count = 0;

    EXPECT_TRUE(in.seek(5));
    EXPECT_TRUE(in.read(got, sizeof got, count));
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(got[0], 6);
    EXPECT_FALSE(in.read(got, 1, count));
    EXPECT_EQ(count, 0u);

    // Positions past the end, including ones where position + size would
    // overflow, make reads fail rather than wrap around.
    for (std::uint64_t at : {std::uint64_t{9}, std::uint64_t{1} << 40,
                             std::numeric_limits<std::uint64_t>::max() - 2}) {
        SCOPED_TRACE(at);
        in.seek(at);
        EXPECT_FALSE(in.read(got, 4, count));
        EXPECT_EQ(count, 0u);
        EXPECT_EQ(in.remaining(), 0u);
    }

    in.seek(4);
    EXPECT_FALSE(in.readFully(got, 5));
    in.seek(4);
    EXPECT_TRUE(in.readFully(got, 4));
    EXPECT_EQ(got[3], 8);
}

// Hands out at most three bytes per read, as a pipe or a slow device may.
class TrickleStream final : public s::io::IInputStream {
public:
    explicit TrickleStream(std::string data) : data_(std::move(data)) {}
    bool read(void* buffer, std::size_t size, std::size_t& outCount) override {
        outCount = std::min({size, std::size_t{3}, data_.size() - std::min(at_, data_.size())});
        if (outCount == 0) return false;
        std::copy_n(data_.data() + at_, outCount, static_cast<char*>(buffer));
        at_ += outCount;
        return true;
    }
    void close() override {}
    std::uint64_t position() const override { return at_; }
    bool seek(std::uint64_t position) override {
        at_ = position;
        return true;
    }
    std::uint64_t size() const override { return data_.size(); }

private:
    std::string data_;
    std::size_t at_ = 0;
};

TEST(IInputStream, ReadFullyLoopsOverShortReads) {
    TrickleStream in("abcdefghij");
    char got[10] = {};
    EXPECT_TRUE(in.readFully(got, 8));
    EXPECT_EQ(std::string(got, 8), "abcdefgh");
    EXPECT_FALSE(in.readFully(got, 3));
}

TEST(MemoryOutputStream, CollectsEveryWrite) {
    s::io::MemoryOutputStream out;
    EXPECT_TRUE(out.writeAll("ab", 2));
    EXPECT_TRUE(out.writeAll("", 0));
    EXPECT_TRUE(out.writeAll("cd", 2));
    EXPECT_EQ(out.position(), 4u);
    const std::vector<std::uint8_t> bytes = out.take();
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "abcd");
}

}  // namespace
