// Reading icons: the order images are listed in, what their pixels decode
// to, and the refusal of damaged directories and blocks without any access
// outside a buffer.
#include <gtest/gtest.h>

#include <string>

#include "IcoFixture.h"
#include "formats/ico/PngBlock.h"

namespace icotest {
namespace {

// ------------------------------------------------------------ image order

struct OrderCase {
    const char* name;
    std::vector<std::pair<std::int32_t, std::uint16_t>> entries;  // size, bit count
    std::vector<std::size_t> expectedOrder;                       // entry indices
};

// Entry i is filled with colour 0x10 * (i + 1) in its blue byte, so the
// decoded pixels say which entry an image came from.
Bytes orderedIcon(const OrderCase& c) {
    std::vector<DirEntry> entries;
    for (std::size_t i = 0; i < c.entries.size(); ++i) {
        const auto [size, bits] = c.entries[i];
        const std::uint32_t tag = 0x10 * static_cast<std::uint32_t>(i + 1);
        entries.push_back(entryFor(bits == 32 ? IconBmp::solid32(size, size, 0xFF000000u | tag)
                                              : IconBmp::solidIndexed(size, size, bits, tag)));
    }
    return iconFile(entries);
}

TEST(IconRead, ListsThePreferredEntryFirstThenTheOthersInDirectoryOrder) {
    const OrderCase cases[] = {
        {"16x16 is nearer to 32x32 than 48x48", {{48, 32}, {16, 8}}, {1, 0}},
        {"32x32 at 32 bits wins at once", {{16, 8}, {32, 8}, {32, 32}, {48, 32}}, {2, 0, 1, 3}},
        {"equal area: the bit count nearer 32 wins", {{32, 4}, {32, 8}}, {1, 0}},
        {"a full tie goes to the earlier entry", {{48, 8}, {48, 8}}, {0, 1}},
        {"a size byte of 0 (256) counts as area 0", {{256, 32}, {16, 32}}, {1, 0}},
    };
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        bool ok = false;
        auto icon = readIcon(orderedIcon(c), &ok);
        ASSERT_TRUE(ok);
        ASSERT_EQ(icon->getImageCount(), static_cast<std::int32_t>(c.expectedOrder.size()));
        for (std::size_t i = 0; i < c.expectedOrder.size(); ++i) {
            const std::size_t entry = c.expectedOrder[i];
            const auto [size, bits] = c.entries[entry];
            EXPECT_EQ(icon->getImage(static_cast<std::int32_t>(i))->getWidth(), size);
            EXPECT_EQ(icon->getImage(static_cast<std::int32_t>(i))->getBitCount(), bits);
            auto image = decodeImage(*icon, static_cast<std::int32_t>(i));
            ASSERT_TRUE(image);
            EXPECT_EQ(pixelAt(*image, 0, 0) & 0xFF, 0x10 * (entry + 1)) << "image " << i;
        }
    }
}

// ------------------------------------------------------------ pixels

TEST(IconRead, ThirtyTwoBitImagesTakeTheirAlphaBytesAndIgnoreTheMask) {
    struct Case {
        const char* name;
        std::uint32_t pixel;
        std::uint8_t maskByte;
        bool hasAlpha;
    };
    const Case cases[] = {
        {"alpha bytes all zero: fully transparent", 0x00FF0000u, 0x00, true},
        {"opaque pixels under a fully set mask stay opaque", 0xFF00FF00u, 0xFF, false},
        {"translucent alpha is kept as it is", 0x800000FFu, 0x00, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IconBmp bmp = IconBmp::solid32(3, 2, c.pixel);
        bmp.maskRows.assign(8, c.maskByte);
        auto icon = readIcon(iconFile({entryFor(bmp)}));
        auto image = decodeImage(*icon, 0);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->hasAlpha(), c.hasAlpha);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) EXPECT_EQ(pixelAt(*image, x, y), c.pixel);
        }
    }
}

