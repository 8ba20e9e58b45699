// Sample vertical definition reports from exact profiles.
#include "lib/vertical_report_writer.h"

#include <initializer_list>
#include <vector>

#include "base/number_text.h"
#include "base/text_fields.h"

namespace velkor::samples {
namespace {

constexpr char kRule = '\xB3';
// Widths of the four cells: point, chainage, elevation, grade.
constexpr int kWidths[4] = {12, 13, 11, 12};

std::string Border(char left, char middle, char right) {
  std::string line(1, left);
  for (int i = 0; i < 4; ++i) {
    line += std::string(static_cast<size_t>(kWidths[i]), '\xC4');
    line += i < 3 ? middle : right;
  }
  return line;
}

// Each cell is a blank and its text, filled with blanks to the cell width; a longer text widens it.
std::string Row(std::initializer_list<std::string> cells) {
  std::string line(1, kRule);
  int i = 0;
  for (const std::string& text : cells) {
    std::string cell = text.empty() ? std::string() : " " + text;
    if (static_cast<int>(cell.size()) < kWidths[i]) cell.append(static_cast<size_t>(kWidths[i]) - cell.size(), ' ');
    line += cell;
    line += kRule;
    ++i;
  }
  return line;
}

std::string Number(double value) { return FormatFixed(value, 3); }

}  // namespace

std::string WriteVerticalReport(const ExactProfile& profile, const VerticalReportOptions& options) {
  const std::string entry = "\xDEK G\xDDR\xDD\xDE";  // ŞK GİRİŞ
  const std::string vertex = "\xDEK SOME";           // ŞK SOME
  const std::string exit = "\xDEK \xC7IKI\xDE";      // ŞK ÇIKIŞ
  std::vector<std::string> lines;
  lines.push_back(
      "NetCAD D\xFC\xFE"
      "ey Tan\xFDm Raporu   G\xFCzergah: " +
      options.routeName);
  lines.push_back(Border('\xDA', '\xC2', '\xBF'));
  lines.push_back(std::string(1, kRule) + " Nokta      " + kRule + " KM          " + kRule + " Kot       " + kRule +
                  "  E\xF0im (%)  " + kRule);
  lines.push_back(Border('\xC3', '\xC5', '\xB4'));
  lines.push_back(Row({"P.B", FormatChainage(profile.startChainage), Number(profile.startElevation), ""}));
  for (const ExactCurve& c : Curves(profile)) {
    lines.push_back(Row({entry, FormatChainage(c.entryChainage), Number(c.entryElevation), Number(c.entryGrade)}));
    lines.push_back(Row({vertex, FormatChainage(c.vertexChainage), Number(c.vertexElevation), ""}));
    if (options.withRadius) {
      lines.push_back(Row({"", "L=" + Number(c.length), "R=" + Number(100 * c.k), "K=" + Number(c.k)}));
    } else {
      lines.push_back(Row({"", "L=" + Number(c.length), "K=" + Number(c.k), ""}));
    }
    lines.push_back(Row({exit, FormatChainage(c.exitChainage), Number(c.exitElevation), Number(c.exitGrade)}));
  }
  lines.push_back(Row({"P.S", FormatChainage(profile.endChainage), Number(profile.endElevation), ""}));
  lines.push_back(Border('\xC0', '\xC1', '\xD9'));
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

}  // namespace velkor::samples
