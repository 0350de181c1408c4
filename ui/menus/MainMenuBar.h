// The program's menu bar: a File menu (About, Quit) and an Edit menu (Undo, Cut, Copy, Paste, Delete,
// Select All, with two separators), built by the constructor. There is one instance, made by
// MainMenuBar::Instance() on first use and kept in a module-level reference until shutdown.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace corvantil {

class MainMenuBar : public platform::MenuBar {
public:
    static const platform::ClassDescription& Lookup();

    // The single menu bar. The first call creates and constructs it and keeps it only once its construction
    // has finished; a construction that fails leaves nothing kept, so the next call starts afresh.
    static platform::Ref<MainMenuBar> Instance();

    // Builds the File menu, then the Edit menu; replaces MenuItem's construction.
    void Constructor() override;
    // Builds the File menu on this bar.
    virtual void Untitled0();
    // Builds the Edit menu on this bar.
    virtual void Untitled1();
};

namespace MainMenuBarModule {
// The instance MainMenuBar::Instance() hands out; empty before its first call and after Exit.
extern platform::Ref<MainMenuBar> _implicitInstance;
// Shutdown of the reference: empties it, then lets go of the instance it held.
void Exit();
}  // namespace MainMenuBarModule

namespace testing {
// Test seam, never set by the program: called before each menu entry is built, with the bar and the
// entry's name.
extern void (*beforeMenuEntry)(MainMenuBar& bar, const std::string& entryName);
}  // namespace testing

}  // namespace corvantil
