// The bmpsuite files: good ones decode to their size, questionable and bad
// ones are refused or decoded -- under the sanitizers, without any access
// outside a buffer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "formats/FormatDetector.h"
#include "formats/bmp/Bitmap.h"

namespace fs = std::filesystem;
using s::image::bmp::win::Bitmap;

namespace {

const fs::path kData = fs::path(TARVEX_TEST_DATA) / "bmp";

struct Expected {
    std::string file;
    std::int32_t width, height;
};

std::vector<Expected> expectedSizes() {
    std::ifstream in(kData / "expected-sizes.csv");
    std::vector<Expected> out;
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Expected e;
        std::string w, h;
        std::getline(fields, e.file, ',');
        std::getline(fields, w, ',');
        std::getline(fields, h, ',');
        out.push_back({e.file, std::stoi(w), std::stoi(h)});
    }
    return out;
}

TEST(BitmapCorpus, GoodFilesDecodeToTheirSize) {
    const auto expected = expectedSizes();
    ASSERT_FALSE(expected.empty());
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.file);
        // Opened the way the job opens files: by content.
        auto encoded =
            s::image::FormatDetector::openImage(s::file::win::PathWin((kData / e.file).string()));
        ASSERT_NE(dynamic_cast<Bitmap*>(encoded.get()), nullptr);
        ASSERT_TRUE(encoded->isValid());
        auto set = encoded->decodeAll();
        ASSERT_EQ(set->getCount(), 1);
        EXPECT_EQ(set->getImage(0)->getWidth(), e.width);
        EXPECT_EQ(set->getImage(0)->getHeight(), e.height);
    }
}

TEST(BitmapCorpus, QuestionableAndBadFilesAreRefusedOrDecoded) {
    // These carry impossible headers: a reader must refuse them.
    const std::set<std::string> mustRefuse = {"badbitcount.bmp", "badheadersize.bmp",
                                              "badpalettesize.bmp", "badwidth.bmp",
                                              "reallybig.bmp"};
    std::size_t files = 0;
    for (const char* folder : {"q", "b"}) {
        for (const auto& entry : fs::directory_iterator(kData / folder)) {
            const std::string name = entry.path().filename().string();
            SCOPED_TRACE(name);
            ++files;
            Bitmap bitmap;
            const bool read = bitmap.loadFromFile(entry.path().string());
            if (mustRefuse.count(name)) {
                EXPECT_FALSE(read);
            }
            auto set = bitmap.decodeAll();
            ASSERT_EQ(set->getCount(), read ? 1 : 0);
            if (read) {
                EXPECT_EQ(set->getImage(0)->getWidth(), bitmap.getWidth());
                EXPECT_EQ(set->getImage(0)->getHeight(), bitmap.getHeight());
            }
        }
    }
    EXPECT_GT(files, 0u);
}

}  // namespace
