// The information beep on Windows: the sound the user has chosen for information messages.
#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/platform.h"

namespace velkor::platform {

bool InformationBeep() { return MessageBeep(MB_ICONASTERISK) != 0; }

}  // namespace velkor::platform

#endif  // _WIN32
