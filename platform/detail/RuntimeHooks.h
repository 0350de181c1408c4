// What the runtime's Qt side needs of its portable core; the program never includes this.
// Defined in platform_core (core/Runtime.cpp).
#pragma once

#include "platform/Runtime.h"

namespace platform::detail {

// Records the calling thread as the main thread (RuntimeInit does it).
void RuntimeSetMainThread();
// The helper RuntimeSetExceptionHelper installed, or nil; the program dispatch calls handlers through it.
ExceptionHelper RuntimeGetExceptionHelper();

}  // namespace platform::detail
