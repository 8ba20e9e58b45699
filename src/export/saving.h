// Delivering a finished conversion beside the file name the user chose.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "import/line_list.h"

namespace velkor {

// Writes the document (UTF-8) to `chosen`, the reduced route copy and the GSI pieces beside it, then
// removes the GSI files from the work folder. Returns every file written, in order.
// Each file replaces its predecessor only once complete. Throws Error("Cannot create file %s") when
// a target cannot be written (what was written before stays), and refuses, before writing anything,
// a target that is one of the conversion's `inputs` (reports, cross-section file, drawings).
std::vector<std::filesystem::path> SaveOutputs(const std::string& document, const std::filesystem::path& chosen,
                                               const std::filesystem::path& workDir,
                                               const std::vector<std::filesystem::path>& inputs);

// The name the document is saved under: the chosen one, with ".xml" added when it holds none, so
// that the route copy (".xml" -> ".gec") can never take the document's own name.
std::filesystem::path DocumentPath(const std::filesystem::path& chosen);
// The route copy beside the document: ".xml" -> ".gec" in its file name.
std::filesystem::path RouteCopyPath(const std::filesystem::path& document);
// Piece n of a GSI file: prefix ("aln_", "prf_", "crs_") + n + the document's file name with ".xml" -> ".gsi".
std::filesystem::path GsiPiecePath(const std::filesystem::path& document, const std::string& prefix, int n);

// The route lines as the saved copy holds them: spiral points without their clothoid parameter,
// vertical curve entries and exits gone, other profile lines cut after the curve length.
LineList ReduceRouteCopy(const LineList& routeLines);

// GSI files split into pieces of the header plus at most 91 records each.
std::vector<LineList> SplitGsiPieces(const LineList& gsiLines);

// Deletes aln.gsi, crs.gsi and prf.gsi from the work folder, quietly leaving any that will not go.
void RemoveGsiFiles(const std::filesystem::path& workDir);

}  // namespace velkor
