// The batch converter's run: recognise the reports, accept them, convert, save.
#include "cli/batch_conversion.h"

#include <memory>
#include <new>
#include <string>

#include "base/error.h"
#include "base/input_clash.h"
#include "base/output_file.h"
#include "base/text_fields.h"
#include "cli/drawing_inputs.h"
#include "export/conversion_session.h"
#include "import/route_import.h"
#include "import/text_input.h"
#include "platform/platform.h"
#include "review/conversion_summary.h"
#include "review/plausibility.h"
#include "review/preview_pictures.h"

namespace velkor::cli {

namespace {

constexpr const char* kProgram = "velkor-convert";
constexpr const char* kOnlyReports = "Sadece Eleman Tablosu ve Düşey tanım kabul edilir.";

int Fail(std::ostream& err, const Error& error) {
  std::string where = error.where();
  // Messages and places are UTF-8 from the moment they are made, as a terminal wants them.
  err << (where.empty() ? std::string(kProgram) : where) << ": " << error.message();
  if (!error.reason().empty()) err << ": " << error.reason();
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

  const TerrainModel* model() const { return model_ ? &*model_ : nullptr; }

  std::vector<std::filesystem::path> DrawingsRead() const override {
    std::vector<std::filesystem::path> drawings;
    if (model_) drawings.push_back(*request_.model);
    if (plan_) drawings.push_back(*request_.slopePlan);
    return drawings;
  }

 private:
  const BatchRequest& request_;
  std::optional<TerrainModel> model_;
  std::optional<SlopePlan> plan_;
};

void WriteWholeFile(const std::filesystem::path& file, const std::string& bytes) {
  OutputFile output(file, Replace::WhenComplete);
  output.Write(bytes);
  output.Close();
}

// The summary after the files written, the warnings with their places, and what was asked beside them.
int Report(const BatchRequest& request, const ConversionSession& session, const CommandLineAnswers& answers,
           const std::filesystem::path& chosen, std::ostream& out, std::ostream& err) {
  const ConversionFacts& facts = session.result().facts;
  const std::vector<Warning> warnings = CheckConversion(session.route(), facts);
  const ConversionSummary summary = BuildSummary(session.route(), facts, chosen);
  out << "\n" << SummaryText(summary, warnings, false);
  for (const Warning& w : warnings) {
    err << (w.place.empty() ? std::string(kProgram) : w.place) << ": uyarı: " << w.text << "\n";
  }
  if (request.summaryJson) {
    WriteWholeFile(*request.summaryJson, SummaryJson(summary, warnings));
    out << PathToUtf8(*request.summaryJson) << "\n";
  }
  if (request.previewDir) {
    std::error_code ec;
    std::filesystem::create_directories(*request.previewDir, ec);
    const std::filesystem::path plan = *request.previewDir / "plan.svg", profile = *request.previewDir / "profile.svg";
    WriteWholeFile(plan, PictureSvg(PlanPicture(facts, answers.model()), "Plan", true));
    WriteWholeFile(profile, PictureSvg(ProfilePicture(session.route()), "Boykesit", false));
    out << PathToUtf8(plan) << "\n" << PathToUtf8(profile) << "\n";
  }
  return request.strict && !warnings.empty() ? kWarnings : kSuccess;
}

// The files beside the conversion that the request names, which must not be any of its inputs.
void RefuseReportClashes(const BatchRequest& request) {
  std::vector<std::filesystem::path> targets, inputs = request.reports;
  if (request.summaryJson) targets.push_back(*request.summaryJson);
  if (request.previewDir) {
    targets.push_back(*request.previewDir / "plan.svg");
    targets.push_back(*request.previewDir / "profile.svg");
  }
  for (const auto* input : {&request.crossSections, &request.model, &request.slopePlan}) {
    if (*input) inputs.push_back(**input);
  }
  RefuseInputClash(targets, inputs);
}

int Run(const BatchRequest& request, std::ostream& out, std::ostream& err) {
  try {
    RefuseReportClashes(request);
  } catch (Error& e) {
    return Fail(err, e);
  }
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
      ConversionSession::CleanUp(workFolder);
    }
    // A folder of this run's own: runs side by side never touch each other's files.
    ConversionSession session(workFolder);
    session.AcceptReports(*table, vertical.get());

    ConversionOptions options;
    options.crossSections = request.crossSections.has_value();
    options.model = request.model.has_value();
    options.slopePlan = request.slopePlan.has_value();
    CommandLineAnswers answers(request);
    const ConversionResult& result = session.Convert(options, answers);
    std::filesystem::path chosen = request.output ? *request.output : PathFromUtf8(result.documentName);
    for (const auto& file : session.Save(chosen)) out << PathToUtf8(file) << "\n";
    return Report(request, session, answers, chosen, out, err);
  } catch (Error& e) {
    return Fail(err, e);
  }
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
