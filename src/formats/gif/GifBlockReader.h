// s::image::gif::win::GifBlockReader -- reads the blocks of a GIF stream
// into frames.
//
// The header and logical screen descriptor come first; then each block is
// dispatched on its first byte (image, extension, trailer; stray bytes are
// skipped) and each extension on its label (graphic control, application,
// the rest skipped sub-block by sub-block) through tables of handlers.
//
// For untrusted files: a screen beyond ImageLimits is refused before
// anything is read; a frame beyond ImageLimits, without area, or with a
// minimum code size outside 1-8 is passed over; frames stop being taken
// once their pixels together would exceed ImageLimits::kMaxPixels. Reading
// ends at the end of the data wherever it falls -- at a block start, inside
// an extension or inside image data -- and a frame cut short keeps the
// pixels that were decoded. Nothing loops without consuming input, and no
// buffer grows beyond the bytes the stream delivered.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "formats/gif/GifFrame.h"
#include "foundation/EasyPooler.h"
#include "foundation/IInputStream.h"

namespace s::image::gif::win {

class GifBlockReader {
public:
    using Frames = std::vector<s::thread::Pooled<GifFrame>>;

    // Appends the stream's frames. False when the stream does not start
    // with a GIF header and screen descriptor, or its screen is beyond
    // ImageLimits (nothing is appended then).
    bool read(s::io::IInputStream& stream, Frames& frames);

    std::int32_t getScreenWidth() const { return screenWidth_; }
    std::int32_t getScreenHeight() const { return screenHeight_; }
    // Loop count of the last NETSCAPE2.0 extension, or -1 when there was none.
    std::int32_t getLoopCount() const { return loopCount_; }
    // N of the largest colour table (2^N entries) a frame was shown with;
    // 0 when no frame had one.
    std::int32_t getColourTableBits() const { return colourTableBits_; }
    // True when the trailer was reached and every frame arrived whole.
    bool isComplete() const { return complete_; }

    // Gives back the data buffer kept between frames.
    void releaseBuffers();

private:
    // A handler returns false when reading must end.
    using Handler = bool (GifBlockReader::*)();
    struct Entry {
        std::uint8_t code;
        Handler handler;
    };
    using ColourTable = std::array<std::uint32_t, GifFrame::kColours>;

    static const Entry kBlocks[];
    static const Entry kExtensions[];

    void start(s::io::IInputStream& stream, Frames& frames);
    bool readScreen();

    bool readImage();
    bool readExtension();
    bool readTrailer();
    bool readGraphicControl();
    bool readApplication();
    bool skipExtension();

    // Reads the frame's data sub-blocks into data_; false at the end of data.
    bool readImageData();
    // False when the frame was passed over.
    bool addFrame(const std::uint8_t* descriptor, const ColourTable& colours,
                  std::int32_t minCodeSize);
    bool readColourTable(std::uint8_t packed, ColourTable& table);

    bool readBytes(void* buffer, std::size_t count);
    bool readByte(std::uint8_t& value) { return readBytes(&value, 1); }
    // Skips sub-blocks, the first of `size` bytes, up to the zero-size one.
    bool skipSubBlocks(std::uint8_t size);

    s::io::IInputStream* stream_ = nullptr;
    Frames* frames_ = nullptr;
    std::int32_t screenWidth_ = 0;
    std::int32_t screenHeight_ = 0;
    ColourTable globalColours_{};
    std::int32_t globalBits_ = 0;
    std::int32_t loopCount_ = -1;
    std::int32_t colourTableBits_ = 0;
    bool complete_ = false;
    bool damaged_ = false;
    std::int64_t pixelBudget_ = 0;

    bool hasControl_ = false;
    std::uint8_t controlPacked_ = 0;
    std::int32_t controlDelay_ = 0;
    std::uint8_t controlTransparent_ = 0;

    std::vector<std::uint8_t> data_;  // kept between frames and files
    std::size_t dataSize_ = 0;
};

}  // namespace s::image::gif::win
