#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "formats/FormatDetector.h"
#include "formats/bmp/Bitmap.h"

namespace fs = std::filesystem;
using s::image::FormatDetector;
using s::image::ImageType;

namespace {

using Bytes = std::vector<std::uint8_t>;

// `prefix` followed by zeros up to `size` bytes.
Bytes head(std::initializer_list<std::uint8_t> prefix, std::size_t size = 100) {
    Bytes b(prefix);
    b.resize(std::max(size, b.size()), 0);
    return b;
}

Bytes text(const char* s, std::size_t size = 100) {
    Bytes b(s, s + std::strlen(s));
    b.resize(size, 0);
    return b;
}

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The head of an icon with `count` entries of 16 x 16 at 32 bits, each
// with 1000 bytes of data placed after the directory.
Bytes icon(std::uint32_t count) {
    Bytes b = head({0, 0, 1, 0});
    put16(b, 4, count);
    for (std::uint32_t i = 0; i < count && 6 + 16 * i + 16 <= b.size(); ++i) {
        const std::size_t e = 6 + 16 * i;
        b[e] = b[e + 1] = 16;
        put16(b, e + 4, 1);
        put16(b, e + 6, 32);
        put32(b, e + 8, 1000);
        put32(b, e + 12, static_cast<std::uint32_t>(6 + 16 * count + 1000 * i));
    }
    return b;
}

struct HeadCase {
    const char* name;
    Bytes bytes;
    std::uint64_t fileSize;
    const char* expected;
};

std::vector<HeadCase> headCases() {
    std::vector<HeadCase> cases = {
        {"JPEG with an APP1 marker", head({0xFF, 0xD8, 0xFF, 0xE1}), 500, ImageType::kJpg},
        {"JPEG with a TEM marker", head({0xFF, 0xD8, 0xFF, 0x01}), 500, ImageType::kJpg},
        {"JPEG start with marker 00", head({0xFF, 0xD8, 0xFF, 0x00}), 500, nullptr},
        {"JPEG start with marker F1", head({0xFF, 0xD8, 0xFF, 0xF1}), 500, nullptr},
        {"GIF87a", text("GIF87a"), 500, ImageType::kGif},
        {"GIF89a", text("GIF89a"), 500, ImageType::kGif},
        {"GIF88a", text("GIF88a"), 500, nullptr},
        {"PNG", head({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}), 500, ImageType::kPng},
        {"PNG with a damaged signature", head({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x0A, 0x0A}), 500,
         nullptr},
        {"BMP", head({'B', 'M', 1, 2, 3, 4, 0, 0, 0, 0}), 500, ImageType::kBmp},
        {"BMP with a non-zero reserved byte", head({'B', 'M', 1, 2, 3, 4, 0, 0, 0, 1}), 500,
         nullptr},
        {"big-endian TIFF", text("MM*"), 500, ImageType::kTiff},
        {"little-endian TIFF", text("II*"), 500, ImageType::kTiff},
        {"icon", icon(2), 5000, ImageType::kIco},
        {"icon without entries", icon(0), 5000, nullptr},
        {"icon whose directory is longer than the file", icon(20), 300, nullptr},
        {"icon whose data lies beyond the file", icon(2), 1500, nullptr},
        {"random bytes", text("hello, world"), 500, nullptr},
    };
    HeadCase fortyBits{"icon whose first entry has 40 bits", icon(2), 5000, nullptr};
    put16(fortyBits.bytes, 6 + 6, 40);
    HeadCase reserved{"icon whose entry has a reserved byte set", icon(2), 5000, nullptr};
    reserved.bytes[6 + 16 + 3] = 1;
    HeadCase inside{"icon whose data starts inside its directory entry", icon(2), 5000, nullptr};
    put32(inside.bytes, 6 + 16 + 12, 6 + 16 + 8);
    // Only the entries inside the first 100 bytes are tested: the sixth
    // (at offset 86) is not.
    HeadCase sixth{"icon whose sixth entry is damaged", icon(6), 10000, ImageType::kIco};
    sixth.bytes[86 + 3] = 0xFF;
    HeadCase fifth{"icon whose fifth entry is damaged", icon(6), 10000, nullptr};
    fifth.bytes[70 + 3] = 0xFF;
    for (HeadCase* c : {&fortyBits, &reserved, &inside, &sixth, &fifth}) cases.push_back(*c);
    return cases;
}

TEST(FormatDetector, RecognisesFormatsFromTheirFirstBytes) {
    for (const HeadCase& c : headCases()) {
        SCOPED_TRACE(c.name);
        // Identifiers are compared by identity.
        EXPECT_EQ(FormatDetector::detectFromHead(c.bytes.data(), c.fileSize), c.expected);
    }
}

class FormatDetectorFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ =
            fs::temp_directory_path() /
            ("tarvex-detect-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string write(const std::string& name, const Bytes& bytes) {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    static const char* detect(const std::string& path) {
        const char* type = "unset";
        const bool found = FormatDetector::detectImageType(s::file::win::PathWin(path), type);
        EXPECT_EQ(found, type != nullptr);
        return type;
    }