// 3 x 2 at 4 bits: colours from the table, rows stored bottom-up, the first
// pixel in the high nibble and in the mask's top bit.
TEST(IconRead, PaletteImagesTakeColoursFromTheTableAndTransparencyFromTheMask) {
    IconBmp bmp;
    bmp.width = 3;
    bmp.height = 2;
    bmp.bitCount = 4;
    bmp.clrUsed = 4;
    for (std::uint32_t rgb : {0x000000u, 0xFF0000u, 0x00FF00u, 0x0000FFu}) put32(bmp.palette, rgb);
    bmp.colourRows = {0x32, 0x10, 0, 0,   // bottom row: 3 2 1
                      0x12, 0x30, 0, 0};  // top row: 1 2 3
    bmp.maskRows = {0x20, 0, 0, 0,        // bottom row: third pixel transparent
                    0x80, 0, 0, 0};       // top row: first pixel transparent
    auto icon = readIcon(iconFile({entryFor(bmp)}));
    ASSERT_EQ(icon->getImageCount(), 1);
    auto image = decodeImage(*icon, 0);
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->hasAlpha());
    const std::uint32_t expected[2][3] = {{0x00FF0000u, 0xFF00FF00u, 0xFF0000FFu},
                                          {0xFF0000FFu, 0xFF00FF00u, 0x00FF0000u}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(pixelAt(*image, x, y), expected[y][x]) << x << y;
    }
    auto set = icon->decodeAll();
    ASSERT_EQ(set->getCount(), 1);
    EXPECT_EQ(set->getDepth(0), 4);
}

