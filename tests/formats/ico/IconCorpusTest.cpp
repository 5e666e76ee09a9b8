// Third-party icon files (tests/data/ico): valid files decode with every
// entry, files that must be refused are refused, questionable ones are
// either -- always without an access outside a buffer (the sanitizer build
// runs this too).
#include <gtest/gtest.h>

#include "IcoFixture.h"
#include "formats/FormatDetector.h"

namespace icotest {
namespace {

enum class Expect { Decodes, Refused, Questionable };

struct CorpusCase {
    const char* file;
    Expect expect;
    // For files that decode: the image count and the first image listed.
    std::int32_t images = 0;
    std::int32_t width = 0, height = 0, bitCount = 0;
};

const CorpusCase kCases[] = {
    {"black_and_white.ico", Expect::Decodes, 1, 16, 16, 1},
    {"bmp-32bpp-conflicting-and-mask.ico", Expect::Decodes, 1, 16, 16, 32},
    {"hippopotamus.regular.ico", Expect::Decodes, 1, 36, 28, 32},
    {"hopper.ico", Expect::Decodes, 1, 16, 16, 8},
    {"hopper_256x256.ico", Expect::Decodes, 1, 256, 256, 24},
    {"hopper_mask.ico", Expect::Decodes, 1, 16, 16, 1},
    {"multiple_entries_with_different_bit_depth.ico", Expect::Decodes, 9, 32, 32, 32},
    {"pillow.ico", Expect::Decodes, 5, 32, 32, 32},
    {"smile.ico", Expect::Decodes, 2, 32, 32, 4},
    {"two-entry-order-test.ico", Expect::Decodes, 2, 48, 48, 8},
    {"crash-981fee302fe0fc543ee48292cc3d6ace7e97e633.ico", Expect::Refused},
    {"decompression_bomb.ico", Expect::Refused},
    {"oom-0d0085eb7f66ea55d9119206235cd29e089b9140.ico", Expect::Refused},
    {"oom-ff076e7064c13ec1f8e2c5bbbfb7a77a08db2361.ico", Expect::Refused},
    {"Bad_smile-incorrect-image-length.ico", Expect::Questionable},
    {"hopper_unexpected.ico", Expect::Questionable},
    {"lenient-bpp.ico", Expect::Questionable},
    {"png_l8.ico", Expect::Questionable},
    {"png_rgb8.ico", Expect::Questionable},
    {"truncated_mask_32bpp.ico", Expect::Questionable},
};

TEST(IconCorpus, EveryFileMeetsItsExpectedResult) {
    for (const CorpusCase& c : kCases) {
        SCOPED_TRACE(c.file);
        bool ok = false;
        auto icon = readIcon(readBytes(kIcoData / c.file), &ok);
        auto set = icon->decodeAll();
        ASSERT_TRUE(set);
        EXPECT_EQ(set->getCount(), icon->getImageCount());
        if (c.expect == Expect::Refused) {
            EXPECT_FALSE(ok);
            EXPECT_EQ(set->getCount(), 0);
        }
        if (c.expect != Expect::Decodes) continue;
        ASSERT_TRUE(ok);
        ASSERT_EQ(icon->getImageCount(), c.images);
        EXPECT_EQ(icon->getImage(0)->getWidth(), c.width);
        EXPECT_EQ(icon->getImage(0)->getHeight(), c.height);
        EXPECT_EQ(icon->getImage(0)->getBitCount(), c.bitCount);
    }
}

// The job opens files by content: valid icons come back as Icon objects.
TEST(IconCorpus, ValidFilesAreOpenedByTheIconCodec) {
    for (const CorpusCase& c : kCases) {
        if (c.expect != Expect::Decodes) continue;
        SCOPED_TRACE(c.file);
        auto encoded = s::image::FormatDetector::openImage(
            s::file::win::PathWin((kIcoData / c.file).string()));
        ASSERT_NE(dynamic_cast<Icon*>(encoded.get()), nullptr);
        EXPECT_TRUE(encoded->isValid());
        EXPECT_EQ(encoded->getImageCount(), c.images);
    }
}

// Every pixel is blue at alpha 128, whatever the AND mask says.
TEST(IconCorpus, ThirtyTwoBitAlphaWinsOverAConflictingMask) {
    auto icon = readIcon(readBytes(kIcoData / "bmp-32bpp-conflicting-and-mask.ico"));
    auto image = decodeImage(*icon, 0);
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->hasAlpha());
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) ASSERT_EQ(pixelAt(*image, x, y), 0x800000FFu) << x << "," << y;
    }
}

// Two 48 x 48 entries tie; the first ("Entry 1 Good!") must be listed first.
TEST(IconCorpus, TheFirstOfTwoEqualEntriesIsListedFirst) {
    const Bytes file = readBytes(kIcoData / "two-entry-order-test.ico");
    auto entryImage = [&](int i) {
        const std::uint32_t size = get32(file, 6 + 16 * i + 8),
                            offset = get32(file, 6 + 16 * i + 12);
        Pooled<IconImage> image = IconImage::take();
        s::io::MemoryInputStream in(file.data() + offset, size);
        EXPECT_TRUE(image->readFrom(in));
        return decodeImage(*image, 0);
    };
    auto icon = readIcon(file);
    auto listedFirst = decodeImage(*icon, 0);
    auto first = entryImage(0), second = entryImage(1);
    ASSERT_TRUE(listedFirst && first && second);
    int differences = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            ASSERT_EQ(pixelAt(*listedFirst, x, y), pixelAt(*first, x, y));
            differences += pixelAt(*first, x, y) != pixelAt(*second, x, y);
        }
    }
    EXPECT_GT(differences, 0);
}

}  // namespace
}  // namespace icotest