    fs::path folder_;
};

// A 2 x 1, 24-bit BMP padded to `size` bytes.
Bytes bmpFile(std::size_t size) {
    Bytes b = head({'B', 'M'}, size);
    put32(b, 2, static_cast<std::uint32_t>(size));
    put32(b, 10, 54);
    put32(b, 14, 40);
    put32(b, 18, 2);
    put32(b, 22, 1);
    put16(b, 26, 1);
    put16(b, 28, 24);
    const std::uint8_t pixels[] = {1, 2, 3, 4, 5, 6};
    std::memcpy(b.data() + 54, pixels, sizeof pixels);
    return b;
}

TEST_F(FormatDetectorFiles, OnlyFilesLongerThanTheHeadAreRecognised) {
    EXPECT_EQ(detect(write("small.gif", text("GIF89a", 90))), nullptr);
    EXPECT_EQ(detect(write("exact.gif", text("GIF89a", 100))), nullptr);
    EXPECT_EQ(detect(write("long.gif", text("GIF89a", 101))), ImageType::kGif);
    EXPECT_EQ(detect((folder_ / "missing.gif").string()), nullptr);
    EXPECT_EQ(detect(folder_.string()), nullptr);
}

TEST_F(FormatDetectorFiles, ContentNotNameChoosesTheCodec) {
    auto opened =
        FormatDetector::openImage(s::file::win::PathWin(write("photo.jpg", bmpFile(200))));
    auto* bitmap = dynamic_cast<s::image::bmp::win::Bitmap*>(opened.get());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_TRUE(bitmap->isValid());
    EXPECT_EQ(bitmap->getWidth(), 2);
    EXPECT_STREQ(bitmap->getClassName(), "s_image_bmp_win_Bitmap");
}

TEST_F(FormatDetectorFiles, RecognisedButUnopenableContentGivesNoCodec) {
    const std::string tiff = write("scan.tif", text("II*", 500));
    EXPECT_EQ(detect(tiff), ImageType::kTiff);
    EXPECT_EQ(FormatDetector::openImage(s::file::win::PathWin(tiff)), nullptr);
    EXPECT_EQ(FormatDetector::openImage(
                  s::file::win::PathWin(write("notes.bmp", text("plain text", 500)))),
              nullptr);
}

TEST_F(FormatDetectorFiles, MalformedBmpIsOpenedButHoldsNothing) {
    Bytes damaged = bmpFile(200);
    put32(damaged, 18, 0);  // width 0
    auto opened = FormatDetector::openImage(s::file::win::PathWin(write("bad.bmp", damaged)));
    ASSERT_NE(opened, nullptr);
    EXPECT_FALSE(opened->isValid());
    EXPECT_EQ(opened->decodeAll()->getCount(), 0);
}

}  // namespace
