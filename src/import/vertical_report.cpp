#include "import/error.h"
#include "import/route_import.h"

namespace velkor {

void ConvertVertical(const std::filesystem::path&, const std::filesystem::path&, LineList&) {}

}  // namespace velkor
