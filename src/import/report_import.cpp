// The import dialog's OK: both reports through one shared line list into the route file.
#include "import/report_import.h"

#include "base/line_list.h"
#include "base/text_fields.h"
#include "import/route_import.h"
#include "platform/platform.h"

namespace velkor {

std::string SuggestedOutputName(const std::filesystem::path& elementTable) {
  return ReplaceAllNoCase(PathToUtf8(elementTable), ".cks", ".gec");
}

std::string AcceptReports(const std::filesystem::path& elementTable, const std::filesystem::path& verticalReport,
                          const std::filesystem::path& workDir) {
  LineList lines;
  std::string suggestedName;
  if (!elementTable.empty()) {
    suggestedName = SuggestedOutputName(elementTable);
    ConvertHorizontal(elementTable, workDir, lines);
  }
  if (!verticalReport.empty()) ConvertVertical(verticalReport, workDir, lines);
  return suggestedName;
}

std::string AcceptReports(TextInput& elementTable, TextInput* verticalReport, const std::filesystem::path& workDir) {
  LineList lines;
  std::string suggestedName = SuggestedOutputName(elementTable.path());
  ConvertHorizontal(elementTable, workDir, lines);
  if (verticalReport != nullptr) ConvertVertical(*verticalReport, workDir, lines);
  return suggestedName;
}

}  // namespace velkor
