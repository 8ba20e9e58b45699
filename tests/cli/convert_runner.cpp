#ifndef _WIN32

#include "convert_runner.h"

#include <sys/wait.h>

#include <cstdlib>

#include "test_paths.h"

namespace velkor::test {

std::string Quote(const std::string& text) { return "'" + text + "'"; }

std::string ConvertProgram() { return Quote(std::filesystem::path(kBinaryDir) / "velkor-convert"); }

ConvertOutcome RunConvert(const ScratchDir& scratch, const std::string& arguments, const std::string& prefix) {
  const std::string command = prefix + ConvertProgram() + " " + arguments + " >" + Quote(scratch / "stdout") + " 2>" +
                              Quote(scratch / "stderr");
  int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(scratch / "stdout"), ReadBytes(scratch / "stderr")};
}

}  // namespace velkor::test

#endif
