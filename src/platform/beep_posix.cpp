// The information beep on Linux and other POSIX systems: none of the system's own; the desktop's
// toolkit sounds its bell instead.
#ifndef _WIN32

#include "platform/platform.h"

namespace velkor::platform {

bool InformationBeep() { return false; }

}  // namespace velkor::platform

#endif  // _WIN32
