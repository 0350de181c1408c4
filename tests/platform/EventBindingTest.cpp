// Control events without Qt: the signature each class's events need, and the refusal of a binding whose
// handler does not fit.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Controls.h"
#include "platform/Runtime.h"
#include "platform/detail/EventBinding.h"

namespace {

using platform::RuntimeException;
using platform::detail::CheckEventBinding;
using platform::detail::EventSignatureOf;

TEST(EventBindingTest, EveryClassRaisesOpenAndOnlyItsOwnEvents) {
    EXPECT_EQ(EventSignatureOf("ProgressWheel", platform::event::kOpen), "( ProgressWheel )");
    EXPECT_EQ(EventSignatureOf("TextArea", platform::event::kDropObject), "( TextArea, DragItem, Int32 )");
    EXPECT_FALSE(EventSignatureOf("ProgressWheel", platform::event::kDropObject));
    EXPECT_FALSE(EventSignatureOf("Label", platform::event::kButtonAction));
}

TEST(EventBindingTest, RefusalsNameTheControlTheEventAndTheNeededSignature) {
    const auto message = [](const std::optional<std::string>& signature, const std::string& handler) {
        try {
            CheckEventBinding("TextArea", "TextArea1", 8, signature, handler);
        } catch (const RuntimeException& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    const std::string needed = "( TextArea, DragItem, Int32 )";
    EXPECT_EQ(message(needed, needed), "accepted");
    EXPECT_EQ(message(std::nullopt, needed), "TextArea \"TextArea1\" raises no event number 8");
    EXPECT_EQ(
        message(needed, "( TextArea )"),
        "a handler \"( TextArea )\" cannot take event 8 of TextArea, which needs \"( TextArea, DragItem, "
        "Int32 )\"");
}

}  // namespace
