// s::image::IEncodedImage -- the interface of every codec class (BMP, JPEG,
// PNG, GIF, ICO and the icon image). An encoded image holds one file's
// content in its format's own terms: it is read from a stream, decoded into
// pixel images, encoded from them, and written to a stream.
//
// Untrusted input: readFrom() checks every size and offset before use and
// never reads or writes outside a buffer. A file that cannot be read leaves
// the object empty (isValid() false), and decodeAll() then gives an empty set.
// Nothing here throws: library exceptions are caught at the codec's edge.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/EasyPooler.h"
#include "foundation/IInputStream.h"
#include "foundation/IOutputStream.h"
#include "foundation/PathWin.h"
#include "image/BufferedImage.h"
#include "image/BufferedImageSet.h"
#include "image/IImage.h"

namespace s::image {

class IEncodedImage : public IImage, public s::thread::IPoolable {
public:
    // ".bmp", ".jpg", ".png", ".gif", ".ico".
    virtual const char* getExtension() const = 0;

    // The image at index (single-image formats ignore it) into target, or
    // into a new pooled image when target is null. Returns the image, or null
    // when there is nothing to decode or memory cannot be had.
    virtual s::image::win::BufferedImage* decode(
        std::int32_t index, s::image::win::BufferedImage* target,
        s::thread::Pooled<s::image::win::BufferedImage>& created) = 0;
    // Every image with its depth tag and two values; empty when nothing decodes.
    virtual s::thread::Pooled<s::image::win::BufferedImageSet> decodeAll() = 0;

    // False when the content could not be written completely.
    virtual bool writeTo(s::io::IOutputStream& stream) = 0;
    // False when the stream does not hold a readable file of this format.
    virtual bool readFrom(s::io::IInputStream& stream) = 0;
    // True after a successful readFrom or encode.
    virtual bool isValid() const = 0;

    virtual bool isMultiImage() const { return false; }
    virtual std::int32_t getImageCount() const { return 1; }

    // Encoded images of the same class, with the format's default encode
    // settings (null when nothing can be encoded).
    virtual s::thread::Pooled<IEncodedImage> encodeSet(s::image::win::BufferedImageSet& set) = 0;
    virtual s::thread::Pooled<IEncodedImage> encodeImage(s::image::win::BufferedImage& image) = 0;

    virtual bool findExact(std::int32_t, std::int32_t, std::int32_t, std::int32_t& index) const {
        index = 0;
        return true;
    }
    virtual bool findNearestDepthFirst(std::int32_t, std::int32_t, std::int32_t,
                                       std::int32_t& index) const {
        index = 0;
        return true;
    }
    virtual bool findNearestSizeFirst(std::int32_t, std::int32_t, std::int32_t,
                                      std::int32_t& index) const {
        index = 0;
        return true;
    }

    // File access by path. saveTo writes nothing when the file exists.
    bool saveToFile(const std::string& path) {
        s::file::win::PathWin target(path);
        return saveTo(target);
    }
    bool saveTo(s::file::win::PathWin& path) {
        if (path.exists()) return false;
        s::thread::Pooled<s::file::win::FileOutputStream> stream = path.openForWrite(false);
        if (!stream) return false;
        const bool written = writeTo(*stream);
        return stream->close() && written;
    }
    bool loadFromFile(const std::string& path) { return loadFrom(s::file::win::PathWin(path)); }
    bool loadFrom(const s::file::win::PathWin& path) {
        if (!path.exists() || path.isDirectory()) return false;
        s::thread::Pooled<s::file::win::FileInputStream> stream = path.openForRead();
        if (!stream || !stream->isOpen()) return false;
        const bool read = readFrom(*stream);
        stream->close();
        return read;
    }
};

}  // namespace s::image
