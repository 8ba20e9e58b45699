#ifndef _WIN32

#include "convert_runner.h"

#include <sys/wait.h>

#include <cstdlib>

#include "test_paths.h"

namespace velkor::test {

std::string Quote(const std::string& text) { return "'" + text + "'"; }

ConvertOutcome RunConvert(const ScratchDir& scratch, const std::string& arguments) {
  const std::filesystem::path binary = std::filesystem::path(kBinaryDir) / "velkor-convert";
  const std::string command =
      Quote(binary) + " " + arguments + " >" + Quote(scratch / "stdout") + " 2>" + Quote(scratch / "stderr");
  int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(scratch / "stdout"), ReadBytes(scratch / "stderr")};
}

}  // namespace velkor::test

#endif
