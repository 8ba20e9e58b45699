// The reports a user names in the import dialog: recognising them and turning them into the route file.
#pragma once

#include <filesystem>
#include <string>

#include "import/route_file.h"
#include "import/text_input.h"

namespace velkor {

enum class ReportKind { ElementTable, VerticalReport, Other };

// Recognises a report by its third line (its table heading), reading no further than that line.
// Throws Error("Cannot open file %s") or Error("List index out of bounds (2)") for a file that cannot
// be read or has fewer than three lines. The TextInput form takes nothing: the conversion that
// follows reads the report from its first line.
ReportKind RecognizeReport(const std::filesystem::path& file);
ReportKind RecognizeReport(TextInput& report);

// The element table -> the route's points (spiral points with their clothoid parameters), its copy
// tmp.cks in the work folder. A report that is one of the work files is refused before anything is
// written; a table whose third line names no "ELEMAN" leaves the route without a horizontal section.
void ConvertHorizontal(const std::filesystem::path& report, const std::filesystem::path& workDir, Route& route);
void ConvertHorizontal(TextInput& report, const std::filesystem::path& workDir, Route& route);
// Each spiral point's clothoid parameter: the root of its length times the radius of the curve beside it.
void AddSpiralParameters(std::vector<PointRecord>& points);

// The vertical definition report -> the route's profile (its copy in tmp.cks). Only a report
// converted to its end becomes the profile.
void ConvertVertical(const std::filesystem::path& report, const std::filesystem::path& workDir, Route& route);
void ConvertVertical(TextInput& report, const std::filesystem::path& workDir, Route& route);

}  // namespace velkor
