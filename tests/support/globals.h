#pragma once

// The program's shared globals back to what a fresh start has, in one place,
// for the folders a test links (the others cannot be seen from it).

#if __has_include("platform/desktop.h")
#include "platform/desktop.h"
#endif

inline void resetGlobals()
{
#if __has_include("platform/desktop.h")
    // Parameter mode lives in the application's pointer.
    platform::setPointer(platform::DefaultPointer);
#endif
}
