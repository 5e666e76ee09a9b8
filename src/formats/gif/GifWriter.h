// s::image::gif::win::GifWriter -- writes frames as a GIF89a stream.
//
// Layout: header, logical screen descriptor without a global colour table,
// the NETSCAPE2.0 loop extension, then per frame a graphic control
// extension (transparent index, delay in hundredths of a second, disposal),
// an image descriptor at the frame's offset with a 256-entry local colour
// table, the LZW data with minimum code size 8 and its terminator; finally
// the trailer. Frames are never written interlaced.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/gif/GifFrame.h"
#include "formats/gif/GifLzw.h"
#include "foundation/EasyPooler.h"
#include "foundation/IOutputStream.h"

namespace s::image::gif::win {

class GifWriter {
public:
    using Frames = std::vector<s::thread::Pooled<GifFrame>>;

    GifWriter(s::io::IOutputStream& stream, GifLzw& lzw) : stream_(stream), lzw_(lzw) {}

    // False when there is no frame or a write failed.
    bool write(const Frames& frames, std::int32_t screenWidth, std::int32_t screenHeight,
               std::uint16_t loopCount);

private:
    void writeScreen(std::int32_t width, std::int32_t height);
    void writeLoopCount(std::uint16_t loopCount);
    void writeFrame(const GifFrame& frame);
    void writeGraphicControl(const GifFrame& frame);
    void writeDescriptor(const GifFrame& frame);
    void writeColourTable(const GifFrame& frame);
    void put(const void* bytes, std::size_t count);
    void putWord(std::int32_t value);

    s::io::IOutputStream& stream_;
    GifLzw& lzw_;
    bool failed_ = false;
};

}  // namespace s::image::gif::win
