// libFuzzer target for the conversion of a drag's URI list into the program's items: any byte string gives a
// list of local paths, each absolute, free of NUL bytes and no longer than the list, from which a file item
// and a drag item are made without an exception; the item's display form is UTF-8 and its shell path a quoted
// word. Anything else (a crash, a read past the end, an exception, a path that breaks those rules) is a
// finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DragDrop.h"

namespace {

[[noreturn]] void Finding(const char* what, const std::string& path) {
    std::fprintf(stderr, "URI list finding: %s (path of %zu bytes)\n", what, path.size());
    std::abort();
}

void CheckItem(std::string_view list, const std::string& path) {
    if (path.empty() || path.front() != '/') Finding("a path that is not absolute", path);
    if (path.find('\0') != std::string::npos) Finding("a path with a NUL byte", path);
    if (path.size() > list.size()) Finding("a path longer than the list", path);
    try {
        const auto file = std::make_shared<platform::FolderItem>(path);
        const auto item = std::make_shared<platform::DragItem>(file);
        if (!item->FolderItemAvailable() || item->GetFolderItem()->Path() != path)
            Finding("the item lost its file", path);
        // The display form is UTF-8: made again from itself, it stays as it is.
        const std::string native = file->NativePath();
        if (platform::FolderItem(native).NativePath() != native)
            Finding("a display form that is not UTF-8", path);
        const std::string word = file->ShellPath();
        if (word.size() < 2 || word.front() != '\'' || word.back() != '\'')
            Finding("a shell path not quoted", path);
    } catch (const std::exception&) {
        Finding("making the item threw", path);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // libFuzzer hands over exactly `size` bytes on the heap, so AddressSanitizer sees a read past the end.
    const std::string_view list(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> paths;
    try {
        paths = platform::LocalPathsOfUriList(list);
    } catch (...) {
        Finding("reading the list threw", {});
    }
    for (const std::string& path : paths) CheckItem(list, path);
    return 0;
}
