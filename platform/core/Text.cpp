// Text and colour helpers: RGB, the line-end object, NthField and Str.
#include "platform/Text.h"

#include <algorithm>

namespace platform {

namespace {
std::uint8_t Clamp(std::int32_t component) {
    return static_cast<std::uint8_t>(std::clamp<std::int32_t>(component, 0, 255));
}
}  // namespace

Color RGB(std::int32_t red, std::int32_t green, std::int32_t blue, std::int32_t alpha) {
    return Color{Clamp(red), Clamp(green), Clamp(blue), Clamp(alpha)};
}

const ClassDescription& LineEnd::Lookup() {
    static const ClassDescription description{
        "EndOfLine", &Object::Lookup(), [] { return Ref<Object>(std::make_shared<LineEnd>()); }, {}, {}};
    return description;
}

const std::string& LineEnd::Characters() {
    static const std::string characters = "\n";
    return characters;
}

std::string LineEnd::Operator_AddRight(std::string_view text) const {
    std::string joined(text);
    joined += Characters();
    return joined;
}

Ref<LineEnd> EndOfLine() { return std::static_pointer_cast<LineEnd>(RuntimeNewObject(LineEnd::Lookup())); }

std::string NthField(std::string_view source, std::string_view separator, std::int32_t index) {
    if (index < 1) return "";
    if (separator.empty()) return index == 1 ? std::string(source) : "";
    std::size_t start = 0;
    for (std::int32_t field = 1; field < index; ++field) {
        const std::size_t at = source.find(separator, start);
        if (at == std::string_view::npos) return "";
        start = at + separator.size();
    }
    const std::size_t end = source.find(separator, start);
    return std::string(
        source.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

std::string Str(std::int64_t value, std::string_view format) {
    if (!format.empty())
        throw RuntimeException("Str: the format \"" + std::string(format) + "\" is not supported");
    return std::to_string(value);
}

}  // namespace platform
