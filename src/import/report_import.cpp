// The import dialog's OK: both reports into the route, and the route file written from it.
#include "import/report_import.h"

#include "base/text_fields.h"
#include "import/route_import.h"
#include "import/work_files.h"
#include "platform/platform.h"

namespace velkor {

std::string SuggestedOutputName(const std::filesystem::path& elementTable) {
  return ReplaceAllNoCase(PathToUtf8(elementTable), ".cks", ".gec");
}

namespace {

// The route file is what Save delivers a copy of; it holds the sections that were converted.
void WriteRouteFile(const Route& route, const std::filesystem::path& workDir) {
  if (route.horizontal || route.vertical) FormatRouteFile(route).Save(workDir / kRouteFile);
}

}  // namespace

AcceptedReports AcceptReports(const std::filesystem::path& elementTable, const std::filesystem::path& verticalReport,
                              const std::filesystem::path& workDir) {
  AcceptedReports accepted;
  if (!elementTable.empty()) {
    accepted.suggestedOutputName = SuggestedOutputName(elementTable);
    ConvertHorizontal(elementTable, workDir, accepted.route);
  }
  if (!verticalReport.empty()) ConvertVertical(verticalReport, workDir, accepted.route);
  WriteRouteFile(accepted.route, workDir);
  return accepted;
}

AcceptedReports AcceptReports(TextInput& elementTable, TextInput* verticalReport,
                              const std::filesystem::path& workDir) {
  AcceptedReports accepted;
  accepted.suggestedOutputName = SuggestedOutputName(elementTable.path());
  ConvertHorizontal(elementTable, workDir, accepted.route);
  if (verticalReport != nullptr) ConvertVertical(*verticalReport, workDir, accepted.route);
  WriteRouteFile(accepted.route, workDir);
  return accepted;
}

}  // namespace velkor
