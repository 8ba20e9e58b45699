#include "export/saving.h"

namespace velkor {

std::vector<std::filesystem::path> SaveOutputs(const std::string&, const std::filesystem::path&,
                                               const std::filesystem::path&) {
  return {};
}

}  // namespace velkor
