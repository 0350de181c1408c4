// How the windows build their controls. A window's controls are data, one ControlSpec each: its name and
// class, the typed settings made before its Property list, the list and its event bindings. MakeControls
// makes them in order, each completely before the next: created through the window, constructed and added
// under its name, then given its settings, its list and its bindings, each of which reaches the control
// afresh through the window by its name.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/Platform.h"

namespace corvantil {

// The Index that every control's list carries: the control belongs to no control set.
inline constexpr std::int32_t kNoIndex = std::numeric_limits<std::int32_t>::min();

// The typed settings, each made by its direct call.
namespace setting {
struct TextSize {  // Label
    float size;
};
struct TextUnit {  // every control with a text
    platform::FontUnits unit;
};
struct LineSpacing {  // TextArea
    double spacing;
};
}  // namespace setting
using TypedSetting = std::variant<setting::TextSize, setting::TextUnit, setting::LineSpacing>;

// An event of the control bound to the window's own handler, which the binding holds weakly.
struct EventBinding {
    std::int32_t event;
    platform::Function handler;
    const char* signature;  // the handler's signature text, as the event's must be
};

struct ControlSpec {
    const char* name;
    const platform::ClassDescription& (*cls)();  // asked for when the control is made: a plug-in's too
    std::vector<TypedSetting> settings;          // in the order they are made
    std::string_view list;
    std::vector<EventBinding> bindings;  // in the order they are made
};

// Makes the controls of `specs` in `window`, in order.
void MakeControls(platform::Window& window, const std::vector<ControlSpec>& specs);

// The control added to `window` under `name`, cast to `cls`; nil when the window holds none of that name.
template <class T>
platform::Ref<T> ControlNamed(const platform::Window& window, std::string_view name,
                              const platform::ClassDescription& cls = T::Lookup()) {
    return platform::RuntimeCheckCast<T>(window.ControlByName(name), cls);
}

}  // namespace corvantil
