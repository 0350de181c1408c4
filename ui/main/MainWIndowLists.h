// The Property lists of the main window and its four controls: fixed byte strings in the framework's
// Property list encoding, built once.
#pragma once

#include <string>

namespace corvantil::MainWIndowLists {

const std::string& Window();
const std::string& ResultLabel();
const std::string& ProgressWheel1();
const std::string& TextArea1();
const std::string& TextArea2();

}  // namespace corvantil::MainWIndowLists
