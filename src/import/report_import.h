// Accepting the import dialog: the chosen reports become the route file in the work folder.
#pragma once

#include <filesystem>
#include <string>

namespace velkor {

class TextInput;

// The element table's path (UTF-8) with every ".cks", in any letter case, replaced by ".gec".
std::string SuggestedOutputName(const std::filesystem::path& elementTable);

// Converts the element table (required) and the vertical report (may be empty) into tmp.gec.
// Returns the suggested output name: the element table's path (UTF-8) with every ".cks" -> ".gec".
std::string AcceptReports(const std::filesystem::path& elementTable, const std::filesystem::path& verticalReport,
                          const std::filesystem::path& workDir);
// The same with reports already open (and recognised): each is read once, from its first line.
// `verticalReport` may be null.
std::string AcceptReports(TextInput& elementTable, TextInput* verticalReport, const std::filesystem::path& workDir);

}  // namespace velkor
