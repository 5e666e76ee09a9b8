// s::file::win::PathWin -- a file-system path split once into its parts,
// with the questions the rest of the system asks about files.
//
// Normalisation when the text is set: trailing "/" removed (the root "/"
// stays). Parts: folder() is everything up to and including the last "/"
// (empty for a bare name), fileName() the last component, stem() the file
// name without its extension, extension() the last ".xxx" with its dot in
// the input's letter case ("" when there is none; a leading dot alone, as in
// ".hidden", is not an extension).
//
// Attribute answers (exists, isDirectory, size) are cached until the next set().
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/EasyPooler.h"
#include "foundation/FileInputStream.h"
#include "foundation/FileOutputStream.h"
#include "foundation/IObject.h"

namespace s::file::win {

class PathWin final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(PathWin, "s_file_win_PathWin")
public:
    PathWin() = default;
    explicit PathWin(std::string_view text) { set(text); }
    void reset() override;

    static s::thread::Pooled<PathWin> make(std::string_view text);

    void set(std::string_view text);
    void set(const PathWin& other) { set(other.fullPath()); }

    const std::string& fullPath() const { return full_; }
    std::string folder() const;  // ends with "/" unless empty
    std::string fileName() const;
    std::string stem() const;
    std::string extension() const;
    bool isValid() const { return valid_; }

    // The containing folder as a new path.
    s::thread::Pooled<PathWin> parent() const;

    bool exists() const;
    bool isDirectory() const;
    bool isFile() const;
    // Size of a file in bytes (0 when it does not exist). With sumFolder, a
    // folder's entries are summed (recursively with descend).
    std::uint64_t size(bool sumFolder = false, bool descend = false) const;

    // Creates the folder, creating missing parents when needed. Fails for
    // paths of one character or fewer ("/").
    bool createFolder(bool notifyShell = false);
    bool createParents();
    // The path itself when nothing exists there; otherwise the first free
    // "stem (n).ext" (files) or "name (n)" (folders), n = 1, 2, ...
    std::string makeUnique() const;

    s::thread::Pooled<FileInputStream> openForRead() const;
    // Creates missing parents, then opens (null handle when that fails).
    s::thread::Pooled<FileOutputStream> openForWrite(bool append = false);

private:
    struct Status {
        bool known = false;
        bool exists = false;
        bool directory = false;
        std::uint64_t size = 0;
    };
    const Status& status() const;

    std::string text_;
    std::string full_;
    std::size_t nameStart_ = 0;  // index of the file name in full_
    std::size_t extStart_ = 0;   // index of the extension's dot, or full_.size()
    bool valid_ = false;
    mutable Status status_;
};

// A fresh, empty file in the temporary folder, its name starting with "NEW".
std::string tempFile();

}  // namespace s::file::win
