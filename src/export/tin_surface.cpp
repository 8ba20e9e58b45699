#include "export/section_steps.h"

namespace velkor {

void ExportTinSurface(const TerrainModel&, const std::filesystem::path&) {}

}  // namespace velkor
