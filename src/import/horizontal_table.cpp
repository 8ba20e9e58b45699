// The horizontal element table -> the horizontal section of the route file, one point line per
// table row, then the clothoid parameter on every spiral point line.
#include <cmath>
#include <filesystem>
#include <vector>

#include "base/error.h"
#include "base/input_clash.h"
#include "base/number_text.h"
#include "base/output_file.h"
#include "base/plane_geometry.h"
#include "base/text_fields.h"
#include "import/report_reader.h"
#include "import/route_file.h"
#include "import/route_import.h"
#include "platform/platform.h"

namespace velkor {
namespace {

constexpr char kColumnRule = '\xB3';
constexpr char kRowRule = '\xC3';
constexpr const char* kEndRow = "\xB3PS\xB3";

// Where a failure is reported: the user's own file (not the copy) and a 1-based line in it.
struct Place {
  std::string file;
  long line = 0;
};

double NumberAt(const std::string& text, const Place& place) {
  try {
    return ParseFloat(text);
  } catch (Error& e) {
    e.at(place.file, place.line);
    throw;
  }
}

// A text that goes into the route file as it stands, and from there into the document and the GSI
// records, must be a number; it is checked here, where the user's report line is known.
void CheckedNumber(const std::string& text, const Place& place) { NumberAt(text, place); }

std::string WithoutColumnRules(std::string line) {
  for (char& c : line) {
    if (c == kColumnRule) c = ' ';
  }
  return ReplaceAll(line, "+", "");
}

class RouteWriter {
 public:
  explicit RouteWriter(const std::filesystem::path& file) : out_(file) {}
  void Line(const std::string& text) { out_.stream() << text << "\r\n"; }
  void Close() { out_.Close(); }

 private:
  OutputFile out_;
};

// The arc's turning sense from the two extra points its row prints: seen from the arc's start,
// a third point clockwise of the second means a clockwise arc.
std::string SignedRadius(const std::string& easting, const std::string& northing, const std::string& value,
                         ReportReader& reader, const Place& firstLine) {
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

  double d = Azimuth(e1, n1, e3, n3) - Azimuth(e1, n1, e2, n2);
  if (d < 0) d += 400;
  double sign = d > 200 ? -1.0 : 1.0;
  return FixedNumber(NumberAt(value, firstLine) * sign);
}

// `origins` (optional) gives, per body line, the place its values came from, so that a failure
// points into the user's report rather than into the route file.
void ExtendSpiralLines(const std::filesystem::path& workDir, LineList& lines, const std::vector<Place>* origins) {
  const std::filesystem::path routeFile = workDir / kRouteFileName;
  lines = platform::ReadLines(routeFile);
  auto placeOf = [&](long index) {
    if (origins && index >= 2 && index - 2 < static_cast<long>(origins->size())) return (*origins)[index - 2];
    return Place{kRouteFileName, index + 1};
  };
  for (long i = 2; i <= lines.size() - 2; ++i) {
    std::string line = lines.at(i);
    std::string code = NextField(line), chainage = NextField(line), easting = NextField(line),
                northing = NextField(line), value = NextField(line);
    long neighbour;
    if (code == "TS" || code == "SS") {
      neighbour = i + 1;
    } else if (code == "CS") {
      neighbour = i - 1;
    } else {
      continue;
    }
    std::string rest = lines.at(neighbour);
    for (int skip = 0; skip < 4; ++skip) NextField(rest);
    double radius = NumberAt(rest, placeOf(neighbour));
    double length = NumberAt(value, placeOf(i));
    double product = std::fabs(radius) * length;
    if (!(product >= 0)) {
      Place place = placeOf(i);
      throw Error(kInvalidFloatOperation, place.file, place.line);
    }
    lines.at(i) = "  " + code + PadLeft(chainage) + PadLeft(easting) + PadLeft(northing) + PadLeft(value) +
                  PadLeft(FixedNumber(std::sqrt(product))) + " ORTA";
  }
  lines.Save(routeFile);
}

}  // namespace

void ConvertHorizontal(const std::filesystem::path& report, const std::filesystem::path& workDir, LineList& lines) {
  TextInput input(report);
  ConvertHorizontal(input, workDir, lines);
}

void ConvertHorizontal(TextInput& report, const std::filesystem::path& workDir, LineList& lines) {
  RefuseInputClash({workDir / kReportCopyName, workDir / kRouteFileName}, {report.path()});
  const std::string reportName = PathToUtf8(report.path().filename());
  ReportReader reader(report, workDir / kReportCopyName);
  std::vector<Place> origins;
  try {
    reader.Read();
    reader.Read();
    if (reader.Read().find("ELEMAN") == std::string::npos) {
      reader.Finish();
      return;
    }
    RouteWriter route(workDir / kRouteFileName);
    route.Line(kHorizontalMarker);
    route.Line("{");
    while (!reader.AtEnd()) {
      std::string line = reader.Read();
      Place place{reportName, reader.LineNumber()};
      if (line.find(kEndRow) != std::string::npos) {
        line = WithoutColumnRules(ReplaceAllNoCase(line, "PS", "PE"));
        std::string code = NextField(line), chainage = NextField(line), easting = NextField(line),
                    northing = NextField(line);
        const std::string station = FormatChainage(NumberAt(chainage, place));
        CheckedNumber(easting, place);
        CheckedNumber(northing, place);
        route.Line(PointLine(code, station, easting, northing, "0.000"));
        origins.push_back(place);
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
      const std::string station = FormatChainage(NumberAt(chainage, place));
      if (name == "YAY") value = SignedRadius(easting, northing, value, reader, place);
      // The texts go into the route file as they stand, so they are checked in the order they stand.
      CheckedNumber(easting, place);
      CheckedNumber(northing, place);
      CheckedNumber(value, place);
      route.Line(PointLine(code, station, easting, northing, value));
      origins.push_back(place);
    }
    route.Line("}");
    route.Close();
  } catch (...) {
    // The route file, written in place, keeps what was converted before the failure.
    reader.FinishAfterFailure();
    throw;
  }
  reader.Finish();
  ExtendSpiralLines(workDir, lines, &origins);
}

void AddSpiralParameters(const std::filesystem::path& workDir, LineList& lines) {
  ExtendSpiralLines(workDir, lines, nullptr);
}

}  // namespace velkor
