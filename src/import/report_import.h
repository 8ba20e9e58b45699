// Accepting the import dialog: the chosen reports become the route file in the work folder.
#pragma once

#include <filesystem>
#include <string>

#include "import/route_file.h"

namespace velkor {

class TextInput;

// The element table's path (UTF-8) with every ".cks", in any letter case, replaced by ".gec".
std::string SuggestedOutputName(const std::filesystem::path& elementTable);

// What the import dialog's OK makes of the reports: the route, also written as the route file tmp.gec
// in the work folder, and the name the save dialog proposes.
struct AcceptedReports {
  Route route;
  std::string suggestedOutputName;  // the element table's path (UTF-8) with every ".cks" -> ".gec"
};

// Converts the element table (required) and the vertical report (may be empty).
AcceptedReports AcceptReports(const std::filesystem::path& elementTable, const std::filesystem::path& verticalReport,
                              const std::filesystem::path& workDir);
// The same with reports already open (and recognised): each is read once, from its first line.
// `verticalReport` may be null.
AcceptedReports AcceptReports(TextInput& elementTable, TextInput* verticalReport, const std::filesystem::path& workDir);

}  // namespace velkor
