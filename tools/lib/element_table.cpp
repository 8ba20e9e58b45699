// The element table layout: one cell per column between 0xB3 rules, a 0xC3 rule before each row.
#include "element_table.h"

#include <array>
#include <cmath>
#include <sstream>

#include "base/number_text.h"
#include "base/text_fields.h"

namespace velkor::samples {
namespace {

constexpr std::array<std::size_t, 6> kWidths = {7, 7, 13, 16, 16, 13};

// Border rows: left corner, fill, junction, right corner.
std::string Border(char left, char junction, char right) {
  std::string line(1, left);
  for (std::size_t c = 0; c < kWidths.size(); ++c) {
    line += std::string(kWidths[c], '\xC4');
    line += c + 1 < kWidths.size() ? junction : right;
  }
  return line;
}

// Cells are left-aligned; all but the first start with a blank. A text longer than its cell widens it.
std::string Cell(std::size_t column, const std::string& content) {
  std::string text = column == 0 ? content : " " + content;
  if (text.size() < kWidths[column]) text += std::string(kWidths[column] - text.size(), ' ');
  return text + "\xB3";
}

std::string Row(const std::array<std::string, 6>& cells) {
  std::string line = "\xB3";
  for (std::size_t c = 0; c < cells.size(); ++c) line += Cell(c, cells[c]);
  return line;
}

std::string Coord(double v) { return FixedNumber(v); }

const char* kStraight = "DO\xD0RU";  // DOĞRU
const char* kSpiral =
    "KLOTO\xDD"
    "D";  // KLOTOİD
const char* kArc = "YAY";
const char* kAngle = "A\xE7\xFD";  // Açı

}  // namespace

void WriteElementTable(const RouteModel& route, const std::string& routeName, std::ostream& out) {
  auto line = [&out](const std::string& text) { out << text << "\r\n"; };
  line("NetCAD Yatay G\xFCzergah Eleman Tablosu   G\xFCzergah: " + routeName);
  line(Border('\xDA', '\xC2', '\xBF'));
  line(Row({"ELEMAN ", "NOKTA ", "KM",
            "Y (Sa\xF0"
            "a)",
            "X (Yukar\xFD)",
            "DE\xD0"
            "ER"}));
  const auto& elements = route.Elements();
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const RouteElement& el = elements[i];
    line(Border('\xC3', '\xC5', '\xB4'));
    std::string station = FormatChainage(el.station);
    std::string e = Coord(el.start.e), n = Coord(el.start.n);
    switch (el.kind) {
      case RouteElementKind::Line:
        line(Row({kStraight, el.code, station, e, n, "L=" + FixedNumber(el.length)}));
        break;
      case RouteElementKind::SpiralIn:
      case RouteElementKind::SpiralOut:
        line(Row({kSpiral, el.code, station, e, n, "L=" + FixedNumber(el.length)}));
        break;
      case RouteElementKind::Arc: {
        EnPoint pi = route.TangentIntersection(i), mid = route.MidPoint(i);
        double tangent = el.radius * std::tan(el.length / el.radius / 2);
        line(Row({kArc, el.code, station, e, n, "R=" + FixedNumber(el.radius)}));
        line(Row({kAngle, "PI", "T=" + FixedNumber(tangent), Coord(pi.e), Coord(pi.n), ""}));
        line(Row({"", "YO", "", Coord(mid.e), Coord(mid.n), ""}));
        break;
      }
    }
  }
  RoutePose end = route.End();
  // The end row's code cell holds just "PS", rule to rule.
  line("\xB3" + Cell(0, "") + "PS\xB3" + Cell(2, FormatChainage(route.EndStation())) + Cell(3, Coord(end.e)) +
       Cell(4, Coord(end.n)) + Cell(5, ""));
  line(Border('\xC0', '\xC1', '\xD9'));
}

std::string ElementTableReport(const RouteModel& route, const std::string& routeName) {
  std::ostringstream out;
  WriteElementTable(route, routeName, out);
  return out.str();
}

}  // namespace velkor::samples
