// Whether a label shows its whole text, measured the way it draws it: with its own font, as its list and
// typed settings made it, on the platform's default font and size.
#pragma once

#include <gtest/gtest.h>

class QLabel;

namespace testsupport {

// Success when the width of the label's text in the label's font fits the width the label gives its text;
// the failure says how many pixels the text needs and how many it gets.
::testing::AssertionResult ShowsItsTextInFull(const QLabel& label);

}  // namespace testsupport
