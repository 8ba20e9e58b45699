// Program arguments on Linux and other POSIX systems: already the bytes the terminal typed, UTF-8.
#ifndef _WIN32

#include "platform/platform.h"

namespace velkor::platform {

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

}  // namespace velkor::platform

#endif  // _WIN32
