// The batch converter's run: recognise the reports, accept them, convert, save.
#include "cli/batch_conversion.h"

#include <memory>
#include <new>
#include <string>

#include "base/error.h"
#include "base/text_fields.h"
#include "cli/drawing_inputs.h"
#include "export/conversion_driver.h"
#include "export/saving.h"
#include "import/report_import.h"
#include "import/route_import.h"
#include "import/text_input.h"
#include "platform/platform.h"

namespace velkor::cli {

namespace {

constexpr const char* kProgram = "velkor-convert";
constexpr const char* kOnlyReports = "Sadece Eleman Tablosu ve Düşey tanım kabul edilir.";

bool IsUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t length = c < 0x80                 ? 1
                    : c >= 0xC2 && c <= 0xDF ? 2
                    : c >= 0xE0 && c <= 0xEF ? 3
                    : c >= 0xF0 && c <= 0xF4 ? 4
                                             : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

// Messages quote report text, which is code page 1254; the terminal wants UTF-8.
std::string ForTerminal(const std::string& text) { return IsUtf8(text) ? text : Cp1254ToUtf8(text); }

int Fail(std::ostream& err, const Error& error) {
  std::string where = error.where();
  err << ForTerminal(where.empty() ? std::string(kProgram) : where) << ": " << ForTerminal(error.message());
  if (!error.reason().empty()) err << ": " << ForTerminal(error.reason());
  err << "\n";
  return kConversionError;
}

int Usage(std::ostream& err, const std::string& message) {
  err << kProgram << ": " << message << "\n";
  return kBadUsage;
}

// Why the name given to --output cannot be a document's name; empty when it can. Without a name
// of its own the outputs would be hidden files called ".xml", ".gec" and "aln_1.gsi".
std::string UnusableOutputName(const std::filesystem::path& output) {
  const std::string name = PathToUtf8(output.filename());
  std::error_code ec;
  if (name.empty() || name == "." || name == ".." || std::filesystem::is_directory(output, ec)) {
    return "names a folder, not a document";
  }
  if (ReplaceAllNoCase(name, ".xml", "").empty()) return "the document needs a name before \".xml\"";
  return {};
}

// Every file the run reads; none of them may be written over.
std::vector<std::filesystem::path> Inputs(const BatchRequest& request) {
  std::vector<std::filesystem::path> inputs = request.reports;
  for (const auto* optional : {&request.crossSections, &request.model, &request.slopePlan}) {
    if (*optional) inputs.push_back(**optional);
  }
  return inputs;
}

// Answers the driver's questions with the files named on the command line.
class CommandLineAnswers : public ConversionQuestions {
 public:
  explicit CommandLineAnswers(const BatchRequest& request) : request_(request) {}

  std::optional<std::filesystem::path> ChooseCrossSectionFile() override { return request_.crossSections; }

  const TerrainModel* ReadTerrainModel() override {
    if (!request_.model) return nullptr;
    model_ = ReadModelDrawing(*request_.model);
    return &*model_;
  }

  const SlopePlan* ReadSlopePlan() override {
    if (!request_.slopePlan) return nullptr;
    plan_ = ReadSlopePlanDrawing(*request_.slopePlan);
    return &*plan_;
  }

 private:
  const BatchRequest& request_;
  std::optional<TerrainModel> model_;
  std::optional<SlopePlan> plan_;
};

int Run(const BatchRequest& request, std::ostream& out, std::ostream& err) {
  if (request.output) {
    if (std::string why = UnusableOutputName(*request.output); !why.empty()) {
      return Usage(err, "--output " + PathToUtf8(*request.output) + ": " + why);
    }
  }
  // Each report is opened once: recognised by its first lines, then converted from the same reading.
  std::unique_ptr<TextInput> table;
  std::unique_ptr<TextInput> vertical;
  for (const auto& report : request.reports) {
    std::unique_ptr<TextInput> input;
    ReportKind kind;
    try {
      input = std::make_unique<TextInput>(report);
      kind = RecognizeReport(*input);
    } catch (Error& e) {
      return Fail(err, e.at(PathToUtf8(report)));
    }
    if (kind == ReportKind::Other) return Fail(err, Error(kOnlyReports, PathToUtf8(report)));
    std::unique_ptr<TextInput>& slot = kind == ReportKind::ElementTable ? table : vertical;
    if (slot) {
      return Usage(err, std::string(kind == ReportKind::ElementTable ? "more than one element table: "
                                                                     : "more than one vertical definition report: ") +
                            PathToUtf8(report));
    }
    slot = std::move(input);
  }
  if (!table) return Usage(err, "no horizontal element table among the reports");

  try {
    std::filesystem::path workFolder;
    if (request.workDir) {
      // Only the folder itself must be private; the folders above it are the user's business.
      std::error_code ec;
      if (request.workDir->has_parent_path()) std::filesystem::create_directories(request.workDir->parent_path(), ec);
      platform::EnsurePrivateFolder(*request.workDir);
      workFolder = *request.workDir;
    } else {
      workFolder = PathFromUtf8(platform::PrivateWorkFolder());
      // What crashed runs left behind; a folder the user names holds nothing of ours to clear.
      platform::RemoveAbandonedRunFolders(workFolder);
    }
    // A folder of this run's own: runs side by side never touch each other's files.
    const auto run = platform::CreateRunFolder(workFolder);
    const std::filesystem::path workDir = PathFromUtf8(run->path());

    ConversionOptions options;
    options.crossSections = request.crossSections.has_value();
    options.model = request.model.has_value();
    options.slopePlan = request.slopePlan.has_value();
    options.suggestedOutputName = AcceptReports(*table, vertical.get(), workDir);

    CommandLineAnswers answers(request);
    ConversionResult result = G2X(workDir, options, answers);
    std::filesystem::path chosen = request.output ? *request.output : PathFromUtf8(result.documentName);
    for (const auto& file : SaveOutputs(result.document, chosen, workDir, Inputs(request)))
      out << PathToUtf8(file) << "\n";
  } catch (Error& e) {
    return Fail(err, e);
  }
  return kSuccess;
}

}  // namespace

int RunBatch(const BatchRequest& request, std::ostream& out, std::ostream& err) {
  try {
    return Run(request, out, err);
  } catch (const std::bad_alloc&) {
    return Fail(err, Error("Not enough memory for this conversion"));
  } catch (const std::exception& e) {
    // A file system refusal below our own checks, or anything else unforeseen: a message, never a crash.
    return Fail(err, Error(e.what()));
  } catch (...) {
    return Fail(err, Error("Unexpected failure"));
  }
}

}  // namespace velkor::cli
