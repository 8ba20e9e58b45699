// Which report a chosen file is: its third line holds the heading cell that only that report prints.
#include "base/error.h"
#include "import/route_import.h"

namespace velkor {
namespace {

constexpr const char* kElementHeading =
    "\xB3"
    "ELEMAN \xB3";
// "  Eğim (%)  " between two column rules; the ğ is code page 1254.
constexpr const char* kGradeHeading = "\xB3  E\xF0im (%)  \xB3";

}  // namespace

ReportKind RecognizeReport(TextInput& report) {
  const std::string* heading = report.PeekLine(2);
  if (heading == nullptr) throw Error(IndexOutOfBounds(2));
  if (heading->find(kElementHeading) != std::string::npos) return ReportKind::ElementTable;
  if (heading->find(kGradeHeading) != std::string::npos) return ReportKind::VerticalReport;
  return ReportKind::Other;
}

ReportKind RecognizeReport(const std::filesystem::path& file) {
  TextInput report(file);
  return RecognizeReport(report);
}

}  // namespace velkor
