// The portable side of control events: which events each control class raises with which handler
// signature, and the check a binding of a handler to an event must pass. Controls.cpp builds on these.
// Defined in platform_core (core/EventBinding.cpp).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::detail {

// The signature text a handler of event `number` of a control of the class `signatureClass` ("Label",
// "TextArea", "PushButton", ...) must have, e.g. "( TextArea, DragItem, Int32 )"; nullopt for an event the
// class does not raise. Every control class raises Open.
std::optional<std::string> EventSignatureOf(std::string_view signatureClass, std::int32_t number);

// Refuses with RuntimeException a handler whose signature text is not `signature`, the one event `number`
// of the control `controlName` of class `className` needs; nullopt: the control raises no such event.
void CheckEventBinding(const std::string& className, const std::string& controlName, std::int32_t number,
                       const std::optional<std::string>& signature, const std::string& handlerSignature);

}  // namespace platform::detail
