// Detection of a file's format from its first 100 bytes, and opening a file
// with the codec its content selects (the name's extension plays no part).
#pragma once

#include "foundation/PathWin.h"
#include "formats/IEncodedImage.h"

namespace s::image {

// Format identifiers, compared by identity. Each is one array object for the
// whole program (an inline variable), so its address is the same in every
// translation unit; pointers to equal string literals carry no such promise.
struct ImageType {
    static constexpr char kBmp[] = "bmp";
    static constexpr char kJpg[] = "jpg";
    static constexpr char kGif[] = "gif";
    static constexpr char kPng[] = "png";
    static constexpr char kIco[] = "ico";
    static constexpr char kTiff[] = "tiff";
};

class FormatDetector {
public:
    // True with the identifier in `type` when the file (longer than 100
    // bytes) starts like one of the known formats.
    static bool detectImageType(const s::file::win::PathWin& path, const char*& type);
    // The same test on the first bytes of a file of `fileSize` bytes
    // (`head` holds at least 100 bytes).
    static const char* detectFromHead(const std::uint8_t* head, std::uint64_t fileSize);
    // A codec object of the detected class, loaded from the file (whether or
    // not the load succeeded); null for unknown content, TIFF, or a format
    // whose codec is not built in.
    static s::thread::Pooled<IEncodedImage> openImage(const s::file::win::PathWin& path);
};

}  // namespace s::image
