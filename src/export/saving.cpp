// Save: the document, the reduced route copy and the GSI pieces beside the chosen name.
#include "export/saving.h"

#include <memory>
#include <string_view>

#include "base/error.h"
#include "base/input_clash.h"
#include "base/output_file.h"
#include "base/text_fields.h"
#include "import/route_file.h"
#include "import/work_files.h"
#include "platform/platform.h"

namespace velkor {

namespace {

constexpr size_t kRecordsPerPiece = 91;

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
  lines = platform::ReadLines(source);
  delivery.pieces = SplitGsiPieces(lines);
  for (size_t i = 0; i < delivery.pieces.size(); ++i) {
    delivery.targets.push_back(GsiPiecePath(document, prefix, static_cast<int>(i + 1)));
  }
  return delivery;
}

// Files written in full under temporary names, put in place together once all of them are complete.
class StagedFiles {
 public:
  void Add(const std::filesystem::path& file, const std::string& bytes) {
    auto out = std::make_unique<OutputFile>(file, Replace::WhenComplete);
    out->Write(bytes);
    out->Finish();
    files_.push_back(std::move(out));
    names_.push_back(file);
  }
  std::vector<std::filesystem::path> PutInPlace() {
    for (auto& file : files_) file->PutInPlace();
    return names_;
  }

 private:
  std::vector<std::unique_ptr<OutputFile>> files_;
  std::vector<std::filesystem::path> names_;
};

// A file that will not go is reported like one that cannot be written.
void RemoveFiles(const std::vector<std::filesystem::path>& files) {
  for (const auto& file : files) {
    std::error_code ec;
    if (!std::filesystem::remove(file, ec) && ec) throw Error(CannotCreate(PathToUtf8(file))).because(SystemReason(ec));
  }
}

bool IsDecimal(std::string_view digits) {
  return !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

bool IsGsiPieceOf(const std::string& fileName, const std::filesystem::path& document) {
  const std::string own = ReplaceAllNoCase(PathToUtf8(document.filename()), ".xml", ".gsi");
  for (const char* prefix : {"aln_", "crs_", "prf_"}) {
    const std::string_view name = fileName;
    if (name.size() <= own.size() + 4 || !name.starts_with(prefix) || !name.ends_with(own)) continue;
    if (IsDecimal(name.substr(4, name.size() - 4 - own.size()))) return true;
  }
  return false;
}

std::vector<std::filesystem::path> GsiPiecesBeside(const std::filesystem::path& document) {
  const std::filesystem::path folder = document.has_parent_path() ? document.parent_path() : ".";
  std::error_code ec;
  std::vector<std::filesystem::path> pieces;
  // A folder that cannot be listed holds nothing we could remove; writing there fails on its own.
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (IsGsiPieceOf(PathToUtf8(it->path().filename()), document)) pieces.push_back(it->path());
  }
  return pieces;
}

std::filesystem::path DocumentPath(const std::filesystem::path& chosen) {
  std::string name = PathToUtf8(chosen.filename());
  if (ReplaceAllNoCase(name, ".xml", "") != name) return chosen;
  std::filesystem::path document = chosen;
  document += ".xml";
  return document;
}

// Only the file name changes, so a folder whose name holds ".xml" never redirects the copy. The name
// goes through UTF-8 text both ways so that its Turkish letters survive on Windows too.
std::filesystem::path RouteCopyPath(const std::filesystem::path& document) {
  const std::string name = PathToUtf8(document.filename());
  return document.parent_path() / PathFromUtf8(ReplaceAllNoCase(name, ".xml", ".gec"));
}

std::filesystem::path GsiPiecePath(const std::filesystem::path& document, const std::string& prefix, int n) {
  const std::string name = PathToUtf8(document.filename());
  return document.parent_path() / PathFromUtf8(prefix + std::to_string(n) + ReplaceAllNoCase(name, ".xml", ".gsi"));
}

int GsiPieceCount(long records) { return static_cast<int>(records / static_cast<long>(kRecordsPerPiece)) + 1; }

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
  const std::filesystem::path route = workDir / kRouteFile;
  const std::filesystem::path copy = RouteCopyPath(target);
  const bool withRoute = IsFile(route);
  const GsiDelivery gsi[] = {PlanGsi(workDir / kAlignmentGsiFile, "aln_", target),
                             PlanGsi(workDir / kSectionGsiFile, "crs_", target),
                             PlanGsi(workDir / kProfileGsiFile, "prf_", target)};

  // An earlier save under this name may have left more pieces than this one writes; none of them may
  // travel to the instrument with this document.
  const std::vector<std::filesystem::path> stale = GsiPiecesBeside(target);

  // Every name is known before the first file is written or removed, so an output that is one of the
  // conversion's inputs stops Save with nothing touched.
  std::vector<std::filesystem::path> targets = {target};
  if (withRoute) targets.push_back(copy);
  for (const auto& delivery : gsi) targets.insert(targets.end(), delivery.targets.begin(), delivery.targets.end());
  targets.insert(targets.end(), stale.begin(), stale.end());
  RefuseInputClash(targets, inputs);

  // Everything is written before anything is replaced or removed: a failure on the way leaves the
  // previous save's files, old pieces included, as they were.
  StagedFiles staged;
  // Every line of every file we write ends in CR LF, whatever the text came through.
  if (HasCrLfLines(document)) {
    staged.Add(target, document);
  } else {
    std::string lines;
    AppendCrLfLines(lines, document);
    staged.Add(target, lines);
  }
  if (withRoute) {
    LineList routeLines;
    routeLines = platform::ReadLines(route);
    staged.Add(copy, ReduceRouteCopy(routeLines).Bytes());
  }
  for (const auto& delivery : gsi) {
    for (size_t i = 0; i < delivery.pieces.size(); ++i) staged.Add(delivery.targets[i], delivery.pieces[i].Bytes());
  }
  RemoveFiles(stale);
  std::vector<std::filesystem::path> written = staged.PutInPlace();
  for (const auto& delivery : gsi) {
    if (!delivery.source.empty()) RemoveQuietly(delivery.source);
  }
  return written;
}

void RemoveGsiFiles(const std::filesystem::path& workDir) {
  for (const char* name : {kAlignmentGsiFile, kSectionGsiFile, kProfileGsiFile}) RemoveQuietly(workDir / name);
}

}  // namespace velkor
