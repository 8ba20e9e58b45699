// Program arguments on Windows: taken from the wide command line, so that a file named with letters
// outside the ANSI code page (or typed on a system whose ANSI code page is not Turkish) still opens.
#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
// CommandLineToArgvW needs the declarations of windows.h first.
#include <shellapi.h>

#include "platform/platform.h"

namespace velkor::platform {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr || count != argc) {
    // Not the command line this process was started with (a test calling in): take argv as given.
    if (wide != nullptr) LocalFree(wide);
    return std::vector<std::string>(argv, argv + argc);
  }
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) arguments.push_back(PathToUtf8(std::filesystem::path(std::wstring(wide[i]))));
  LocalFree(wide);
  return arguments;
}

}  // namespace velkor::platform

#endif  // _WIN32
