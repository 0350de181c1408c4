// MakeControls: makes a window's controls from their ControlSpecs, one completely before the next.
#include "ui/ControlSpec.h"

namespace corvantil {

using platform::RectControl;
using platform::Ref;

namespace {

// The control under `name`, reached afresh; NilObjectException when there is none.
Ref<RectControl> Afresh(const platform::Window& window, const char* name,
                        const platform::ClassDescription& cls) {
    Ref<RectControl> control = ControlNamed<RectControl>(window, name, cls);
    platform::Require(control, name);
    return control;
}

// Makes one typed setting on a control; a control of a class without that setting raises
// IllegalCastException.
struct Apply {
    Ref<RectControl> control;

    void operator()(const setting::TextSize& s) const {
        platform::RuntimeCheckCast<platform::Label>(control)->SetTextSize(s.size);
    }
    void operator()(const setting::LineSpacing& s) const {
        platform::RuntimeCheckCast<platform::TextArea>(control)->SetLineSpacing(s.spacing);
    }
    void operator()(const setting::TextUnit& s) const { control->SetTextUnit(s.unit); }
};

void MakeControl(platform::Window& window, const ControlSpec& spec) {
    const platform::ClassDescription& cls = spec.cls();
    {
        Ref<RectControl> control = platform::RuntimeCheckCast<RectControl>(window.New(cls), cls);
        platform::Require(control, spec.name)->Constructor();
        window.AddControl(spec.name, control);
    }
    // From here on the window holds the control and it is reached by its name only.
    for (const TypedSetting& setting : spec.settings)
        std::visit(Apply{Afresh(window, spec.name, cls)}, setting);
    Afresh(window, spec.name, cls)->SetProperties(spec.list);
    for (const EventBinding& binding : spec.bindings) {
        platform::RuntimeAddEventHandler(
            Afresh(window, spec.name, cls), binding.event,
            platform::RuntimeCreateDelegate(binding.handler, window.shared_from_this(), binding.signature,
                                            platform::kDelegateWeak));
    }
}

}  // namespace

void MakeControls(platform::Window& window, const std::vector<ControlSpec>& specs) {
    for (const ControlSpec& spec : specs) MakeControl(window, spec);
}

}  // namespace corvantil
