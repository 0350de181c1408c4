// A count kept for checking that a file type is registered once; the program never includes this.
#pragma once

#include <string_view>

namespace platform {

// How often `name` has been registered since start.
int FileTypeRegistrationCount(std::string_view name);

}  // namespace platform
