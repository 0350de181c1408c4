// MainWIndow: the class description, the implicit-instance accessor and the destructor.
#include "ui/main/MainWIndow.h"

#include <memory>

namespace corvantil {

using platform::ClassDescription;
using platform::EventHandlerRecord;
using platform::MakeFunction;
using platform::MemberRecord;
using platform::Ref;

namespace {

MemberRecord Method(const char* name, const char* signature, bool hidden = false) {
    return MemberRecord{MemberRecord::Kind::Method, name, signature, hidden};
}

MemberRecord Property(const char* name, const char* type) {
    return MemberRecord{MemberRecord::Kind::Property, name, type, false};
}

ClassDescription BuildDescription() {
    using M = MainWIndow;
    ClassDescription d;
    d.name = "MainWIndow.MainWIndow";
    d.super = &platform::Window::Lookup();
    d.factory = [] { return Ref<platform::Object>(std::make_shared<M>()); };
    d.eventHandlers = {
        EventHandlerRecord{"Layout", "Layout", MakeFunction(&M::Layout)},
        EventHandlerRecord{"CreateControls", "CreateControls", MakeFunction(&M::CreateControls)},
        EventHandlerRecord{"AddMenuHandlers", "AddMenuHandlers", MakeFunction(&M::AddMenuHandlers)},
        EventHandlerRecord{"Open", "Event_Open", MakeFunction(&M::Event_Open)},
        EventHandlerRecord{"Close", "Event_Close", MakeFunction(&M::Event_Close)},
    };
    d.members = {
        Method("Layout", "(  )"),
        Method("CreateControls", "(  )"),
        Method("CreateControls0", "(  )", true),
        Method("ResultLabel", "(  ) as Label"),
        Method("ProgressWheel1", "(  ) as ProgressWheel"),
        Method("TextArea1", "(  ) as TextArea"),
        Method("TextArea2", "(  ) as TextArea"),
        Method("TextArea1_Open", "( TextArea )"),
        Method("TextArea1_DropObject", "( TextArea, DragItem, Int32 )"),
        Method("TextArea1_DragOver", "( TextArea, Int32, Int32, DragItem, Int32 ) as Boolean"),
        Method("TextArea1_DragExit", "( TextArea, DragItem, Int32 )"),
        Method("TextArea2_Open", "( TextArea )"),
        Method("TextArea2_DropObject", "( TextArea, DragItem, Int32 )"),
        Method("TextArea2_DragOver", "( TextArea, Int32, Int32, DragItem, Int32 ) as Boolean"),
        Method("TextArea2_DragExit", "( TextArea, DragItem, Int32 )"),
        Method("EditMenu", "(  ) as MenuItem"),
        Method("EditSelectAll", "(  ) as MenuItem"),
        Method("EditSeparator2", "(  ) as MenuItem"),
        Method("EditClear", "(  ) as MenuItem"),
        Method("EditPaste", "(  ) as MenuItem"),
        Method("EditCopy", "(  ) as MenuItem"),
        Method("EditCut", "(  ) as MenuItem"),
        Method("EditSeparator1", "(  ) as MenuItem"),
        Method("EditUndo", "(  ) as MenuItem"),
        Method("FileMenu", "(  ) as MenuItem"),
        Method("FileQuit", "(  ) as QuitMenuItem"),
        Method("About", "(  ) as AppleMenuItem"),
        Method("AddMenuHandlers", "( Window )"),
        Method("Event_Open", "(  )"),
        Method("Event_Close", "(  )"),
        Method("About_Action", "(  ) as Boolean"),
        Method("CompareFiles", "(  )"),
        Property("path1", "String"),
        Property("path2", "String"),
        Property("file1summed", "Boolean"),
        Property("file2summed", "Boolean"),
        Property("checkSum1", "String"),
        Property("checkSum2", "String"),
        Property("errorArea1", "Boolean"),
        Property("errorArea2", "Boolean"),
    };
    return d;
}

}  // namespace

const ClassDescription& MainWIndow::Lookup() {
    static const ClassDescription description = BuildDescription();
    return description;
}

MainWIndow::~MainWIndow() {
    path1.clear();
    path2.clear();
    checkSum1.clear();
    checkSum2.clear();
}

Ref<MainWIndow> MainWIndow::Instance() {
    Ref<platform::Object> window = platform::GetImplicitWindow("MainWIndow.MainWIndow");
    if (!window) {
        Ref<platform::Object> created = platform::RuntimeNewObject(MainWIndow::Lookup());
        platform::RuntimeCheckCast<platform::Window>(created)->Constructor();
        window = created;
    }
    return platform::RuntimeCheckCast<MainWIndow>(window, MainWIndow::Lookup());
}

}  // namespace corvantil
