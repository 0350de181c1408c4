// The About window: the product's name and version, a "based on SHA-256" line whose SHA-256 is a link, the
// maker's web address as a second link, and an OK button that hides the window. Links turn blue when they
// open, show the pointing-finger cursor once the mouse has entered them and open their page on mouse-up.
// There is one instance, found through AboutWindow::Instance(); it is hidden, never closed.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace corvantil {

class AboutWindow : public platform::Window {
public:
    static const platform::ClassDescription& Lookup();
    // The single About window: the one the framework holds under "AboutWindow.AboutWindow", shown or
    // hidden, or a new one, constructed, when there is none.
    static platform::Ref<AboutWindow> Instance();

    // Building hooks, raised by the framework for a new window.
    virtual void Layout();
    virtual void CreateControls();
    // Creates the six controls, gives each its settings and list and binds the events.
    virtual void CreateControls0();

    // The controls, looked up by name on every call.
    virtual platform::Ref<platform::Label> AppLabel();
    virtual platform::Ref<platform::Label> VersionLabel();
    virtual platform::Ref<platform::PushButton> OKButton();
    virtual platform::Ref<platform::Label> URL_Label1();
    virtual platform::Ref<platform::Label> basedOnLabel();
    virtual platform::Ref<platform::Label> SHA256Label();

    // Event handlers of the controls.
    virtual void OKButton_Action(const platform::Ref<platform::PushButton>& sender);
    virtual void URL_Label1_MouseUp(const platform::Ref<platform::Label>& sender, std::int32_t x,
                                    std::int32_t y);
    virtual bool URL_Label1_MouseDown(const platform::Ref<platform::Label>& sender, std::int32_t x,
                                      std::int32_t y);
    virtual void URL_Label1_Open(const platform::Ref<platform::Label>& sender);
    virtual void URL_Label1_MouseEnter(const platform::Ref<platform::Label>& sender);
    virtual void SHA256Label_MouseUp(const platform::Ref<platform::Label>& sender, std::int32_t x,
                                     std::int32_t y);
    virtual bool SHA256Label_MouseDown(const platform::Ref<platform::Label>& sender, std::int32_t x,
                                       std::int32_t y);
    virtual void SHA256Label_Open(const platform::Ref<platform::Label>& sender);
    virtual void SHA256Label_MouseEnter(const platform::Ref<platform::Label>& sender);
};

}  // namespace corvantil
