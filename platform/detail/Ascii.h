// ASCII text helpers of the framework's portable core: names, extensions and URIs are compared and trimmed
// byte by byte, whatever the locale. Defined here, inline; used by platform_core.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace platform::detail {

inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = AsciiLower(c);
    return lower;
}

// Whether `a` and `b` are the same but for the case of ASCII letters.
inline bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// `text` without the bytes of `blanks` at either end.
inline std::string_view Trimmed(std::string_view text, std::string_view blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace platform::detail
