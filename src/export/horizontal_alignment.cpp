#include "export/section_steps.h"

namespace velkor {

void WriteHorizontalAlignment(const LineList&, const RouteScan&, std::ostream&, const std::filesystem::path&) {}

}  // namespace velkor
