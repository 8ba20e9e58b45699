#include "import/report_reader.h"

namespace velkor {

ReportReader::ReportReader(TextInput& report, const std::filesystem::path& copy) : report_(report), copy_(copy) {}

bool ReportReader::Next(std::string& line) {
  ++reads_;
  if (!report_.ReadLine(line)) return false;
  copy_.stream() << line << report_.ending();
  return true;
}

std::string ReportReader::Read() {
  std::string line;
  if (!Next(line)) line.clear();
  return line;
}

void ReportReader::FinishAfterFailure() noexcept {
  try {
    Finish();
  } catch (const std::exception&) {
    // The copy stays as far as it got; the failure before is the one the user needs.
  }
}

void ReportReader::Finish() {
  std::string line;
  while (report_.ReadLine(line)) copy_.stream() << line << report_.ending();
  copy_.Close();
}

}  // namespace velkor
