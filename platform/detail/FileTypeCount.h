// A count kept for checking that a file type is registered once; the program never includes this.
// Defined in platform_core (core/FileType.cpp).
#pragma once

#include <string_view>

namespace platform::detail {

// How often `name` has been registered since it was last deregistered; 0 while it is not registered.
int FileTypeRegistrationCount(std::string_view name);

}  // namespace platform::detail
