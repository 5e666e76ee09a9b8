// s::image::bmp::win::Bitmap -- one BMP image: its headers, colour table and
// pixel rows, read from and written to BMP files (and to the header-less
// form used inside icons), decoded into and encoded from pixel images.
//
// Held form: uncompressed rows, bottom row first, each padded to a multiple
// of 4 bytes (getStride), at 1, 4, 8, 16, 24 or 32 bits per pixel; 16- and
// 32-bit images may carry bit-field masks. Files coded with RLE8/RLE4 are
// expanded on reading, top-down files are turned upright, and OS/2 headers
// are taken into the 40-byte form, so every holder looks alike.
//
// Reading is for untrusted files: readFrom refuses (returns false, leaves
// the object empty and invalid) impossible sizes, sizes beyond ImageLimits,
// planes other than 1, unknown header sizes, depths and compressions,
// unusable bit-field masks, colour tables beyond 256 entries and pixel data
// that would start beyond the file or inside the headers. A pixel offset
// that points into the colour table (a writer that forgot to count the
// table) is read from the end of the table, unless only a table shorter
// than declared fits the file. A pixel area cut short leaves the
// missing rows zero; nothing is ever read or written outside a buffer, and
// palette indices beyond the colour table decode as opaque black.
//
// Writing always produces a bottom-up file with a 40-byte info header.
// Encoding (fromImage) writes real pixels at every depth: 32 and 24 bits
// directly, 16 bits as 5-5-5, and 8, 4 and 1 bits through the colour
// quantizer.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "formats/IEncodedImage.h"
#include "formats/bmp/BmpHeaders.h"
#include "formats/bmp/ChannelMasks.h"
#include "foundation/EasyPooler.h"

namespace s::image::bmp::win {

class Bitmap final : public s::image::IEncodedImage {
    TARVEX_POOLED(Bitmap, "s_image_bmp_win_Bitmap")
public:
    static constexpr std::int32_t kMaxColours = 256;

    Bitmap();
    ~Bitmap() override = default;
    void reset() override;

    std::int32_t getWidth() const override { return infoHeader_.width; }
    std::int32_t getHeight() const override { return infoHeader_.height; }
    const char* getExtension() const override { return ".bmp"; }

    s::image::win::BufferedImage* decode(
        std::int32_t index, s::image::win::BufferedImage* target,
        s::thread::Pooled<s::image::win::BufferedImage>& created) override;
    // A set holding the decoded image, depth tag = bit count, values 0, 0.
    s::thread::Pooled<s::image::win::BufferedImageSet> decodeAll() override;

    bool writeTo(s::io::IOutputStream& stream) override;
    bool readFrom(s::io::IInputStream& stream) override;
    bool isValid() const override { return valid_; }

    // The set's largest member, encoded like encodeImage.
    s::thread::Pooled<s::image::IEncodedImage> encodeSet(
        s::image::win::BufferedImageSet& set) override;
    // A new Bitmap at this bitmap's bit count, keeping transparency (32 bits)
    // or flattening onto white (other depths).
    s::thread::Pooled<s::image::IEncodedImage> encodeImage(
        s::image::win::BufferedImage& image) override;

    // A zeroed bitmap of that size and depth (1, 4, 8, 16, 24 or 32) with
    // headers as written; palette depths get a full zeroed colour table.
    // False (object emptied) for other depths, sizes beyond ImageLimits, or
    // when memory cannot be had.
    bool create(std::int32_t width, std::int32_t height, std::int32_t bitCount);
    // The encoder: this bitmap becomes `image` at `bitCount`. Fully
    // transparent pixels take the background colour; with keepTransparency
    // at 32 bits alpha is kept, otherwise the image is composited onto the
    // background first. The source image is not changed. False (object
    // emptied) when the depth is unsupported or memory cannot be had.
    bool fromImage(s::image::win::BufferedImage& image, std::int32_t bitCount,
                   bool keepTransparency, std::int32_t red, std::int32_t green, std::int32_t blue);

    // The header-less form (info header, masks, colour table, rows) used
    // inside icons; reading checks it like readFrom.
    bool writeHeaderless(s::io::IOutputStream& stream);
    bool readHeaderless(s::io::IInputStream& stream);

    // Converts the pixels into target's 32-bit rows (target must already
    // hold width x height); no alpha handling.
    void drawInto(s::image::win::BufferedImage& target) const;

    std::int32_t getBitCount() const { return infoHeader_.bitCount; }
    std::int32_t getStride() const { return stride_; }
    bool isAlphaBitmap() const;
    bool hasColourTable() const { return colourCount_ != 0; }
    std::int32_t getColourCount() const { return colourCount_; }
    std::int32_t getColourTableBytes() const { return colourCount_ * 4; }
    // kMaxColours entries of blue, green, red, reserved.
    std::uint8_t* getColourTable() { return colourTable_.data(); }
    const std::uint8_t* getColourTable() const { return colourTable_.data(); }
    // Row y, 0 = top (rows are held bottom-up). y must be in [0, height).
    std::uint8_t* getRow(std::int32_t y);
    const std::uint8_t* getRow(std::int32_t y) const;
    std::uint8_t* getPixels() { return pixels_.empty() ? nullptr : pixels_.data(); }
    const std::uint8_t* getPixels() const { return pixels_.empty() ? nullptr : pixels_.data(); }

    bool hasTransparentColour() const { return transparentColour_ != -1; }
    std::int32_t getTransparentColour() const { return transparentColour_; }
    void setTransparentColour(std::int32_t red, std::int32_t green, std::int32_t blue) {
        transparentColour_ = (red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF);
    }

    const FileHeader& getFileHeader() const { return fileHeader_; }
    const InfoHeader& getInfoHeader() const { return infoHeader_; }
    // Bit-field masks (red, green, blue, alpha) of 16- and 32-bit images.
    const ChannelMasks& getMasks() const { return masks_; }

private:
    struct Layout;

    void clear();
    bool refuse();
    bool readBody(s::io::IInputStream& stream, std::uint64_t start, const FileHeader* file);
    bool readInfoHeader(s::io::IInputStream& stream, Layout& layout);
    bool readColourTable(s::io::IInputStream& stream, Layout& layout);
    static bool holdsPixelsAt(const s::io::IInputStream& stream, const Layout& layout,
                              std::uint64_t offset);
    bool seekToPixels(s::io::IInputStream& stream, const Layout& layout);
    void allocatePixels();
    void readPixels(s::io::IInputStream& stream, const Layout& layout);
    void finishHeaders();
    std::uint32_t maskBytes() const;

    void encodePalette(const s::image::win::BufferedImage& image);

    FileHeader fileHeader_;
    InfoHeader infoHeader_;
    std::array<std::uint8_t, kMaxColours * 4> colourTable_{};
    std::vector<std::uint8_t> pixels_;
    std::int32_t stride_ = 0;
    std::int32_t colourCount_ = 0;
    std::int32_t transparentColour_ = -1;
    ChannelMasks masks_;
    bool valid_ = false;
};

}  // namespace s::image::bmp::win
