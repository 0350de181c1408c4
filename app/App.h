// The application object's class: the framework's Application with nothing of its own but an empty
// construction. Start-up makes the one instance, gives it the menu bar and registers it with the framework.
#pragma once

#include "platform/Platform.h"

namespace corvantil {

class App : public platform::Application {
public:
    // The class description "App", built on first use.
    static const platform::ClassDescription& Lookup();
    // The application object's own construction; there is nothing to set up.
    virtual void Constructor();
};

}  // namespace corvantil
