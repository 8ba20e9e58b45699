#include "import/error.h"
#include "import/route_import.h"

namespace velkor {

void ConvertHorizontal(const std::filesystem::path&, const std::filesystem::path&, LineList&) {}
void AddSpiralParameters(const std::filesystem::path&, LineList&) {}

}  // namespace velkor
