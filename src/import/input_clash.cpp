#include "import/input_clash.h"

#include "import/error.h"
#include "platform/platform.h"

namespace velkor {

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

void RefuseInputClash(const std::vector<std::filesystem::path>& targets,
                      const std::vector<std::filesystem::path>& inputs) {
  for (const auto& target : targets) {
    for (const auto& input : inputs) {
      if (SameFile(target, input)) {
        throw Error("Cannot write " + platform::PathToUtf8(target) + ": it is the input file " +
                    platform::PathToUtf8(input) + "; nothing was written");
      }
    }
  }
}

}  // namespace velkor
