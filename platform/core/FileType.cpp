// File types and the framework's registry of them. A registered type is known by its name; registering a
// name again replaces its values. "special/any" admits every local item; a type with extensions admits
// files whose name ends in one of them. Extensions are written separated by semicolons ("txt;md"), with
// or without a leading dot, and compared without regard to ASCII letter case.
#include "platform/FileType.h"

#include <sys/stat.h>

#include <map>
#include <mutex>
#include <vector>

#include "platform/detail/Ascii.h"
#include "platform/detail/FileTypeCount.h"

namespace platform {

namespace {

struct RegisteredType {
    FileTypeRecord record;
    std::vector<std::string> extensions;  // lower case, without the dot
    int registrations = 0;                // since the name was last deregistered
};

struct Registry {
    std::mutex mutex;
    std::map<std::string, RegisteredType, std::less<>> types;
};

// Never destroyed: a FileType still held by a global at exit deregisters itself after static destruction.
Registry& TheRegistry() {
    static auto* registry = new Registry;
    return *registry;
}

std::vector<std::string> SplitExtensions(std::string_view list) {
    std::vector<std::string> extensions;
    while (!list.empty()) {
        const std::size_t semicolon = list.find(';');
        std::string_view one = detail::Trimmed(list.substr(0, semicolon), " \t");
        if (!one.empty() && one.front() == '.') one.remove_prefix(1);
        if (!one.empty()) extensions.push_back(detail::AsciiLower(one));
        if (semicolon == std::string_view::npos) break;
        list.remove_prefix(semicolon + 1);
    }
    return extensions;
}

constexpr std::string_view kAnyType = "special/any";

}  // namespace

// ---------------------------------------------------------------------------------------------------------------
// FileType
// ---------------------------------------------------------------------------------------------------------------

const ClassDescription& FileType::Lookup() {
    static const ClassDescription description{
        "FileType", &Object::Lookup(), [] { return Ref<Object>(std::make_shared<FileType>()); }, {}, {}};
    return description;
}

FileType::~FileType() { Deregister(); }

void FileType::Deregister() {
    if (!registered_) return;
    registered_ = false;
    RuntimeDeregisterFileType(name_);
}

void FileType::SetName(const std::string& name) {
    Deregister();
    name_ = name;
}

void FileType::SetExtensions(const std::string& extensions) {
    Deregister();
    extensions_ = extensions;
}

void FileType::SetMacType(const std::string& macType) {
    Deregister();
    macType_ = macType;
}

void FileType::SetMacCreator(const std::string& macCreator) {
    Deregister();
    macCreator_ = macCreator;
}

std::string FileType::Operator_Convert() {
    if (!registered_) {
        RuntimeRegisterFileType(name_, macCreator_, macType_, extensions_);
        registered_ = true;
    }
    return name_;
}

// ---------------------------------------------------------------------------------------------------------------
// Registry
// ---------------------------------------------------------------------------------------------------------------

void RuntimeRegisterFileType(const std::string& name, const std::string& creator, const std::string& type,
                             const std::string& extensions) {
    if (name.empty()) throw RuntimeException("a file type needs a name to be registered");
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    RegisteredType& held = registry.types[name];
    held = RegisteredType{FileTypeRecord{creator, type, extensions}, SplitExtensions(extensions),
                          held.registrations + 1};
}

void RuntimeDeregisterFileType(const std::string& name) {
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    registry.types.erase(name);
}

std::optional<FileTypeRecord> RegisteredFileType(std::string_view name) {
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    const auto found = registry.types.find(name);
    if (found == registry.types.end()) return std::nullopt;
    return found->second.record;
}

bool IsFileTypeRegistered(std::string_view name) {
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    return registry.types.find(name) != registry.types.end();
}

int detail::FileTypeRegistrationCount(std::string_view name) {
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    const auto found = registry.types.find(name);
    return found == registry.types.end() ? 0 : found->second.registrations;
}

bool FileTypeAdmits(std::string_view name, std::string_view path) {
    std::vector<std::string> extensions;
    {
        Registry& registry = TheRegistry();
        const std::lock_guard lock(registry.mutex);
        const auto found = registry.types.find(name);
        if (found == registry.types.end()) return false;
        if (name == kAnyType) return true;
        extensions = found->second.extensions;
    }
    if (extensions.empty()) return false;

    struct stat info {};
    if (::stat(std::string(path).c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    const std::size_t slash = path.rfind('/');
    const std::string leaf =
        detail::AsciiLower(slash == std::string_view::npos ? path : path.substr(slash + 1));
    for (const std::string& extension : extensions) {
        if (leaf.size() > extension.size() + 1 && leaf.ends_with(extension) &&
            leaf[leaf.size() - extension.size() - 1] == '.') {
            return true;
        }
    }
    return false;
}

}  // namespace platform
