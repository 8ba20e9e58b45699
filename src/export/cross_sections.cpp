#include "export/section_steps.h"

namespace velkor {

void ExportCrossSections(const std::filesystem::path&, const std::filesystem::path&) {}

}  // namespace velkor
