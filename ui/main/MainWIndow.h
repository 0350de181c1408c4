// The main window: two drop areas, a result label with a progress wheel inside it, and the comparison of the
// two dropped files through `shasum -a 256`. One class, its implementation split by concern:
//   MainWIndow.cpp        class description, Instance(), destructor
//   MainWIndowLayout.cpp  Layout, the controls and their Property lists, the control accessors, Open/Close
//   CompareFiles.cpp      the comparison
//   DropAreas.cpp         the drop areas' handlers
//   MenuHandling.cpp      the About handler and the menu-item accessors
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace corvantil {

class MainWIndow : public platform::Window {
public:
    MainWIndow() = default;
    // Releases the four String properties, leaving each empty.
    ~MainWIndow() override;

    // The class description "MainWIndow.MainWIndow", built on first use.
    static const platform::ClassDescription& Lookup();
    // The single main window: the one the framework holds under "MainWIndow.MainWIndow", or a new one,
    // constructed.
    static platform::Ref<MainWIndow> Instance();

    // ---- Own operations, in slot order -------------------------------------------------------------------
    // Building hooks and controls
    virtual void Layout();
    virtual void CreateControls();
    virtual void CreateControls0();
    virtual platform::Ref<platform::Label> ResultLabel();
    virtual platform::Ref<platform::ProgressWheel> ProgressWheel1();
    virtual platform::Ref<platform::TextArea> TextArea1();
    virtual platform::Ref<platform::TextArea> TextArea2();
    // Drop area 1
    virtual void TextArea1_Open(const platform::Ref<platform::TextArea>& area);
    virtual void TextArea1_DropObject(const platform::Ref<platform::TextArea>& area,
                                      const platform::Ref<platform::DragItem>& item, std::int32_t action);
    virtual bool TextArea1_DragOver(const platform::Ref<platform::TextArea>& area, std::int32_t x,
                                    std::int32_t y, const platform::Ref<platform::DragItem>& item,
                                    std::int32_t action);
    virtual void TextArea1_DragExit(const platform::Ref<platform::TextArea>& area,
                                    const platform::Ref<platform::DragItem>& item, std::int32_t action);
    // Drop area 2
    virtual void TextArea2_Open(const platform::Ref<platform::TextArea>& area);
    virtual void TextArea2_DropObject(const platform::Ref<platform::TextArea>& area,
                                      const platform::Ref<platform::DragItem>& item, std::int32_t action);
    virtual bool TextArea2_DragOver(const platform::Ref<platform::TextArea>& area, std::int32_t x,
                                    std::int32_t y, const platform::Ref<platform::DragItem>& item,
                                    std::int32_t action);
    virtual void TextArea2_DragExit(const platform::Ref<platform::TextArea>& area,
                                    const platform::Ref<platform::DragItem>& item, std::int32_t action);
    // Menu-item accessors: the item of that name in the window's menu bar
    virtual platform::Ref<platform::MenuItem> EditMenu();
    virtual platform::Ref<platform::MenuItem> EditSelectAll();
    virtual platform::Ref<platform::MenuItem> EditSeparator2();
    virtual platform::Ref<platform::MenuItem> EditClear();
    virtual platform::Ref<platform::MenuItem> EditPaste();
    virtual platform::Ref<platform::MenuItem> EditCopy();
    virtual platform::Ref<platform::MenuItem> EditCut();
    virtual platform::Ref<platform::MenuItem> EditSeparator1();
    virtual platform::Ref<platform::MenuItem> EditUndo();
    virtual platform::Ref<platform::MenuItem> FileMenu();
    virtual platform::Ref<platform::QuitMenuItem> FileQuit();
    virtual platform::Ref<platform::AppleMenuItem> About();
    // Window events, the About handler and the comparison
    virtual void AddMenuHandlers(const platform::Ref<platform::Window>& window);
    virtual void Event_Open();
    virtual void Event_Close();
    virtual bool About_Action();
    virtual void CompareFiles();

    // ---- State of the two sides ------------------------------------------------------------------------
    std::string path1;  // side 1's shell path; empty while it holds no file
    std::string path2;
    bool file1summed = false;  // checkSum1 is the digest of the file in path1
    bool file2summed = false;
    std::string checkSum1;  // side 1's SHA-256 digest as the tool prints it
    std::string checkSum2;
    bool errorArea1 = false;  // side 1's area shows an error and rests pink
    bool errorArea2 = false;
};

}  // namespace corvantil
