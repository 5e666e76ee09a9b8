// s::gui::dialogs::dragndrop::OutputFolderCheck -- whether the folder a
// job writes into (the folder of the first dropped file, since outputs go
// beside their sources) can be read and written, tested before the job starts.
//
// A folder passes when it exists, is a directory and the system grants read
// and write access to it (access(2), which also refuses writes on read-only
// mounts, for root too). A folder that does not exist passes when its own
// parent would. A path without a folder part (not absolute) never passes.
//
// The message for a refusal is the language pack's text (or its English
// original when the pack has none), a line break and the folder in double
// quotes; for a path without a folder the folder line is left out.
//
//     std::string message = OutputFolderCheck::failureMessage(path, localizer);
//     if (!message.empty()) ...  // show it, start nothing
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/lang/Localizer.h"

namespace s::gui::dialogs::dragndrop {

class OutputFolderCheck {
public:
    static constexpr std::uint32_t kMessageText = 608299;
    static constexpr char kMessageFallback[] =
        "The output folder is inaccessible or write-protected.";

    enum class Verdict { Writable, NotWritable, InvalidPath };

    // The folder the outputs of path go to: its parent, without a trailing
    // "/" (except the root); "" when path has no absolute folder part.
    static std::string folderOf(std::string_view path);
    static Verdict judge(std::string_view folder);
    // "" when the folder of firstPath passes, else the message to show.
    static std::string failureMessage(std::string_view firstPath, s::lang::Localizer& localizer);

private:
    static bool isReadableWritableDirectory(const std::string& folder);
};

}  // namespace s::gui::dialogs::dragndrop
