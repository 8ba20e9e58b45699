// One conversion, from the import dialog's OK to Save, as both front ends run it: the desktop program
// answers the session's questions with its dialogs, velkor-convert with the files it was given, so the
// two cannot diverge. The session owns the run's own work folder, the route the reports became, the
// document and everything Save needs.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "export/conversion_driver.h"
#include "import/route_file.h"

namespace velkor {

class TextInput;
namespace platform {
class RunFolder;
}

class ConversionSession {
 public:
  // Makes the run's own folder inside `workFolder` (the per-user work folder or one the user named),
  // removed with everything in it when the session ends.
  explicit ConversionSession(const std::filesystem::path& workFolder);
  ~ConversionSession();
  ConversionSession(const ConversionSession&) = delete;
  ConversionSession& operator=(const ConversionSession&) = delete;

  // What earlier runs left in a work folder: their GSI files and the folders of runs that ended
  // without removing them. Folders of conversions running now stay.
  static void CleanUp(const std::filesystem::path& workFolder);

  // The run's folder, where the work files go.
  const std::filesystem::path& folder() const { return folder_; }

  // The import dialog's OK: the element table (required) and the vertical report (may be empty) become
  // the route and the route file. Converting again replaces what an earlier OK made.
  void AcceptReports(const std::filesystem::path& elementTable, const std::filesystem::path& verticalReport);
  // The same with reports already open and recognised, each read once; `verticalReport` may be null.
  void AcceptReports(TextInput& elementTable, TextInput* verticalReport);
  const Route& route() const { return route_; }
  // The element table's path with ".cks" -> ".gec"; empty before the reports are accepted.
  const std::string& suggestedOutputName() const { return suggestedOutputName_; }

  // The conversion (G2X): the optional sections asked of `questions`, the document assembled.
  const ConversionResult& Convert(const ConversionOptions& options, ConversionQuestions& questions);
  // The document as Save writes it (UTF-8); empty before Convert.
  const std::string& document() const { return result_.document; }
  // The last conversion: the document and what went into it.
  const ConversionResult& result() const { return result_; }

  // Save: the document beside `chosen`, the route copy and the GSI pieces. Returns every file written.
  std::vector<std::filesystem::path> Save(const std::filesystem::path& chosen);

 private:
  void RememberInputs(const std::optional<std::filesystem::path>& sections,
                      const std::vector<std::filesystem::path>& drawings);

  std::unique_ptr<platform::RunFolder> run_;
  std::filesystem::path folder_;
  Route route_;
  std::string suggestedOutputName_;
  ConversionResult result_;
  // Every file the conversion read, which Save never writes over: the reports, and the cross-section
  // file and drawings of the last conversion.
  std::vector<std::filesystem::path> reports_;
  std::vector<std::filesystem::path> others_;
};

}  // namespace velkor
