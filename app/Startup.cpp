// The start-up chain, the exception helper and shutdown.
#include "app/Startup.h"

#include <utility>

#include "app/App.h"
#include "app/FileTypes1.h"
#include "platform/Platform.h"
#include "ui/about/AboutWindow.h"
#include "ui/main/MainWIndow.h"
#include "ui/menus/MainMenuBar.h"

namespace corvantil {

namespace testing {
void (*duringNewAppInstance)() = nullptr;
}  // namespace testing

std::int32_t Run() {
    ConfigureRuntime();
    platform::RuntimeInit();
    initialize();
    Main();
    finalize();
    return platform::RuntimeExit();
}

void ConfigureRuntime() { platform::RuntimeSetProgramSettings({.name = "corvantil", .title = "Corvantil"}); }

void initialize() {
    App::Lookup();
    MainWIndow::Lookup();
    MainMenuBar::Lookup();
    AboutWindow::Lookup();
}

void Main() {
    try {
        platform::RuntimeSetExceptionHelper(&CallFunctionWithExceptionHandling);
        EarlyStartup();
        platform::RunFrameworkInitialization(platform::MakeFunction(&LateStartup));
        platform::RuntimeRun();
    } catch (...) {
        // The steps not yet done are skipped; shutdown follows in Run. An exception the routine itself
        // raises passes on.
        platform::UnhandledException(std::current_exception());
    }
}

void EarlyStartup() {
    platform::RuntimeInitExternalClasses();
    InitPluginEntrypoints();
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
}

void InitPluginEntrypoints() {
    platform::PluginEntrypoints& table = platform::Entrypoints();
    table = platform::PluginEntrypoints{};
    table.shellInit.Resolve(platform::shell_entry::kInit);
    table.shellExit.Resolve(platform::shell_entry::kExit);
    table.shellExecute.Resolve(platform::shell_entry::kExecute);
    table.shellResultGet.Resolve(platform::shell_entry::kResultGet);
}

void InitFileTypes() { FileTypes1::Initialize(); }

void NewAppInstance() {
    auto app = platform::RuntimeCheckCast<App>(platform::RuntimeNewObject(App::Lookup()));
    platform::Require(app, "the new application object")->Constructor();
    platform::Ref<MainMenuBar> bar = MainMenuBar::Instance();
    app->SetMenuBar(bar);
    if (testing::duringNewAppInstance) testing::duringNewAppInstance();
    platform::RuntimeRegisterAppObject(app);
}

void ApplicationAddMenuHandlers() {}

void LateStartup() { MakeDefaultView(); }

void MakeDefaultView() { MainWIndow::Instance(); }

std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument) {
    try {
        if (!function) throw platform::NilObjectException("the function to call is nil");
        function(argument);
        return nullptr;
    } catch (const platform::RuntimeException&) {
        return std::current_exception();
    }
}

void finalize() {
    platform::RuntimeFinalize();
    MainMenuBarModule::Exit();
    platform::Ref<platform::FileType> fileType = std::exchange(FileTypes1::pSpecialAny, nullptr);
    fileType.reset();
}

}  // namespace corvantil
