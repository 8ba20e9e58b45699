// Delivering a finished conversion beside the file name the user chose.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/line_list.h"

namespace velkor {

// Removes the GSI pieces an earlier save of the same name left, writes the document (UTF-8) to
// `chosen`, the reduced route copy and the GSI pieces beside it, then removes the GSI files from the
// work folder. Returns every file written, in order.
// Each file replaces its predecessor only once complete. Throws Error("Cannot create file %s") when
// a target cannot be written or an old piece removed (what was written before stays), and refuses,
// before writing or removing anything, a target that is one of the conversion's `inputs` (reports,
// cross-section file, drawings).
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

// True for "aln_<n><name>.gsi", "crs_<n><name>.gsi" and "prf_<n><name>.gsi" of this document (n decimal
// digits, <name>.gsi its own file name with ".xml" -> ".gsi"); nothing else.
bool IsGsiPieceOf(const std::string& fileName, const std::filesystem::path& document);
// Every such piece beside the document.
std::vector<std::filesystem::path> GsiPiecesBeside(const std::filesystem::path& document);

// GSI files split into pieces of the header plus at most 91 records each.
std::vector<LineList> SplitGsiPieces(const LineList& gsiLines);
// How many pieces a GSI file of `records` records after its header is split into.
int GsiPieceCount(long records);

// Deletes aln.gsi, crs.gsi and prf.gsi from the work folder, quietly leaving any that will not go.
void RemoveGsiFiles(const std::filesystem::path& workDir);

}  // namespace velkor
