// A report read once, line by line, each line also going byte for byte into its copy in the work
// folder (tmp.cks), so that the copy is whole without reading the user's file a second time.
#pragma once

#include <filesystem>
#include <string>

#include "base/output_file.h"
#include "import/text_input.h"

namespace velkor {

class ReportReader {
 public:
  ReportReader(TextInput& report, const std::filesystem::path& copy);

  // The next line; false at the end of the report.
  bool Next(std::string& line);
  // The next line, or an empty one past the end, as reading a text file gives.
  std::string Read();
  bool AtEnd() { return report_.PeekLine(0) == nullptr; }
  // The 1-based number of the line read last, reads past the end included.
  long LineNumber() const { return reads_; }
  // Copies what is left and puts the copy in place.
  void Finish();
  // The same after a conversion failure, so that the copy stays whole whatever the conversion made
  // of the report; throws nothing over the failure being reported.
  void FinishAfterFailure() noexcept;

 private:
  TextInput& report_;
  OutputFile copy_;
  long reads_ = 0;
};

}  // namespace velkor
