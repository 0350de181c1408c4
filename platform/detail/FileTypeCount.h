// A count kept for checking that a file type is registered once; the program never includes this.
#pragma once

#include <string_view>

namespace platform {

// How often `name` has been registered since it was last deregistered; 0 while it is not registered.
int FileTypeRegistrationCount(std::string_view name);

}  // namespace platform
