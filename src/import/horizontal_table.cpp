// The horizontal element table -> the route's points, one per table row, then the clothoid parameter
// of every spiral point.
#include <cmath>
#include <filesystem>
#include <optional>
#include <vector>

#include "base/error.h"
#include "base/input_clash.h"
#include "base/number_text.h"
#include "base/plane_geometry.h"
#include "base/text_fields.h"
#include "import/report_reader.h"
#include "import/route_file.h"
#include "import/route_import.h"
#include "import/work_files.h"
#include "platform/platform.h"

namespace velkor {
namespace {

constexpr char kColumnRule = '\xB3';
constexpr char kRowRule = '\xC3';
constexpr const char* kEndRow = "\xB3PS\xB3";

// Where a failure is reported: the user's own file (not the copy) and a 1-based line in it.
using Place = SourcePlace;

double NumberAt(const std::string& text, const Place& place) {
  try {
    return ParseFloat(text);
  } catch (Error& e) {
    e.at(place.file, place.line);
    throw;
  }
}

std::string WithoutColumnRules(std::string line) {
  for (char& c : line) {
    if (c == kColumnRule) c = ' ';
  }
  return ReplaceAll(line, "+", "");
}

// The arc's turning sense from the two extra points its row prints: seen from the arc's start,
// a third point clockwise of the second means a clockwise arc.
// The row's third point, the arc's middle, goes to `middle`.
std::string SignedRadius(const std::string& easting, const std::string& northing, const std::string& value,
                         ReportReader& reader, const Place& firstLine, PlanePoint& middle) {
  double e1 = NumberAt(easting, firstLine), n1 = NumberAt(northing, firstLine);

  std::string second = WithoutColumnRules(reader.Read());
  Place secondPlace{firstLine.file, reader.LineNumber()};
  for (int skip = 0; skip < 3; ++skip) NextField(second);
  std::string e2Text = NextField(second), n2Text = NextField(second);
  double e2 = NumberAt(e2Text, secondPlace), n2 = NumberAt(n2Text, secondPlace);

  std::string third = WithoutColumnRules(reader.Read());
  Place thirdPlace{firstLine.file, reader.LineNumber()};
  NextField(third);
  std::string e3Text = NextField(third), n3Text = NextField(third);
  double e3 = NumberAt(e3Text, thirdPlace), n3 = NumberAt(n3Text, thirdPlace);
  middle = {e3, n3};

  double d = Azimuth(e1, n1, e3, n3) - Azimuth(e1, n1, e2, n2);
  if (d < 0) d += 400;
  double sign = d > 200 ? -1.0 : 1.0;
  return FixedNumber(NumberAt(value, firstLine) * sign);
}

// The text after the first four fields of a point's route line, where the spiral export reads a
// neighbour's radius: its value, and for a spiral point already given its parameter, that too.
std::string TextAfterPosition(const PointRecord& point) {
  std::string rest = FormatPointLine(point);
  for (int skip = 0; skip < 4; ++skip) NextField(rest);
  return rest;
}

}  // namespace

void AddSpiralParameters(std::vector<PointRecord>& points) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    PointRecord& point = points[i];
    // A spiral takes its radius from the curve beside it: the one it leads into, or the one it leaves.
    std::size_t neighbour;
    if (point.code == "TS" || point.code == "SS") {
      neighbour = i + 1;
    } else if (point.code == "CS") {
      neighbour = i - 1;
    } else {
      continue;
    }
    // A spiral at either end of the table has no curve beside it, and no number where its radius
    // would be.
    if (neighbour >= points.size()) throw Error(NotAFloat(""), point.origin.file, point.origin.line);
    const PointRecord& curve = points[neighbour];
    double radius = NumberAt(TextAfterPosition(curve), curve.origin);
    double length = NumberAt(point.value, point.origin);
    double product = std::fabs(radius) * length;
    if (!(product >= 0)) throw Error(kInvalidFloatOperation, point.origin.file, point.origin.line);
    point.clothoidA = FixedNumber(std::sqrt(product));
  }
}

void ConvertHorizontal(const std::filesystem::path& report, const std::filesystem::path& workDir, Route& route) {
  TextInput input(report);
  ConvertHorizontal(input, workDir, route);
}

void ConvertHorizontal(TextInput& report, const std::filesystem::path& workDir, Route& route) {
  RefuseInputClash({workDir / kReportCopyFile, workDir / kRouteFile}, {report.path()});
  const std::string reportName = PathToUtf8(report.path().filename());
  ReportReader reader(report, workDir / kReportCopyFile);
  std::vector<PointRecord> points;
  try {
    reader.Read();
    reader.Read();
    if (reader.Read().find("ELEMAN") == std::string::npos) {
      reader.Finish();
      return;
    }
    while (!reader.AtEnd()) {
      std::string line = reader.Read();
      Place place{reportName, reader.LineNumber()};
      if (line.find(kEndRow) != std::string::npos) {
        line = WithoutColumnRules(ReplaceAllNoCase(line, "PS", "PE"));
        std::string code = NextField(line), chainage = NextField(line), easting = NextField(line),
                    northing = NextField(line);
        std::string station = FormatChainage(NumberAt(chainage, place));
        points.push_back(MakePointRecord(std::move(code), std::move(station), std::move(easting), std::move(northing),
                                         "0.000", place));
        break;
      }
      if (line.empty() || line[0] != kRowRule) continue;

      std::string row = WithoutColumnRules(reader.Read());
      place.line = reader.LineNumber();
      row = ReplaceAllNoCase(ReplaceAllNoCase(row, "L=", " "), "R=", " ");
      std::string name = NextField(row), code = NextField(row), chainage = NextField(row), easting = NextField(row),
                  northing = NextField(row), value = NextField(row);
      // Straights (DOĞRU) print their length in the value cell; a straight starts with no size.
      if (name.find_first_of("\xD0\xF0") != std::string::npos) value = "0.000";
      std::string station = FormatChainage(NumberAt(chainage, place));
      std::optional<PlanePoint> middle;
      if (name == "YAY") value = SignedRadius(easting, northing, value, reader, place, middle.emplace());
      // The value goes into the document and the GSI records as it stands, like the coordinates
      // (which the record reads), so it must be a number too.
      PointRecord point = MakePointRecord(std::move(code), std::move(station), std::move(easting), std::move(northing),
                                          std::move(value), place);
      NumberAt(point.value, place);
      point.arcMiddle = middle;
      points.push_back(std::move(point));
    }
  } catch (...) {
    reader.FinishAfterFailure();
    throw;
  }
  reader.Finish();
  AddSpiralParameters(points);
  route.horizontal = true;
  route.points = std::move(points);
}

}  // namespace velkor
