// Runs velkor-convert as a user's shell would and captures what it answers (POSIX shells only).
#pragma once

#include <filesystem>
#include <string>

#include "test_support.h"

namespace velkor::test {

struct ConvertOutcome {
  int code;         // the exit code, -1 when the program did not exit normally
  std::string out;  // standard output
  std::string err;  // standard error
};

// The text in single quotes, for a shell command line.
std::string Quote(const std::string& text);
inline std::string Quote(const std::filesystem::path& path) { return Quote(path.string()); }

// velkor-convert with `arguments` (already quoted), its output captured in files of `scratch`.
// `prefix` goes before the program on the shell's command line ("ulimit -v 500000; ", "cat X | ").
ConvertOutcome RunConvert(const ScratchDir& scratch, const std::string& arguments, const std::string& prefix = "");
// The program's own path, quoted for a shell.
std::string ConvertProgram();

}  // namespace velkor::test
