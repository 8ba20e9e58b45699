#include "base/input_clash.h"

#include "base/error.h"
#include "base/text_encoding.h"

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
        throw Error("Cannot write " + PathToUtf8(target) + ": it is the input file " + PathToUtf8(input) +
                    "; nothing was written");
      }
    }
  }
}

}  // namespace velkor
