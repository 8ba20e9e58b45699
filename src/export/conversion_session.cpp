#include "export/conversion_session.h"

#include <optional>

#include "export/saving.h"
#include "import/report_import.h"
#include "import/text_input.h"
#include "platform/platform.h"

namespace velkor {
namespace {

// Passes the front end's answers on and remembers the cross-section file chosen: an input like the
// reports.
class RecordingQuestions : public ConversionQuestions {
 public:
  explicit RecordingQuestions(ConversionQuestions& answers) : answers_(answers) {}

  std::optional<std::filesystem::path> ChooseCrossSectionFile() override {
    chosen_ = answers_.ChooseCrossSectionFile();
    return chosen_;
  }
  const TerrainModel* ReadTerrainModel() override { return answers_.ReadTerrainModel(); }
  const SlopePlan* ReadSlopePlan() override { return answers_.ReadSlopePlan(); }
  std::vector<std::filesystem::path> DrawingsRead() const override { return answers_.DrawingsRead(); }

  const std::optional<std::filesystem::path>& chosen() const { return chosen_; }

 private:
  ConversionQuestions& answers_;
  std::optional<std::filesystem::path> chosen_;
};

}  // namespace

ConversionSession::ConversionSession(const std::filesystem::path& workFolder)
    : run_(platform::CreateRunFolder(workFolder)), folder_(PathFromUtf8(run_->path())) {}

ConversionSession::~ConversionSession() = default;

void ConversionSession::CleanUp(const std::filesystem::path& workFolder) {
  RemoveGsiFiles(workFolder);
  platform::RemoveAbandonedRunFolders(workFolder);
}

void ConversionSession::AcceptReports(const std::filesystem::path& elementTable,
                                      const std::filesystem::path& verticalReport) {
  AcceptedReports accepted = velkor::AcceptReports(elementTable, verticalReport, folder_);
  route_ = std::move(accepted.route);
  suggestedOutputName_ = std::move(accepted.suggestedOutputName);
  reports_.clear();
  for (const auto* report : {&elementTable, &verticalReport})
    if (!report->empty()) reports_.push_back(*report);
}

void ConversionSession::AcceptReports(TextInput& elementTable, TextInput* verticalReport) {
  AcceptedReports accepted = velkor::AcceptReports(elementTable, verticalReport, folder_);
  route_ = std::move(accepted.route);
  suggestedOutputName_ = std::move(accepted.suggestedOutputName);
  reports_ = {elementTable.path()};
  if (verticalReport != nullptr) reports_.push_back(verticalReport->path());
}

const ConversionResult& ConversionSession::Convert(const ConversionOptions& options, ConversionQuestions& questions) {
  ConversionOptions named = options;
  named.suggestedOutputName = suggestedOutputName_;
  RecordingQuestions recording(questions);
  others_.clear();
  result_ = {};
  try {
    result_ = G2X(folder_, route_, named, recording);
  } catch (...) {
    // What was read before the failure is still an input: a second Save must not write over it.
    RememberInputs(recording.chosen(), questions.DrawingsRead());
    throw;
  }
  RememberInputs(recording.chosen(), questions.DrawingsRead());
  return result_;
}

void ConversionSession::RememberInputs(const std::optional<std::filesystem::path>& sections,
                                       const std::vector<std::filesystem::path>& drawings) {
  if (sections) others_.push_back(*sections);
  others_.insert(others_.end(), drawings.begin(), drawings.end());
}

std::vector<std::filesystem::path> ConversionSession::Save(const std::filesystem::path& chosen) {
  std::vector<std::filesystem::path> inputs = reports_;
  inputs.insert(inputs.end(), others_.begin(), others_.end());
  return SaveOutputs(result_.document, chosen, folder_, inputs);
}

}  // namespace velkor
