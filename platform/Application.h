// The framework's application object and the runtime's life cycle: start, event loop, quit, shutdown, and
// the routine that reports an exception nothing else handled.
#pragma once

#include <cstdint>
#include <exception>

#include "Runtime.h"

namespace platform {

class MenuBar;

class Application : public Object {
public:
    static const ClassDescription& Lookup();
    Ref<MenuBar> GetMenuBar() const { return menuBar_; }
    void SetMenuBar(const Ref<MenuBar>& bar);

private:
    Ref<MenuBar> menuBar_;
};

// Initialises the runtime and creates the user-interface application; the calling thread becomes the main
// thread, and the shell runner's wait keeps the windows painting. Command-line arguments are not read.
void RuntimeInit();
// Publishes the plug-in classes (the shell runner, the progress wheel) and their entry points.
void RuntimeInitExternalClasses();
// Registers the application object; the framework holds it until shutdown.
void RuntimeRegisterAppObject(const Ref<Application>& app);
Ref<Application> RuntimeAppObject();
// Calls `lateStartup` once, on the main thread, before the event loop starts.
void RunFrameworkInitialization(const Function& lateStartup);
// Runs the event loop until Quit. An exception a program handler let out ends the loop and is raised
// again here, once. Returns at once when Quit was called before.
void RuntimeRun();
// Ends the event loop; `code` becomes RuntimeExit's result unless an unhandled exception was reported.
void Quit(std::int32_t code = 0);
// Writes the exception's class and message to standard error and, where a display is available, shows
// them in a message box. The run's exit code becomes non-zero.
void UnhandledException(std::exception_ptr exception);
// Releases the framework's module-level lists: the implicit windows and the application object.
void RuntimeFinalize();
// Shuts the runtime down and yields the exit code.
std::int32_t RuntimeExit();

}  // namespace platform
