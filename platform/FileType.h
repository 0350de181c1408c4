// File types: what drop areas accept. A FileType registers itself when converted to a String and
// deregisters when one of its values changes or when it is destroyed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Runtime.h"

namespace platform {

class FileType : public Object {
public:
    ~FileType() override;
    static const ClassDescription& Lookup();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    const std::string& Extensions() const { return extensions_; }
    void SetExtensions(const std::string& extensions);
    const std::string& MacType() const { return macType_; }
    void SetMacType(const std::string& macType);
    const std::string& MacCreator() const { return macCreator_; }
    void SetMacCreator(const std::string& macCreator);
    bool Registered() const { return registered_; }

    // Registers the type once (name, creator, type, extensions) and yields its name.
    std::string Operator_Convert();

private:
    void Deregister();
    std::string name_;
    std::string extensions_;
    std::string macType_;
    std::string macCreator_;
    bool registered_ = false;
};

void RuntimeRegisterFileType(const std::string& name, const std::string& creator, const std::string& type,
                             const std::string& extensions);
// The values a registered type was registered with; nullopt when `name` is not registered.
struct FileTypeRecord {
    std::string creator;
    std::string type;
    std::string extensions;
};
std::optional<FileTypeRecord> RegisteredFileType(std::string_view name);
void RuntimeDeregisterFileType(const std::string& name);
bool IsFileTypeRegistered(std::string_view name);
// Whether the registered type `name` admits a local item at `path` ("special/any" admits every file and
// folder; a type with extensions admits files with one of them).
bool FileTypeAdmits(std::string_view name, std::string_view path);

}  // namespace platform
