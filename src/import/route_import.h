// The reports a user names in the import dialog: recognising them and turning them into the route file.
#pragma once

#include <filesystem>
#include <string>

#include "import/line_list.h"

namespace velkor {

enum class ReportKind { ElementTable, VerticalReport, Other };

// Recognises a report by its third line (its table heading). Throws Error("Cannot open file %s")
// or Error("List index out of bounds (2)") for a file that cannot be read or has fewer than three lines.
ReportKind RecognizeReport(const std::filesystem::path& file);

// The element table -> horizontal section of tmp.gec in the work folder (via tmp.cks), spiral parameters added.
void ConvertHorizontal(const std::filesystem::path& report, const std::filesystem::path& workDir, LineList& lines);
void AddSpiralParameters(const std::filesystem::path& workDir, LineList& lines);

// The vertical definition report -> vertical section appended to tmp.gec.
void ConvertVertical(const std::filesystem::path& report, const std::filesystem::path& workDir, LineList& lines);

}  // namespace velkor
