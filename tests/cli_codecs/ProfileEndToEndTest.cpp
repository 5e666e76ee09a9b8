// tarvex-resize end to end on colour-tagged photos: in both sizing modes
// every output of a tagged JPEG or PNG carries exactly the source's profile
// (as libjpeg, libpng and ImageMagick read it back) and is otherwise the
// output of the same picture untagged; --strip-profile writes none; the
// profile of a CMYK JPEG or a grey PNG reaches no output.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CliFixture.h"
#include "formats/IccFixture.h"
#include "formats/ProfileReaders.h"

namespace tarvex::test {
namespace {

using namespace tarvex::test::cli;

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// A run that ignores any stored preferences; its exit status.
int runResizeNoStore(std::vector<std::string> args, const fs::path& logs) {
    args.insert(args.begin(), "--no-store");
    return runResize(args, logs).status;
}

// The outputs written from the input named stem, found anywhere below dir.
std::vector<fs::path> outputsOf(const fs::path& dir, const std::string& stem) {
    std::vector<fs::path> out;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.rfind(stem + " (", 0) == 0) out.push_back(entry.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

// The same output of the untagged twin ("tagged" becomes "plain" in the
// file name and in a " (Sizes)" folder's name).
fs::path twinOf(const fs::path& output) {
    std::string text = output.string();
    for (std::size_t at; (at = text.find("tagged")) != std::string::npos;) {
        text.replace(at, 6, "plain");
    }
    return text;
}

// The profile ImageMagick extracts from the image (empty when it finds
// none); false when ImageMagick is not installed.
bool imageMagickProfile(const fs::path& image, const fs::path& scratch, Bytes& profile) {
    if (std::system("command -v convert > /dev/null 2>&1") != 0) return false;
    const fs::path icc = scratch / "extracted.icc";
    fs::remove(icc);
    const std::string command = "convert " + quoted(image) + " " + quoted(icc) + " 2> /dev/null";
    profile = std::system(command.c_str()) == 0 ? readBytes(icc) : Bytes();
    return true;
}

struct Mode {
    const char* name;
    std::vector<std::string> options;
};

const Mode kModes[] = {
    {"one specific size", {"--pixels", "16x16"}},
    {"several sizes", {"--various", "--samples", "3", "--limited-range", "50"}},
    {"several sizes, one thread",
     {"--various", "--samples", "3", "--limited-range", "50", "--threads", "1"}},
};

TEST(ProfileEndToEnd, EveryOutputCarriesExactlyTheSourcesProfileInBothSizingModes) {
    const Bytes srgb = srgb2014Profile();
    ASSERT_EQ(srgb.size(), 3024u);
    for (const Mode& mode : kModes) {
        SCOPED_TRACE(mode.name);
        Scratch dir;
        std::vector<std::string> args = mode.options;
        for (const auto& [source, name] :
             {std::pair{"profiles/mona-lisa-srgb2014.jpeg", "tagged-photo.jpeg"},
              std::pair{"jpeg/mona-lisa.21x32.q90.jpeg", "plain-photo.jpeg"},
              std::pair{"profiles/basn2c08-srgb2014.png", "tagged-picture.png"},
              std::pair{"png/basn2c08.png", "plain-picture.png"}}) {
            args.push_back(dir.add(source, name).string());
        }
        ASSERT_EQ(runResizeNoStore(args, dir.path()), 0);

        const std::vector<fs::path> photos = outputsOf(dir.path(), "tagged-photo");
        const std::vector<fs::path> pictures = outputsOf(dir.path(), "tagged-picture");
        ASSERT_FALSE(photos.empty());
        ASSERT_EQ(photos.size(), pictures.size());
        for (const fs::path& photo : photos) {
            SCOPED_TRACE(photo.string());
            const Bytes bytes = readBytes(photo);
            EXPECT_EQ(jpegLibraryProfile(bytes), srgb);
            EXPECT_EQ(withoutApp2(bytes), readBytes(twinOf(photo)));
            Bytes extracted;
            if (imageMagickProfile(photo, dir.path(), extracted)) {
                EXPECT_EQ(extracted, srgb);
            }
        }
        for (const fs::path& picture : pictures) {
            SCOPED_TRACE(picture.string());
            const Bytes bytes = readBytes(picture);
            EXPECT_EQ(pngLibraryProfile(bytes), srgb);
            // The untagged twin carries the suite file's own gAMA chunk.
            EXPECT_EQ(withoutPngColourChunks(bytes),
                      withoutPngColourChunks(readBytes(twinOf(picture))));
            Bytes extracted;
            if (imageMagickProfile(picture, dir.path(), extracted)) {
                EXPECT_EQ(extracted, srgb);
            }
        }
    }
}

TEST(ProfileEndToEnd, OutputsCarryNoProfileWhenStrippedOrWhenItDoesNotDescribeThem) {
    struct Case {
        const char* name;
        const char* source;
        bool strip;
    } const cases[] = {
        {"RGB JPEG with --strip-profile", "profiles/mona-lisa-srgb2014.jpeg", true},
        {"RGB PNG with --strip-profile", "profiles/basn2c08-srgb2014.png", true},
        {"CMYK JPEG with a CMYK profile", "profiles/cmyk-cmyk-profile.jpg", false},
        {"grey PNG with a grey profile", "profiles/basn0g08-grey-profile.png", false},
    };
    for (const Mode& mode : kModes) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(mode.name) + ": " + c.name);
            Scratch dir;
            const std::string extension = fs::path(c.source).extension().string();
            std::vector<std::string> args = mode.options;
            if (c.strip) args.push_back("--strip-profile");
            args.push_back(dir.add(c.source, "input" + extension).string());
            ASSERT_EQ(runResizeNoStore(args, dir.path()), 0);
            const std::vector<fs::path> outputs = outputsOf(dir.path(), "input");
            ASSERT_FALSE(outputs.empty());
            for (const fs::path& output : outputs) {
                SCOPED_TRACE(output.string());
                const Bytes bytes = readBytes(output);
                if (extension == ".png") {
                    EXPECT_TRUE(pngColourChunksOf(bytes).empty());
                } else {
                    EXPECT_EQ(withoutApp2(bytes), bytes);
                }
            }
        }
    }
}

}  // namespace
}  // namespace tarvex::test
