// Text and colour helpers of the framework: Color and RGB, the line terminator, fields and numbers.
// Strings are std::string holding UTF-8 (or, for file names, whatever bytes the name holds).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Runtime.h"

namespace platform {

// A red-green-blue colour with alpha; alpha 0 is opaque, 255 fully transparent.
struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

// Each component is clamped to 0..255.
Color RGB(std::int32_t red, std::int32_t green, std::int32_t blue, std::int32_t alpha = 0);

// The platform's line terminator as an object, as EndOfLine() hands it out.
class LineEnd : public Object {
public:
    static const ClassDescription& Lookup();
    // The terminator's characters: "\n" on Linux and macOS.
    static const std::string& Characters();
    // `text` followed by one line end.
    std::string Operator_AddRight(std::string_view text) const;
};

Ref<LineEnd> EndOfLine();

// The index-th field (1-based) of `source` split at `separator`; "" past the last field or for index < 1.
// With an empty separator the whole source is field 1.
std::string NthField(std::string_view source, std::string_view separator, std::int32_t index);

// An integer in decimal, e.g. "-42". The format is accepted for the call's shape; only "" is supported.
std::string Str(std::int64_t value, std::string_view format = "");

}  // namespace platform