TEST(IconRead, AMaskCutShortLeavesTheMissingRowsOpaque) {
    IconBmp bmp = IconBmp::solidIndexed(2, 2, 8, 0x123456);
    bmp.maskRows = {0xC0, 0, 0, 0, 0xC0, 0, 0, 0};
    Bytes block = bmp.bytes();
    block.resize(block.size() - 4);  // only the bottom mask row is left
    DirEntry entry = entryFor(bmp);
    entry.block = block;
    auto icon = readIcon(iconFile({entry}));
    auto image = decodeImage(*icon, 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(pixelAt(*image, 0, 0) >> 24, 0xFFu);
    EXPECT_EQ(pixelAt(*image, 1, 0) >> 24, 0xFFu);
    EXPECT_EQ(pixelAt(*image, 0, 1) >> 24, 0u);
    EXPECT_EQ(pixelAt(*image, 1, 1) >> 24, 0u);
}

// ------------------------------------------------------------ damage

Bytes pngHead(std::uint32_t width, std::uint32_t height, std::uint8_t depth,
              std::uint8_t colourType, std::size_t padding) {
    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (std::uint32_t v : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
    out.insert(out.end(), {depth, colourType, 0, 0, 0, 0, 0, 0, 0});
    out.resize(out.size() + padding, 0x55);
    return out;
}

TEST(IconRead, RefusesDamagedDirectoriesAndBlocks) {
    const DirEntry good = entryFor(IconBmp::solid32(4, 4, 0xFF112233u));
    auto withBlock = [&](Bytes block) {
        DirEntry e = good;
        e.block = std::move(block);
        return iconFile({e});
    };
    auto withBmp = [&](const std::function<void(IconBmp&)>& change) {
        IconBmp bmp = IconBmp::solid32(4, 4, 0xFF112233u);
        bmp.maskRows.assign(16, 0);
        change(bmp);
        return withBlock(bmp.bytes());
    };
    auto withEntry = [&](const std::function<void(DirEntry&)>& change) {
        DirEntry e = good;
        change(e);
        return iconFile({e});
    };
    Bytes reservedSet = iconFile({good});
    reservedSet[0] = 1;
    Bytes cutRows = good.block;
    cutRows.resize(40 + 4 * 4 * 2);

    const std::pair<const char*, Bytes> cases[] = {
        {"cursor type", iconFile({good}, 2)},
        {"reserved header field set", reservedSet},
        {"no entries", iconFile({})},
        {"directory longer than the file", iconFile({good}, 1, 20)},
        {"header cut short", Bytes{0, 0, 1}},
        {"block one byte beyond the file", withEntry([](DirEntry& e) { e.size = 4 * 4 * 4 + 57; })},
        {"offset beyond the file", withEntry([](DirEntry& e) { e.offset = 100000; })},
        {"length 0xFFFFFFF9", withEntry([](DirEntry& e) { e.size = 0xFFFFFFF9u; })},
        {"empty block", withEntry([](DirEntry& e) { e.size = 0; })},
        {"colour rows cut short", withBlock(cutRows)},
        {"4000 x 4000 in a 120-byte block", withBmp([](IconBmp& b) { b.width = b.height = 4000; })},
        {"65535 x 65535", withBmp([](IconBmp& b) { b.width = 65535, b.headerHeight = 131070; })},
        {"negative height", withBmp([](IconBmp& b) { b.headerHeight = -8; })},
        {"height of one row for colour and mask", withBmp([](IconBmp& b) { b.headerHeight = 1; })},
        {"40 bits per pixel", withBmp([](IconBmp& b) { b.bitCount = 40; })},
        {"2 bits per pixel", withBmp([](IconBmp& b) { b.bitCount = 2; })},
        {"0 bits per pixel", withBmp([](IconBmp& b) { b.bitCount = 0; })},
        {"run-length coded", withBmp([](IconBmp& b) { b.bitCount = 4, b.compression = 2; })},
        {"300 colours", withBmp([](IconBmp& b) { b.bitCount = 8, b.clrUsed = 300; })},
        {"12-byte header", withBmp([](IconBmp& b) { b.headerSize = 12; })},
        {"66-byte header", withBmp([](IconBmp& b) { b.headerSize = 66; })},
        {"block of three bytes", withBlock({40, 0, 0})},
        {"PNG beyond the image limits", withBlock(pngHead(100000, 100000, 8, 6, 32))},
        {"PNG that does not decode", withBlock(pngHead(4, 4, 8, 6, 64))},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        bool ok = true;
        auto icon = readIcon(bytes, &ok);
        EXPECT_FALSE(ok);
        EXPECT_FALSE(icon->isValid());
        EXPECT_EQ(icon->getImageCount(), 0);
        EXPECT_EQ(icon->decodeAll()->getCount(), 0);
    }
}

TEST(IconRead, KeepsTheReadableEntriesOfAPartlyDamagedIcon) {
    DirEntry beyond = entryFor(IconBmp::solid32(32, 32, 0xFF0000FFu));
    beyond.size = 0x10000;
    DirEntry bad = entryFor(IconBmp::solid32(24, 24, 0xFF0000FFu));
    bad.block.resize(50);
    const DirEntry good = entryFor(IconBmp::solid32(16, 16, 0xFF00FF00u));
    bool ok = false;
    auto icon = readIcon(iconFile({beyond, bad, good}), &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(icon->getImageCount(), 1);
    EXPECT_EQ(icon->getWidth(), 16);
    EXPECT_EQ(pixelAt(*decodeImage(*icon, 0), 5, 5), 0xFF00FF00u);
}

// A PNG stream cannot expand beyond deflate's 1032 : 1, so a header naming
// more pixel data than that is refused before the PNG reader allocates.
TEST(IconRead, PngBlocksMustBeAbleToHoldThePixelsTheyName) {
    using s::image::ico::PngBlock;
    EXPECT_TRUE(PngBlock::isPlausible(pngHead(256, 256, 8, 6, 300)));
    EXPECT_TRUE(PngBlock::isPlausible(pngHead(1000, 1000, 1, 0, 200)));
    EXPECT_FALSE(PngBlock::isPlausible(pngHead(11000, 11000, 1, 0, 100)));
    EXPECT_FALSE(PngBlock::isPlausible(pngHead(2000, 2000, 16, 6, 10000)));
    EXPECT_FALSE(PngBlock::isPlausible(pngHead(0, 16, 8, 6, 100)));
}

}  // namespace
}  // namespace icotest
