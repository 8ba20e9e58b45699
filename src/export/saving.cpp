// Save: the document, the reduced route copy and the GSI pieces beside the chosen name.
#include "export/saving.h"

#include <string_view>

#include "import/error.h"
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

// Writes the pieces of one work-folder GSI file and deletes it.
void DeliverGsi(const std::filesystem::path& source, const std::string& prefix, const std::filesystem::path& document,
                std::vector<std::filesystem::path>& written) {
  if (!IsFile(source)) return;
  LineList lines;
  lines.Load(source);
  std::vector<LineList> pieces = SplitGsiPieces(lines);
  for (size_t i = 0; i < pieces.size(); ++i) {
    std::filesystem::path target = GsiPiecePath(document, prefix, static_cast<int>(i + 1));
    pieces[i].Save(target);
    written.push_back(target);
  }
  RemoveQuietly(source);
}

bool IsDecimal(std::string_view digits) {
  return !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

bool IsGsiPieceOf(const std::string& fileName, const std::filesystem::path& document) {
  const std::string own = ReplaceAllNoCase(platform::PathToUtf8(document.filename()), ".xml", ".gsi");
  for (const char* prefix : {"aln_", "crs_", "prf_"}) {
    const std::string_view name = fileName;
    if (name.size() <= own.size() + 4 || !name.starts_with(prefix) || !name.ends_with(own)) continue;
    if (IsDecimal(name.substr(4, name.size() - 4 - own.size()))) return true;
  }
  return false;
}

void RemoveGsiPieces(const std::filesystem::path& document) {
  const std::filesystem::path folder = document.has_parent_path() ? document.parent_path() : ".";
  std::error_code ec;
  std::vector<std::filesystem::path> pieces;
  // A folder that cannot be listed holds nothing we could remove; writing there fails on its own.
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (IsGsiPieceOf(platform::PathToUtf8(it->path().filename()), document)) pieces.push_back(it->path());
  }
  for (const auto& piece : pieces) {
    if (!std::filesystem::remove(piece, ec) && ec)
      throw Error(CannotCreate(platform::PathToUtf8(piece))).because(SystemReason(ec));
  }
}

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
                                               const std::filesystem::path& workDir) {
  std::vector<std::filesystem::path> written;
  const std::filesystem::path target = DocumentPath(chosen);
  // An earlier save under this name may have left more pieces than this one writes; none of them may
  // travel to the instrument with this document.
  RemoveGsiPieces(target);
  // Every line of every file we write ends in CR LF, whatever the text came through.
  if (HasCrLfLines(document)) {
    WriteFileBytes(target, document);
  } else {
    std::string lines;
    AppendCrLfLines(lines, document);
    WriteFileBytes(target, lines);
  }
  written.push_back(target);

  const std::filesystem::path route = workDir / kRouteFileName;
  if (IsFile(route)) {
    LineList routeLines;
    routeLines.Load(route);
    const std::filesystem::path copy = RouteCopyPath(target);
    ReduceRouteCopy(routeLines).Save(copy);
    written.push_back(copy);
  }

  DeliverGsi(workDir / "aln.gsi", "aln_", target, written);
  DeliverGsi(workDir / "crs.gsi", "crs_", target, written);
  DeliverGsi(workDir / "prf.gsi", "prf_", target, written);
  return written;
}

void RemoveGsiFiles(const std::filesystem::path& workDir) {
  for (const char* name : {"aln.gsi", "crs.gsi", "prf.gsi"}) RemoveQuietly(workDir / name);
}

}  // namespace velkor
