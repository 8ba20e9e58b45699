// The reports a user names in the import dialog: recognising them and turning them into the route file.
#pragma once

#include <filesystem>
#include <string>

#include "base/line_list.h"
#include "import/text_input.h"

namespace velkor {

enum class ReportKind { ElementTable, VerticalReport, Other };

// Recognises a report by its third line (its table heading), reading no further than that line.
// Throws Error("Cannot open file %s") or Error("List index out of bounds (2)") for a file that cannot
// be read or has fewer than three lines. The TextInput form takes nothing: the conversion that
// follows reads the report from its first line.
ReportKind RecognizeReport(const std::filesystem::path& file);
ReportKind RecognizeReport(TextInput& report);

// The element table -> horizontal section of tmp.gec in the work folder (and its copy tmp.cks),
// spiral parameters added. A report that is one of those two work files is refused before anything
// is written.
void ConvertHorizontal(const std::filesystem::path& report, const std::filesystem::path& workDir, LineList& lines);
void ConvertHorizontal(TextInput& report, const std::filesystem::path& workDir, LineList& lines);
void AddSpiralParameters(const std::filesystem::path& workDir, LineList& lines);

// The vertical definition report -> vertical section appended to tmp.gec (its copy in tmp.cks).
void ConvertVertical(const std::filesystem::path& report, const std::filesystem::path& workDir, LineList& lines);
void ConvertVertical(TextInput& report, const std::filesystem::path& workDir, LineList& lines);

}  // namespace velkor
