// File items and drag items: the path of a local file or folder as bytes, its display form, its form as
// one shell word and the folder test.
#include "platform/DragDrop.h"

#include <sys/stat.h>

namespace platform {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// `bytes` with every ill-formed UTF-8 sequence replaced by U+FFFD, one per maximal ill-formed subpart.
std::string ValidUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;  // the range allowed for the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;   // no overlong forms
            if (lead == 0xED) high = 0x9F;  // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;   // no overlong forms
            if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
        }
        std::size_t valid = length == 0 ? 0 : 1;
        while (valid > 0 && valid < length && i + valid < bytes.size()) {
            const auto next = static_cast<unsigned char>(bytes[i + valid]);
            const unsigned char min = valid == 1 ? low : 0x80;
            const unsigned char max = valid == 1 ? high : 0xBF;
            if (next < min || next > max) break;
            ++valid;
        }
        if (length != 0 && valid == length) {
            out.append(bytes.substr(i, length));
            i += length;
        } else {
            out.append(kReplacement);
            i += valid == 0 ? 1 : valid;
        }
    }
    return out;
}

}  // namespace

std::string ShellQuote(std::string_view bytes) {
    // Inside single quotes the shell takes every byte literally; a quote itself is written as '\'' (close
    // the quoted part, an escaped quote, open a new quoted part).
    std::string word = "'";
    for (const char c : bytes) {
        if (c == '\'')
            word += "'\\''";
        else
            word.push_back(c);
    }
    word.push_back('\'');
    return word;
}

// ---------------------------------------------------------------------------------------------------------------
// FolderItem
// ---------------------------------------------------------------------------------------------------------------

const ClassDescription& FolderItem::Lookup() {
    static const ClassDescription description{"FolderItem", &Object::Lookup(), {}, {}, {}};
    return description;
}

FolderItem::FolderItem(std::string path) : path_(std::move(path)) {
    // Absolute paths only: the shell path then never begins with "-", so no tool takes it for an option.
    if (path_.empty() || path_.front() != '/') throw RuntimeException("a file item needs an absolute path");
    if (path_.find('\0') != std::string::npos) throw RuntimeException("a file item's path holds a NUL byte");
    SetClass(FolderItem::Lookup());
}

std::string FolderItem::NativePath() const { return ValidUtf8(path_); }

std::string FolderItem::ShellPath() const { return ShellQuote(path_); }

bool FolderItem::Directory() const {
    struct stat info {};
    return ::stat(path_.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool FolderItem::Exists() const {
    struct stat info {};
    return ::lstat(path_.c_str(), &info) == 0;
}

// ---------------------------------------------------------------------------------------------------------------
// DragItem
// ---------------------------------------------------------------------------------------------------------------

const ClassDescription& DragItem::Lookup() {
    static const ClassDescription description{"DragItem", &Object::Lookup(), {}, {}, {}};
    return description;
}

DragItem::DragItem(Ref<platform::FolderItem> item) : item_(std::move(item)) { SetClass(DragItem::Lookup()); }

}  // namespace platform
