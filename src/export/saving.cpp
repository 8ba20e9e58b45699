// Save: the document, the reduced route copy and the GSI pieces beside the chosen name.
#include "export/saving.h"

#include "import/error.h"
#include "import/input_clash.h"
#include "import/route_file.h"
#include "import/text_fields.h"
#include "platform/platform.h"

namespace velkor {

namespace {

constexpr size_t kRecordsPerPiece = 91;

bool Contains(const std::string& line, const char* word) { return line.find(word) != std::string::npos; }

bool IsFile(const std::filesystem::path& file) {
  std::error_code ec;
  return std::filesystem::is_regular_file(file, ec);
}

void RemoveQuietly(const std::filesystem::path& file) {
  std::error_code ec;
  std::filesystem::remove(file, ec);
}

// The pieces of one work-folder GSI file, ready to be written beside the document.
struct GsiDelivery {
  std::filesystem::path source;
  std::vector<std::filesystem::path> targets;
  std::vector<LineList> pieces;
};

GsiDelivery PlanGsi(const std::filesystem::path& source, const std::string& prefix,
                    const std::filesystem::path& document) {
  GsiDelivery delivery;
  if (!IsFile(source)) return delivery;
  delivery.source = source;
  LineList lines;
  lines.Load(source);
  delivery.pieces = SplitGsiPieces(lines);
  for (size_t i = 0; i < delivery.pieces.size(); ++i) {
    delivery.targets.push_back(GsiPiecePath(document, prefix, static_cast<int>(i + 1)));
  }
  return delivery;
}

// Writes the pieces and deletes the work-folder file they came from.
void DeliverGsi(const GsiDelivery& delivery, std::vector<std::filesystem::path>& written) {
  if (delivery.source.empty()) return;
  for (size_t i = 0; i < delivery.pieces.size(); ++i) {
    delivery.pieces[i].Save(delivery.targets[i], Replace::WhenComplete);
    written.push_back(delivery.targets[i]);
  }
  RemoveQuietly(delivery.source);
}

}  // namespace

std::filesystem::path DocumentPath(const std::filesystem::path& chosen) {
  std::string name = platform::PathToUtf8(chosen.filename());
  if (ReplaceAllNoCase(name, ".xml", "") != name) return chosen;
  std::filesystem::path document = chosen;
  document += ".xml";
  return document;
}

// Only the file name changes, so a folder whose name holds ".xml" never redirects the copy. The name
// goes through UTF-8 text both ways so that its Turkish letters survive on Windows too.
std::filesystem::path RouteCopyPath(const std::filesystem::path& document) {
  const std::string name = platform::PathToUtf8(document.filename());
  return document.parent_path() / platform::PathFromUtf8(ReplaceAllNoCase(name, ".xml", ".gec"));
}

std::filesystem::path GsiPiecePath(const std::filesystem::path& document, const std::string& prefix, int n) {
  const std::string name = platform::PathToUtf8(document.filename());
  return document.parent_path() /
         platform::PathFromUtf8(prefix + std::to_string(n) + ReplaceAllNoCase(name, ".xml", ".gsi"));
}

LineList ReduceRouteCopy(const LineList& routeLines) {
  // The first four letters of the entry and exit tags, as they stand in the route file.
  const std::string entry = std::string(kTagEntry).substr(0, 4);
  const std::string exit = std::string(kTagExit).substr(0, 4);
  LineList copy;
  for (const std::string& line : routeLines.lines()) {
    enum class Change { Keep, Spiral, Drop, Profile } change = Change::Keep;
    if (Contains(line, "ORTA")) change = Change::Spiral;
    if (Contains(line, entry.c_str()) || Contains(line, exit.c_str())) change = Change::Drop;
    if (Contains(line, kTagMene)) change = Change::Profile;
    switch (change) {
      case Change::Keep:
        copy.push_back(line);
        break;
      case Change::Spiral:
        copy.push_back(line.substr(0, 64));
        break;
      case Change::Drop:
        break;
      case Change::Profile:
        copy.push_back(line.substr(0, 40));
        break;
    }
  }
  return copy;
}

std::vector<LineList> SplitGsiPieces(const LineList& gsiLines) {
  std::vector<LineList> pieces;
  // A file without even a header line has nothing a field instrument could load.
  if (gsiLines.empty()) return pieces;
  const std::string& header = gsiLines.at(0);
  LineList piece;
  piece.push_back(header);
  for (long i = 1; i < gsiLines.size(); ++i) {
    piece.push_back(gsiLines.at(i));
    // A full piece is closed at once, so a last full piece is followed by one holding the header only.
    if (static_cast<size_t>(piece.size()) - 1 == kRecordsPerPiece) {
      pieces.push_back(std::move(piece));
      piece = LineList();
      piece.push_back(header);
    }
  }
  pieces.push_back(std::move(piece));
  return pieces;
}

std::vector<std::filesystem::path> SaveOutputs(const std::string& document, const std::filesystem::path& chosen,
                                               const std::filesystem::path& workDir,
                                               const std::vector<std::filesystem::path>& inputs) {
  const std::filesystem::path target = DocumentPath(chosen);
  const std::filesystem::path route = workDir / kRouteFileName;
  const std::filesystem::path copy = RouteCopyPath(target);
  const bool withRoute = IsFile(route);
  const GsiDelivery gsi[] = {PlanGsi(workDir / "aln.gsi", "aln_", target), PlanGsi(workDir / "crs.gsi", "crs_", target),
                             PlanGsi(workDir / "prf.gsi", "prf_", target)};

  // Every name is known before the first file is written, so an output that is one of the
  // conversion's inputs stops Save with nothing written.
  std::vector<std::filesystem::path> targets = {target};
  if (withRoute) targets.push_back(copy);
  for (const auto& delivery : gsi) targets.insert(targets.end(), delivery.targets.begin(), delivery.targets.end());
  RefuseInputClash(targets, inputs);

  std::vector<std::filesystem::path> written;
  // Every line of every file we write ends in CR LF, whatever the text came through.
  if (HasCrLfLines(document)) {
    WriteFileBytes(target, document, Replace::WhenComplete);
  } else {
    std::string lines;
    AppendCrLfLines(lines, document);
    WriteFileBytes(target, lines, Replace::WhenComplete);
  }
  written.push_back(target);

  if (withRoute) {
    LineList routeLines;
    routeLines.Load(route);
    ReduceRouteCopy(routeLines).Save(copy, Replace::WhenComplete);
    written.push_back(copy);
  }

  for (const auto& delivery : gsi) DeliverGsi(delivery, written);
  return written;
}

void RemoveGsiFiles(const std::filesystem::path& workDir) {
  for (const char* name : {"aln.gsi", "crs.gsi", "prf.gsi"}) RemoveQuietly(workDir / name);
}

}  // namespace velkor
