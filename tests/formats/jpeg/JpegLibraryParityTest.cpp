// The codec asks the library for blue-green-red pixels straight into the
// image's rows and hands it those rows to encode. Both must give exactly
// what the library's plain RGB interface gives: the same decoded colours and
// the same encoded bytes. Also: the decoded picture reaches the job's image
// set without a copy.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "JpegFixture.h"
#include "formats/jpeg/LibJpeg.h"

namespace {

using namespace tarvex::test;

struct RgbPicture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> samples;  // top-down rows of R, G, B
};

// The library's own RGB decoding of a well-formed file.
RgbPicture referenceDecode(const Bytes& bytes) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    RgbPicture picture{cinfo.output_width, cinfo.output_height, {}};
    picture.samples.resize(std::size_t{picture.width} * picture.height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row =
            picture.samples.data() + std::size_t{cinfo.output_scanline} * picture.width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return picture;
}

// The library's own encoding of the image's colours through RGB rows.
Bytes referenceEncode(const BufferedImage& image, int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.getWidth());
    cinfo.image_height = static_cast<JDIMENSION>(image.getHeight());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(std::size_t{cinfo.image_width} * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const std::uint8_t* in = image.getRow(static_cast<std::int32_t>(cinfo.next_scanline));
        for (std::size_t x = 0; x < cinfo.image_width; ++x) {
            row[x * 3] = in[x * 4 + 2];
            row[x * 3 + 1] = in[x * 4 + 1];
            row[x * 3 + 2] = in[x * 4];
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes encoded(buffer, buffer + size);
    std::free(buffer);
    return encoded;
}

// Baseline and progressive files, every chroma sampling of the corpus, and
// sizes that are not multiples of the 16-pixel blocks.
TEST(JpegLibraryParity, ColourFilesDecodeToTheLibrarysRgbColoursWithOpaqueAlpha) {
    for (const char* file : {"hopper.jpg", "peacock.default.jpeg", "peacock.progressive.jpeg",
                             "peacock.s1x1-444.jpeg", "peacock.s2x1-422.jpeg", "peacock.s1x3.jpeg",
                             "testorig.jpg", "testprog.jpg", "mona-lisa.21x32.q90.jpeg"}) {
        SCOPED_TRACE(file);
        const Bytes bytes = corpusFile(file);
        const RgbPicture expected = referenceDecode(bytes);
        Pooled<BufferedImage> image = decodeJpeg(bytes);
        ASSERT_TRUE(image);
        ASSERT_EQ(image->getWidth(), static_cast<std::int32_t>(expected.width));
        ASSERT_EQ(image->getHeight(), static_cast<std::int32_t>(expected.height));
        std::size_t mismatches = 0;
        for (std::int32_t y = 0; y < image->getHeight(); ++y) {
            const std::uint8_t* row = image->getRow(y);
            const std::uint8_t* rgb = expected.samples.data() + std::size_t(y) * expected.width * 3;
            for (std::uint32_t x = 0; x < expected.width; ++x) {
                mismatches += row[x * 4] != rgb[x * 3 + 2] || row[x * 4 + 1] != rgb[x * 3 + 1] ||
                              row[x * 4 + 2] != rgb[x * 3] || row[x * 4 + 3] != 255;
            }
        }
        EXPECT_EQ(mismatches, 0u);
    }
}

TEST(JpegLibraryParity, EncodingGivesTheBytesOfTheLibrarysRgbInput) {
    std::mt19937 random(11);
    for (auto [w, h] : {std::pair{37, 23}, std::pair{1, 1}, std::pair{64, 17}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        Pooled<BufferedImage> image = BufferedImage::createImage(w, h);
        ASSERT_TRUE(image);
        // Smooth ramps with noise, and alpha bytes the encoder must ignore.
        for (std::int32_t y = 0; y < h; ++y) {
            for (std::int32_t x = 0; x < w; ++x) {
                const std::uint32_t noise = random() & 0x1F1F1F;
                image->getPixelRow(y)[x] = ((random() & 0xFF) << 24) |
                                           (static_cast<std::uint32_t>(x * 5) << 16) |
                                           (static_cast<std::uint32_t>(y * 7) << 8) | noise;
            }
        }
        Pooled<Jpeg> jpeg = Jpeg::take();
        ASSERT_TRUE(jpeg->fromImage(*image, Jpeg::kDefaultQuality, 255, 255, 255));
        EXPECT_EQ(writeJpeg(*jpeg), referenceEncode(*image, Jpeg::kDefaultQuality));
    }
}

TEST(JpegLibraryParity, DecodeAllHandsThePictureOverWithoutACopy) {
    Pooled<Jpeg> jpeg = readJpeg(corpusFile("hopper.jpg"));
    ASSERT_TRUE(jpeg->isValid());
    Pooled<BufferedImage> copy;
    ASSERT_TRUE(jpeg->decode(0, nullptr, copy));
    const BufferedImage* held = jpeg->getPicture();

    auto set = jpeg->decodeAll();
    ASSERT_EQ(set->getCount(), 1);
    EXPECT_EQ(set->getImage(0), held);
    EXPECT_FALSE(set->getImage(0)->hasAlpha());
    EXPECT_EQ(meanDifference(*set->getImage(0), *copy), 0.0);
    EXPECT_FALSE(jpeg->isValid());
    EXPECT_EQ(jpeg->decodeAll()->getCount(), 0);
}

}  // namespace
