// The application class's description and its construction.
#include "app/App.h"

#include <memory>

namespace corvantil {

const platform::ClassDescription& App::Lookup() {
    static const platform::ClassDescription description = [] {
        platform::ClassDescription d;
        d.name = "App";
        d.super = &platform::Application::Lookup();
        d.factory = []() -> platform::Ref<platform::Object> { return std::make_shared<App>(); };
        d.members = {{platform::MemberRecord::Kind::Method, "Constructor", "(  )", false}};
        return d;
    }();
    return description;
}

void App::Constructor() {}

}  // namespace corvantil
