#include "export/section_steps.h"

namespace velkor {

void ExportSlopePlan(const SlopePlan&, const std::filesystem::path&) {}

}  // namespace velkor
