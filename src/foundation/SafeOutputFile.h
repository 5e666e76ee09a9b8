// s::file::win::SafeOutputFile -- writes an output file so that it is never
// partial and never replaces anything.
//
// The content goes to a hidden temporary file in the destination folder.
// commit() then links it under the first free name of makeUnique() -- a
// link never replaces an existing entry and never follows a symbolic link at
// the destination -- and removes the temporary name; if a file appears under
// the chosen name meanwhile the next counter is tried. A write that fails, or
// an object destroyed without commit(), leaves nothing behind.
#pragma once

#include <string>

#include "foundation/FileOutputStream.h"

namespace s::file::win {

class SafeOutputFile {
public:
    SafeOutputFile() = default;
    ~SafeOutputFile() { abandon(); }
    SafeOutputFile(const SafeOutputFile&) = delete;
    SafeOutputFile& operator=(const SafeOutputFile&) = delete;

    // Opens a temporary file in `folder`; false when it cannot be created.
    bool open(const std::string& folder);
    s::io::IOutputStream& stream() { return stream_; }
    // Closes the stream and publishes the file under a unique variant of
    // `wantedPath`. Returns the path written, or "" on failure (nothing is
    // left behind then).
    std::string commit(const std::string& wantedPath);
    // Removes the temporary file.
    void abandon();

private:
    FileOutputStream stream_;
    std::string tempPath_;
};

}  // namespace s::file::win
