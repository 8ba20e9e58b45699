// One batch conversion: what the desktop program does from Open to Save, without windows.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

namespace velkor::cli {

struct BatchRequest {
  std::vector<std::filesystem::path> reports;
  std::optional<std::filesystem::path> crossSections;
  std::optional<std::filesystem::path> model;
  std::optional<std::filesystem::path> slopePlan;
  std::optional<std::filesystem::path> output;
  std::optional<std::filesystem::path> workDir;
  bool strict = false;                              // a warning ends with kWarnings
  std::optional<std::filesystem::path> previewDir;  // plan.svg and profile.svg go there
  std::optional<std::filesystem::path> summaryJson;
};

enum ExitCode { kSuccess = 0, kConversionError = 1, kBadUsage = 2, kWarnings = 3 };

// Runs the conversion; the files written go to `out`, one per line, then the summary; failures and
// warnings go to `err`. Anything unforeseen (running out of memory included) also ends as a message
// and kConversionError.
int RunBatch(const BatchRequest& request, std::ostream& out, std::ostream& err);

}  // namespace velkor::cli
