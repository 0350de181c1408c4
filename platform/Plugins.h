// Plug-in entry points: plug-ins (the shell runner, the progress wheel) publish their operations under
// signature texts such as "Shell.Execute(command as String)"; the program's start-up looks each one up and
// keeps it in its entry-point table.
#pragma once

#include <string>
#include <string_view>

#include "Runtime.h"

namespace platform {

// A published operation, stored as a generic function pointer and cast back to its real type by the caller.
using PluginEntrypoint = void (*)();

void RuntimePublishPluginEntrypoint(std::string signature, PluginEntrypoint entry);
// The entry published under `signature`, or nullptr when there is none.
PluginEntrypoint RuntimeLookupPluginEntrypoint(std::string_view signature);

// One typed slot of an entry-point table. Calling a slot whose lookup found nothing raises
// ShellNotAvailableException instead of jumping through null.
template <class Fn>
class PluginEntry;

template <class R, class... A>
class PluginEntry<R(A...)> {
public:
    void Resolve(std::string_view signature) {
        signature_ = std::string(signature);
        fn_ = reinterpret_cast<R (*)(A...)>(RuntimeLookupPluginEntrypoint(signature));
    }
    bool Found() const { return fn_ != nullptr; }
    const std::string& Signature() const { return signature_; }
    R operator()(A... args) const {
        if (!fn_)
            throw ShellNotAvailableException("plug-in entry point \"" + signature_ + "\" was not found");
        return fn_(std::forward<A>(args)...);
    }

private:
    std::string signature_;
    R (*fn_)(A...) = nullptr;
};

// Publishes a typed function under a signature text.
template <class R, class... A>
void PublishPluginEntrypoint(std::string signature, R (*fn)(A...)) {
    RuntimePublishPluginEntrypoint(std::move(signature), reinterpret_cast<PluginEntrypoint>(fn));
}

}  // namespace platform
