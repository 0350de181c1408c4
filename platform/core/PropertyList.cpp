// Property lists: the writer that lays entries out byte for byte and the decoder that reads them back with
// the receiver's table of entry types. The decoder checks every length against what is left of the list
// before it reads, so a malformed list raises RuntimeException and is never read past its end.
#include "platform/PropertyList.h"

#include <cstdio>
#include <limits>

namespace platform {

namespace {

void PutBigEndian32(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>((value >> 24) & 0xFF));
    out.push_back(static_cast<char>((value >> 16) & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
    out.push_back(static_cast<char>(value & 0xFF));
}

std::uint32_t GetBigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// An entry name as it can be shown in a message: printable ASCII as is, other bytes as \xHH.
std::string Printable(std::string_view name) {
    std::string shown;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            shown.push_back(c);
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    return shown;
}

[[noreturn]] void Malformed(std::string_view name, std::size_t offset, const std::string& what) {
    throw RuntimeException("property list entry \"" + Printable(name) + "\" at offset " +
                           std::to_string(offset) + ": " + what);
}

const char* TypeName(PropertyType type) {
    switch (type) {
        case PropertyType::Int32:
            return "Int32";
        case PropertyType::Boolean:
            return "Boolean";
        case PropertyType::Color:
            return "Color";
        case PropertyType::String:
            return "String";
    }
    return "?";
}

}  // namespace

// ---------------------------------------------------------------------------------------------------------------
// Writer
// ---------------------------------------------------------------------------------------------------------------

void PropertyListWriter::Name(std::string_view name) {
    // The decoder finds the end of a name at its first space, so a name must be non-empty and hold none.
    if (name.empty() || name.find(' ') != std::string_view::npos) {
        throw RuntimeException("property list entry name \"" + Printable(name) +
                               "\" is empty or holds a space");
    }
    bytes_.append(name);
    bytes_.push_back(' ');
}

PropertyListWriter& PropertyListWriter::Int32(std::string_view name, std::int32_t value) {
    Name(name);
    PutBigEndian32(bytes_, static_cast<std::uint32_t>(value));
    return *this;
}

PropertyListWriter& PropertyListWriter::Boolean(std::string_view name, bool value) {
    Name(name);
    bytes_.push_back(value ? '\x01' : '\x00');
    return *this;
}

PropertyListWriter& PropertyListWriter::Colour(std::string_view name, Color value) {
    Name(name);
    bytes_.push_back(static_cast<char>(value.red));
    bytes_.push_back(static_cast<char>(value.green));
    bytes_.push_back(static_cast<char>(value.blue));
    return *this;
}

PropertyListWriter& PropertyListWriter::String(std::string_view name, std::string_view value) {
    if (value.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw RuntimeException("property list entry \"" + Printable(name) + "\": the String is too long");
    }
    Name(name);
    PutBigEndian32(bytes_, static_cast<std::uint32_t>(value.size()));
    bytes_.append(value);
    return *this;
}

// ---------------------------------------------------------------------------------------------------------------
// Decoder
// ---------------------------------------------------------------------------------------------------------------

std::vector<PropertyEntry> DecodePropertyList(std::string_view list, PropertyTypeOf typeOf) {
    if (!typeOf) throw NilObjectException("the property list's type table is nil");
    std::vector<PropertyEntry> entries;
    std::size_t pos = 0;
    while (pos < list.size()) {
        const std::size_t offset = pos;
        const std::size_t space = list.find(' ', pos);
        if (space == std::string_view::npos) {
            Malformed(list.substr(pos), offset,
                      "the list ends inside the name, before the space that ends it");
        }
        const std::string_view name = list.substr(pos, space - pos);
        const std::optional<PropertyType> type = typeOf(name);
        if (!type) Malformed(name, offset, "unknown entry name");
        pos = space + 1;

        const std::size_t left = list.size() - pos;
        auto need = [&](std::size_t bytes, const char* part) {
            if (left < bytes) {
                Malformed(name, offset,
                          std::string("the ") + TypeName(*type) + " " + part + " needs " +
                              std::to_string(bytes) + " bytes, " + std::to_string(left) + " left");
            }
        };
        PropertyValue value;
        switch (*type) {
            case PropertyType::Int32:
                need(4, "value");
                value = static_cast<std::int32_t>(GetBigEndian32(list, pos));
                pos += 4;
                break;
            case PropertyType::Boolean: {
                need(1, "value");
                const auto byte = static_cast<unsigned char>(list[pos]);
                if (byte > 1)
                    Malformed(name, offset,
                              "the Boolean value " + std::to_string(byte) + " is neither 0 nor 1");
                value = byte == 1;
                pos += 1;
                break;
            }
            case PropertyType::Color:
                need(3, "value");
                value = Color{static_cast<std::uint8_t>(list[pos]), static_cast<std::uint8_t>(list[pos + 1]),
                              static_cast<std::uint8_t>(list[pos + 2]), 0};
                pos += 3;
                break;
            case PropertyType::String: {
                need(4, "count");
                const std::uint32_t count = GetBigEndian32(list, pos);
                if (count > left - 4) {
                    Malformed(name, offset,
                              "the String count " + std::to_string(count) + " runs past the end (" +
                                  std::to_string(left - 4) + " bytes left)");
                }
                value = std::string(list.substr(pos + 4, count));
                pos += 4 + count;
                break;
            }
        }
        entries.push_back(PropertyEntry{std::string(name), std::move(value), offset});
    }
    return entries;
}

}  // namespace platform
