// Property lists: the initial settings of a window or control as one byte string of entries, each the
// entry's name, one space and the value, back to back, with no count and no type tags:
//   Int32   4 bytes big-endian signed       Boolean 1 byte, 0 or 1
//   Color   3 bytes red, green, blue         String  4-byte big-endian byte count, then the bytes
// The receiver knows each value's type from the entry's name. Lists hold raw bytes and are never
// validated or re-encoded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Text.h"

namespace platform {

enum class PropertyType { Int32, Boolean, Color, String };
using PropertyValue = std::variant<std::int32_t, bool, Color, std::string>;

// Writes a list entry by entry, in call order.
class PropertyListWriter {
public:
    PropertyListWriter& Int32(std::string_view name, std::int32_t value);
    PropertyListWriter& Boolean(std::string_view name, bool value);
    PropertyListWriter& Colour(std::string_view name, Color value);
    PropertyListWriter& String(std::string_view name, std::string_view value);
    const std::string& Bytes() const { return bytes_; }

private:
    void Name(std::string_view name);
    std::string bytes_;
};

struct PropertyEntry {
    std::string name;
    PropertyValue value;
    std::size_t offset;  // where the entry's name begins
};

// The receiver's table of entry types; nullopt for a name it does not know.
using PropertyTypeOf = std::function<std::optional<PropertyType>(std::string_view name)>;

// Every entry of `list`, in stored order. A truncated list, a String count that runs past the end or an
// entry name the receiver does not know raises RuntimeException naming the entry and its offset.
std::vector<PropertyEntry> DecodePropertyList(std::string_view list, PropertyTypeOf typeOf);

}  // namespace platform
