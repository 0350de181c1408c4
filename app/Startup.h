// The start-up chain and shutdown of the program, in the order Run performs them:
//   ConfigureRuntime -> RuntimeInit -> initialize -> Main -> finalize -> RuntimeExit
// Main installs the exception helper, runs early start-up (external classes, plug-in entry points, file
// types, the application object with its menu bar), hands late start-up (the main window) to the
// framework's initialisation and runs the event loop. An exception that escapes any of it goes to the
// framework's unhandled-exception routine once, and shutdown still follows.
#pragma once

#include <cstdint>
#include <exception>

namespace corvantil {

// The whole run; its result is the process's exit code.
std::int32_t Run();

// Tells the framework what it needs of the program: its name and its title.
void ConfigureRuntime();

// Builds the class descriptions of the program's four classes, in the order App, MainWIndow, MainMenuBar,
// AboutWindow (each builds its superclasses' first).
void initialize();
// Installs the exception helper, runs early start-up, hands late start-up over and runs the event loop.
void Main();
// The framework's external classes, the plug-in entry points, the file types, the application object and
// the application's menu handlers.
void EarlyStartup();
// Fills the framework's table of plug-in entry points, looking every entry up by its signature text; tests
// no result.
void InitPluginEntrypoints();
void InitFileTypes();
// Makes and constructs the application object, gives it the menu bar and registers it with the framework.
void NewAppInstance();
// The application has no menu handler of its own.
void ApplicationAddMenuHandlers();
// The callback handed to the framework's initialisation: makes the default view.
void LateStartup();
// Obtains the main window; the framework holds it, the program keeps no reference.
void MakeDefaultView();
// The exception helper: calls function(argument) and returns the RuntimeException that escaped it, or nil.
// An exception of any other class passes on.
std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument);
// Releases the framework's module-level lists, then the menu bar's and the file type's references.
void finalize();

namespace testing {
// Test seam, never set by the program: called while the application object is made, after it has its
// menu bar and before it is registered.
extern void (*duringNewAppInstance)();
}  // namespace testing

}  // namespace corvantil
