// libFuzzer target for platform::DecodePropertyList: any byte string either decodes into entries that
// encode back to exactly those bytes, or is refused with a RuntimeException. Anything else (a crash, a read
// past the end, another exception class, an entry that does not encode back) is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "platform/PropertyList.h"
#include "platform/Runtime.h"

namespace {

using platform::PropertyType;

// A receiver's table with every value type, names that are prefixes of one another ("Text", "TextColor",
// "TextFont") and one-letter names that the fuzzer finds quickly.
std::optional<PropertyType> TypeOf(std::string_view name) {
    struct Row {
        std::string_view name;
        PropertyType type;
    };
    static constexpr Row kRows[] = {
        {"I", PropertyType::Int32},         {"B", PropertyType::Boolean},
        {"C", PropertyType::Color},         {"S", PropertyType::String},
        {"Index", PropertyType::Int32},     {"Width", PropertyType::Int32},
        {"Visible", PropertyType::Boolean}, {"Bold", PropertyType::Boolean},
        {"TextColor", PropertyType::Color}, {"BackColor", PropertyType::Color},
        {"Name", PropertyType::String},     {"Text", PropertyType::String},
        {"TextFont", PropertyType::String},
    };
    for (const Row& row : kRows)
        if (row.name == name) return row.type;
    return std::nullopt;
}

[[noreturn]] void Finding(const char* what, std::size_t offset) {
    std::fprintf(stderr, "property list finding: %s (entry at offset %zu)\n", what, offset);
    std::abort();
}

// The bytes the writer makes for one entry.
std::string Encode(const platform::PropertyEntry& entry) {
    platform::PropertyListWriter writer;
    std::visit(
        [&](const auto& value) {
            using V = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<V, std::int32_t>)
                writer.Int32(entry.name, value);
            else if constexpr (std::is_same_v<V, bool>)
                writer.Boolean(entry.name, value);
            else if constexpr (std::is_same_v<V, platform::Color>)
                writer.Colour(entry.name, value);
            else
                writer.String(entry.name, value);
        },
        entry.value);
    return writer.Bytes();
}

void CheckEntries(std::string_view list, const std::vector<platform::PropertyEntry>& entries) {
    std::size_t expected = 0;
    for (const platform::PropertyEntry& entry : entries) {
        if (entry.offset != expected) Finding("entries do not follow one another", entry.offset);
        const auto type = TypeOf(entry.name);
        if (!type) Finding("an entry name outside the receiver's table was accepted", entry.offset);
        const bool typeMatches =
            (*type == PropertyType::Int32 && std::holds_alternative<std::int32_t>(entry.value)) ||
            (*type == PropertyType::Boolean && std::holds_alternative<bool>(entry.value)) ||
            (*type == PropertyType::Color && std::holds_alternative<platform::Color>(entry.value)) ||
            (*type == PropertyType::String && std::holds_alternative<std::string>(entry.value));
        if (!typeMatches) Finding("value decoded as another type than the table's", entry.offset);

        const std::string encoded = Encode(entry);
        if (entry.offset + encoded.size() > list.size())
            Finding("entry reaches past the end of the list", entry.offset);
        const std::string_view stored = list.substr(entry.offset, encoded.size());
        if (std::holds_alternative<bool>(entry.value)) {
            // A Boolean byte other than 0 and 1 may be read as True; the name and the space must match
            // exactly.
            const std::size_t head = encoded.size() - 1;
            if (stored.substr(0, head) != std::string_view(encoded).substr(0, head))
                Finding("Boolean entry's name does not encode back", entry.offset);
            if ((stored[head] != 0) != std::get<bool>(entry.value))
                Finding("Boolean value misread", entry.offset);
        } else if (stored != encoded) {
            Finding("entry does not encode back to its bytes", entry.offset);
        }
        expected = entry.offset + encoded.size();
    }
    if (expected != list.size()) Finding("bytes after the last entry were accepted", expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // libFuzzer hands over exactly `size` bytes on the heap, so AddressSanitizer sees a read past the end.
    const std::string_view list(reinterpret_cast<const char*>(data), size);
    std::vector<platform::PropertyEntry> entries;
    try {
        entries = platform::DecodePropertyList(list, &TypeOf);
    } catch (const platform::RuntimeException& refused) {
        // A refusal must say where: its message is never empty.
        if (std::string_view(refused.what()).empty()) Finding("refused without a message", 0);
        return 0;
    }
    CheckEntries(list, entries);
    return 0;
}
