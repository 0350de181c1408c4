// File items and drag items: the path of a local file or folder as bytes, its display form, its form as
// one shell word and the folder test; and the local files a drag's URI list names.
#include "platform/DragDrop.h"

#include <sys/stat.h>

#include <optional>

#include "platform/detail/Ascii.h"

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

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Whether every "%" in `text` has two hex digits after it. A URI writes a "%" of its own as "%25"; one
// without its digits is malformed.
bool EscapesWellFormed(std::string_view text) {
    for (std::size_t at = text.find('%'); at != std::string_view::npos; at = text.find('%', at + 1)) {
        if (at + 2 >= text.size() || HexDigit(text[at + 1]) < 0 || HexDigit(text[at + 2]) < 0) return false;
    }
    return true;
}

// Every "%" and its two hex digits as the byte they stand for; the escapes are well formed.
std::string PercentDecoded(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            bytes.push_back(static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2])));
            i += 2;
        } else {
            bytes.push_back(text[i]);
        }
    }
    return bytes;
}

// The local path a file URI names: "file:" followed by an absolute path, or by "//", a host that is empty
// or "localhost", and the path. The query and the fragment are no part of the path; a malformed escape
// anywhere makes the whole URI malformed.
std::optional<std::string> LocalPathOfUri(std::string_view uri) {
    constexpr std::string_view kScheme = "file:";
    if (uri.size() < kScheme.size() || !detail::SameIgnoringAsciiCase(uri.substr(0, kScheme.size()), kScheme))
        return std::nullopt;
    if (!EscapesWellFormed(uri)) return std::nullopt;
    std::string_view rest = uri.substr(kScheme.size());
    rest = rest.substr(0, rest.find_first_of("?#"));
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        const std::string_view host = rest.substr(0, slash);
        if (!host.empty() && !detail::SameIgnoringAsciiCase(host, "localhost")) return std::nullopt;
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
    }
    std::string path = PercentDecoded(rest);
    if (path.empty() || path.front() != '/' || path.find('\0') != std::string::npos) return std::nullopt;
    return path;
}

}  // namespace

std::vector<std::string> LocalPathsOfUriList(std::string_view list) {
    std::vector<std::string> paths;
    while (!list.empty()) {
        // Lines end with CR LF; a bare LF is taken as well, and the CR goes with the blanks trimmed away.
        const std::size_t end = list.find('\n');
        const std::string_view line = detail::Trimmed(list.substr(0, end), " \t\r\n\f\v");
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
        if (line.empty() || line.front() == '#') continue;
        if (std::optional<std::string> path = LocalPathOfUri(line)) paths.push_back(std::move(*path));
    }
    return paths;
}

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

DragItem::DragItem(Ref<FolderItem> item) : item_(std::move(item)) { SetClass(DragItem::Lookup()); }

}  // namespace platform
