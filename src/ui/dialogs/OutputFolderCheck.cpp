#include "ui/dialogs/OutputFolderCheck.h"

#include <sys/stat.h>
#include <unistd.h>

namespace s::gui::dialogs::dragndrop {

namespace {

std::string withoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

std::string OutputFolderCheck::folderOf(std::string_view path) {
    std::string text = withoutTrailingSlashes(std::string(path));
    if (text.empty() || text.front() != '/') return {};
    const std::size_t slash = text.find_last_of('/');
    if (slash == 0) return "/";
    return withoutTrailingSlashes(text.substr(0, slash));
}

bool OutputFolderCheck::isReadableWritableDirectory(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    return ::access(folder.c_str(), R_OK | W_OK) == 0;
}

OutputFolderCheck::Verdict OutputFolderCheck::judge(std::string_view folderText) {
    const std::string folder = withoutTrailingSlashes(std::string(folderText));
    if (folder.empty() || folder.front() != '/') return Verdict::InvalidPath;
    if (exists(folder)) {
        return isReadableWritableDirectory(folder) ? Verdict::Writable : Verdict::NotWritable;
    }
    const std::string parent = folderOf(folder);
    if (!parent.empty() && isReadableWritableDirectory(parent)) return Verdict::Writable;
    return Verdict::NotWritable;
}

std::string OutputFolderCheck::failureMessage(std::string_view firstPath,
                                              s::lang::Localizer& localizer) {
    const std::string folder = folderOf(firstPath);
    const Verdict verdict = judge(folder);
    if (verdict == Verdict::Writable) return {};
    std::string message =
        localizer.hasText(kMessageText) ? localizer.text(kMessageText) : kMessageFallback;
    if (verdict == Verdict::NotWritable) message += "\n\"" + folder + "\"";
    return message;
}

}  // namespace s::gui::dialogs::dragndrop
