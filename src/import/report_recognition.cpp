#include "import/error.h"
#include "import/route_import.h"

namespace velkor {

ReportKind RecognizeReport(const std::filesystem::path&) { return ReportKind::Other; }

}  // namespace velkor
