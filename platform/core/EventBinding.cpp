// Control events without Qt: each control class's event signatures, and the check of an event binding.
#include "platform/detail/EventBinding.h"

#include <array>

#include "platform/Controls.h"
#include "platform/Runtime.h"

namespace platform::detail {

namespace {

struct RaisedEvent {
    std::string_view signatureClass;
    std::int32_t number;
    std::string_view signature;
};

// What each class raises besides Open.
constexpr std::array kRaisedEvents{
    RaisedEvent{"Label", event::kMouseEnter, "( Label )"},
    RaisedEvent{"Label", event::kLabelMouseDown, "( Label, Int32, Int32 ) as Boolean"},
    RaisedEvent{"Label", event::kLabelMouseUp, "( Label, Int32, Int32 )"},
    RaisedEvent{"TextArea", event::kDragExit, "( TextArea, DragItem, Int32 )"},
    RaisedEvent{"TextArea", event::kDropObject, "( TextArea, DragItem, Int32 )"},
    RaisedEvent{"TextArea", event::kDragOver, "( TextArea, Int32, Int32, DragItem, Int32 ) as Boolean"},
    RaisedEvent{"PushButton", event::kButtonAction, "( PushButton )"},
};

}  // namespace

std::optional<std::string> EventSignatureOf(std::string_view signatureClass, std::int32_t number) {
    if (number == event::kOpen) return "( " + std::string(signatureClass) + " )";
    for (const RaisedEvent& raised : kRaisedEvents) {
        if (raised.signatureClass == signatureClass && raised.number == number)
            return std::string(raised.signature);
    }
    return std::nullopt;
}

void CheckEventBinding(const std::string& className, const std::string& controlName, std::int32_t number,
                       const std::optional<std::string>& signature, const std::string& handlerSignature) {
    if (!signature) {
        throw RuntimeException(className + " \"" + controlName + "\" raises no event number " +
                               std::to_string(number));
    }
    if (handlerSignature != *signature) {
        throw RuntimeException("a handler \"" + handlerSignature + "\" cannot take event " +
                               std::to_string(number) + " of " + className + ", which needs \"" + *signature +
                               "\"");
    }
}

}  // namespace platform::detail
