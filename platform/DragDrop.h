// Drag and drop: what a drop area's DragOver, DragExit and DropObject events carry. A DragItem is the drag's
// first local file or folder, as a FolderItem; it carries none when the drag names no usable local file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Runtime.h"

namespace platform {

class FolderItem : public Object {
public:
    // `path` is the item's absolute path exactly as the file system holds its bytes.
    explicit FolderItem(std::string path);
    static const ClassDescription& Lookup();

    // The path in the platform's native form, for display (bytes that are not UTF-8 shown as U+FFFD).
    std::string NativePath() const;
    // The path as one shell word that the shell turns back into exactly the path's bytes.
    std::string ShellPath() const;
    // True for a folder, also when reached through a symbolic link.
    bool Directory() const;
    bool Exists() const;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

class DragItem : public Object {
public:
    explicit DragItem(Ref<FolderItem> item);
    static const ClassDescription& Lookup();
    bool FolderItemAvailable() const { return item_ != nullptr; }
    Ref<FolderItem> GetFolderItem() const { return item_; }

private:
    Ref<FolderItem> item_;
};

// `bytes` as one single-quoted shell word: every byte but the quote stands for itself.
std::string ShellQuote(std::string_view bytes);

// The local files a URI list (the text/uri-list data of a drag) names, in its order: each path's exact bytes,
// percent-decoded, whether or not they are UTF-8. A line that names no usable local file is left out: a
// comment, a URI of another scheme, a file URI of another host than the empty one or "localhost", one with a
// "%" that two hex digits do not follow, and one whose path is empty, relative or holds a NUL byte. Any bytes
// are accepted; nothing is thrown for what the list holds.
std::vector<std::string> LocalPathsOfUriList(std::string_view list);

}  // namespace platform
