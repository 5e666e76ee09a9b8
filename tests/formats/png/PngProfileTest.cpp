// Colour chunks of PNG files: iCCP with an RGB profile and sRGB reach every
// output unchanged (gAMA and cHRM only when neither is there), the output
// differs from an untagged one only by those chunks, and chunks that do not
// describe our RGBA output, or are damaged, are dropped while the file is
// still decoded.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "PngFixture.h"
#include "formats/IccFixture.h"
#include "formats/ProfileReaders.h"
#include "image/BufferedImageSet.h"

namespace tarvex::test {
namespace {

using s::image::win::BufferedImageSet;

// A chunk as the tests write it (type and body).
using Chunk = PngChunkView;

Bytes iccpBody(const std::string& name, const Bytes& profile, std::uint8_t method = 0) {
    Bytes body(name.begin(), name.end());
    body.push_back(0);
    body.push_back(method);
    const Bytes z = deflated(profile);
    body.insert(body.end(), z.begin(), z.end());
    return body;
}

Bytes be32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
}

const Bytes kChrm = [] {
    Bytes b;
    for (std::uint32_t v : {31270u, 32900u, 64000u, 33000u, 30000u, 60000u, 15000u, 6000u}) {
        const Bytes e = be32(v);
        b.insert(b.end(), e.begin(), e.end());
    }
    return b;
}();

// A 3 x 2 picture of the colour type (0 grey, 2 RGB, 3 palette) with the
// given chunks between IHDR and the image data, `late` ones after PLTE and
// `trailing` ones after the image data.
Bytes pictureWith(std::uint8_t colourType, const std::vector<Chunk>& chunks,
                  const std::vector<Chunk>& late = {}, const std::vector<Chunk>& trailing = {}) {
    const std::size_t bytesPerPixel = colourType == 2 ? 3 : 1;
    Bytes raw;
    for (int y = 0; y < 2; ++y) {
        raw.push_back(0);  // filter: none
        for (std::size_t i = 0; i < 3 * bytesPerPixel; ++i) {
            raw.push_back(static_cast<std::uint8_t>(colourType == 3 ? (i + y) % 3 : 40 * i + y));
        }
    }
    Bytes file = pngFile({ihdr(3, 2, 8, colourType)});
    const auto add = [&file](const Bytes& c) { file.insert(file.end(), c.begin(), c.end()); };
    for (const Chunk& c : chunks) add(chunk(c.type.c_str(), c.body));
    if (colourType == 3) add(chunk("PLTE", {255, 0, 0, 0, 255, 0, 0, 0, 255}));
    for (const Chunk& c : late) add(chunk(c.type.c_str(), c.body));
    add(chunk("IDAT", deflated(raw)));
    for (const Chunk& c : trailing) add(chunk(c.type.c_str(), c.body));
    add(chunk("IEND", {}));
    return file;
}

// The file read, handed to the job's set and written back as the job does.
Bytes rewritten(const Bytes& file) {
    Pooled<Png> png = readPng(file);
    EXPECT_TRUE(png->isValid()) << png->getLastMessage();
    Pooled<BufferedImageSet> set = png->decodeAll();
    if (!set || set->getCount() == 0) return {};
    Pooled<s::image::IEncodedImage> out = png->encodeSet(*set);
    s::io::MemoryOutputStream stream;
    EXPECT_TRUE(out && out->writeTo(stream));
    return stream.take();
}

TEST(PngProfile, ColourChunksReachTheOutputUnchanged) {
    const Bytes srgb = srgb2014Profile();
    const Bytes large = madeUpProfile("RGB ", 150 * 1024);
    const Chunk iccp{"iCCP", iccpBody("sRGB2014", srgb)};
    const Chunk srgbChunk{"sRGB", {0}};
    const Chunk gama{"gAMA", be32(45455)};
    const Chunk chrm{"cHRM", kChrm};
    struct Case {
        const char* name;
        std::uint8_t colourType;
        std::vector<Chunk> chunks;
        std::vector<Chunk> expected;
        Bytes profile;  // what libpng reads from the output
    } const cases[] = {
        {"iCCP with sRGB2014", 2, {iccp}, {iccp}, srgb},
        {"iCCP with a 150 KiB profile",
         2,
         {{"iCCP", iccpBody("big", large)}},
         {{"iCCP", iccpBody("big", large)}},
         large},
        {"iCCP of a palette file", 3, {iccp}, {iccp}, srgb},
        {"sRGB alone", 2, {srgbChunk}, {srgbChunk}, {}},
        {"sRGB of a grey file", 0, {srgbChunk}, {srgbChunk}, {}},
        {"gAMA and cHRM alone", 2, {gama, chrm}, {gama, chrm}, {}},
        {"sRGB with gAMA and cHRM", 2, {gama, srgbChunk, chrm}, {srgbChunk}, {}},
        {"iCCP with gAMA", 2, {gama, iccp}, {iccp}, srgb},
        {"the first of two iCCP chunks",
         2,
         {iccp, {"iCCP", iccpBody("second", large)}},
         {iccp},
         srgb},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = pictureWith(c.colourType, c.chunks);
        const Bytes output = rewritten(file);
        EXPECT_EQ(pngColourChunksOf(output), c.expected);
        EXPECT_EQ(pngChunksOf(output)[1].type, c.expected.front().type) << "right after IHDR";
        EXPECT_EQ(pngLibraryProfile(output), c.profile);
        // Same pixels, same encoding: only the colour chunks were added.
        EXPECT_EQ(withoutPngColourChunks(output), rewritten(pictureWith(c.colourType, {})));
    }
}

TEST(PngProfile, ChunksThatDoNotDescribeTheOutputOrAreDamagedAreDroppedNeverFatal) {
    const Bytes rgb = madeUpProfile("RGB ", 2000);
    const Bytes grey = madeUpProfile("GRAY", 600);
    Bytes wrongSize = rgb;
    wrongSize[3] ^= 1;
    Bytes cutStream = iccpBody("cut", rgb);
    cutStream.resize(cutStream.size() - 10);
    Bytes damagedStream = iccpBody("damaged", rgb);
    damagedStream[12] ^= 0xFF;
    // Inflates to 2 MiB from a few KiB.
    const Bytes tooLarge = madeUpProfile("RGB ", 2u << 20);
    struct Case {
        const char* name;
        std::uint8_t colourType;
        std::vector<Chunk> chunks;
        std::vector<Chunk> late;
        std::vector<Chunk> trailing = {};
    } const cases[] = {
        {"grey file with a grey profile", 0, {{"iCCP", iccpBody("g", grey)}}, {}},
        {"grey file with an RGB profile", 0, {{"iCCP", iccpBody("g", rgb)}}, {}},
        {"RGB file with a grey profile", 2, {{"iCCP", iccpBody("g", grey)}}, {}},
        {"RGB file with a CMYK profile",
         2,
         {{"iCCP", iccpBody("c", madeUpProfile("CMYK", 900))}},
         {}},
        {"compression method 1", 2, {{"iCCP", iccpBody("m", rgb, 1)}}, {}},
        {"empty profile name", 2, {{"iCCP", iccpBody("", rgb)}}, {}},
        {"80-byte profile name", 2, {{"iCCP", iccpBody(std::string(80, 'n'), rgb)}}, {}},
        {"no end to the name", 2, {{"iCCP", Bytes(40, 'n')}}, {}},
        {"profile stream cut short", 2, {{"iCCP", cutStream}}, {}},
        {"damaged profile stream", 2, {{"iCCP", damagedStream}}, {}},
        {"declared size not the byte count", 2, {{"iCCP", iccpBody("s", wrongSize)}}, {}},
        {"profile above 1 MiB", 2, {{"iCCP", iccpBody("big", tooLarge)}}, {}},
        {"iCCP after the palette", 3, {}, {{"iCCP", iccpBody("late", rgb)}}},
        {"colour chunks after the image data",
         2,
         {},
         {},
         {{"iCCP", iccpBody("trailing", rgb)}, {"sRGB", {0}}}},
        {"sRGB with rendering intent 4", 2, {{"sRGB", {4}}}, {}},
        {"sRGB of two bytes", 2, {{"sRGB", {0, 0}}}, {}},
        {"gAMA of 0", 2, {{"gAMA", be32(0)}}, {}},
        {"cHRM one byte short", 2, {{"cHRM", Bytes(kChrm.begin(), kChrm.end() - 1)}}, {}},
    };
    // One object for all, first holding carried chunks: none may survive.
    Pooled<Png> png = readPng(pictureWith(2, {{"sRGB", {0}}}));
    ASSERT_TRUE(png->getColourProfile());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = pictureWith(c.colourType, c.chunks, c.late, c.trailing);
        s::io::MemoryInputStream stream(file.data(), file.size());
        ASSERT_TRUE(png->readFrom(stream)) << png->getLastMessage();
        EXPECT_FALSE(png->getColourProfile());
        Pooled<BufferedImage> picture;
        ASSERT_TRUE(png->decode(0, nullptr, picture));
        EXPECT_EQ(pixelsOf(*picture), pixelsOf(*decodePng(pictureWith(c.colourType, {}))));
        EXPECT_TRUE(pngColourChunksOf(rewritten(file)).empty());
    }
}

// A flood of colour chunks costs one stored chunk of each kind at most in
// what is kept, and the file still reads.
TEST(PngProfile, FloodOfColourChunksReadsLikeTheFirstOfEach) {
    const Chunk iccp{"iCCP", iccpBody("sRGB2014", srgb2014Profile())};
    std::vector<Chunk> chunks(300, iccp);
    chunks.push_back({"sRGB", {1}});
    const Bytes output = rewritten(pictureWith(2, chunks));
    EXPECT_EQ(pngColourChunksOf(output), (std::vector<Chunk>{iccp}));
}

TEST(PngProfile, SetWithoutItsChunksWritesTheUntaggedFile) {
    Pooled<Png> png = readPng(pictureWith(2, {{"iCCP", iccpBody("p", srgb2014Profile())}}));
    Pooled<BufferedImageSet> set = png->decodeAll();
    ASSERT_TRUE(set->getColourProfile());
    set->setColourProfile(nullptr);
    Pooled<s::image::IEncodedImage> out = png->encodeSet(*set);
    s::io::MemoryOutputStream stream;
    ASSERT_TRUE(out->writeTo(stream));
    EXPECT_EQ(stream.take(), rewritten(pictureWith(2, {})));
}

}  // namespace
}  // namespace tarvex::test
