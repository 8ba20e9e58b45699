#include "import/route_file.h"

#include "base/error.h"
#include "base/number_text.h"
#include "base/text_fields.h"

namespace velkor {
namespace {

constexpr int kFieldWidth = 15;
// The saved copy keeps a spiral point up to its value (two blanks, a two-letter code, four fields) and
// a profile point up to its curve length (a chainage of nine, three fields).
constexpr std::size_t kCopiedPointColumns = 2 + 2 + 4 * kFieldWidth;
constexpr std::size_t kCopiedProfileColumns = 40;

bool Contains(const std::string& line, const char* word) { return line.find(word) != std::string::npos; }

const char* TagText(ProfileTag tag) {
  switch (tag) {
    case ProfileTag::Entry:
      return kTagEntry;
    case ProfileTag::Exit:
      return kTagExit;
    case ProfileTag::Point:
      break;
  }
  return kTagMene;
}

double NumberAt(const std::string& text, const SourcePlace& place) {
  try {
    return ParseFloat(text);
  } catch (Error& e) {
    e.at(place.file, place.line);
    throw;
  }
}

}  // namespace

PointRecord MakePointRecord(std::string code, std::string chainage, std::string easting, std::string northing,
                            std::string value, SourcePlace origin) {
  PointRecord p;
  p.station = NumberAt(NormalizeChainage(chainage), origin);
  p.e = NumberAt(easting, origin);
  p.n = NumberAt(northing, origin);
  p.code = std::move(code);
  p.chainage = std::move(chainage);
  p.easting = std::move(easting);
  p.northing = std::move(northing);
  p.value = std::move(value);
  p.origin = std::move(origin);
  return p;
}

std::string FormatPointLine(const PointRecord& point) {
  std::string line = "  " + point.code + PadLeft(point.chainage, kFieldWidth) + PadLeft(point.easting, kFieldWidth) +
                     PadLeft(point.northing, kFieldWidth) + PadLeft(point.value, kFieldWidth);
  if (!point.clothoidA.empty()) line += PadLeft(point.clothoidA, kFieldWidth) + " " + kSpiralMark;
  return line;
}

std::string FormatProfileLine(const ProfileRecord& line) {
  return line.chainage + PadLeft(line.elevation, kFieldWidth) + PadLeft(line.curveLength, kFieldWidth) +
         PadLeft(line.curveFigure, kFieldWidth) + " " + TagText(line.tag);
}

LineList FormatRouteFile(const Route& route) {
  LineList lines;
  if (route.horizontal) {
    lines.push_back(kHorizontalMarker);
    lines.push_back("{");
    for (const PointRecord& point : route.points) lines.push_back(FormatPointLine(point));
    lines.push_back("}");
  }
  if (route.vertical) {
    lines.push_back(kVerticalMarker);
    lines.push_back("{");
    for (const ProfileRecord& line : route.profile) lines.push_back(FormatProfileLine(line));
    lines.push_back("}");
  }
  return lines;
}

PointRecord ParsePointLine(const std::string& line, SourcePlace origin) {
  std::string rest = line;
  std::string code = NextField(rest), chainage = NextField(rest), easting = NextField(rest), northing = NextField(rest),
              value = NextField(rest);
  PointRecord p = MakePointRecord(std::move(code), std::move(chainage), std::move(easting), std::move(northing),
                                  std::move(value), std::move(origin));
  std::string clothoid = NextField(rest);
  if (NextField(rest) == kSpiralMark) p.clothoidA = std::move(clothoid);
  return p;
}

ProfileRecord ParseProfileLine(const std::string& line, SourcePlace origin) {
  ProfileRecord p;
  std::string rest = line;
  p.chainage = NextField(rest);
  p.elevation = NextField(rest);
  p.curveLength = NextField(rest);
  p.curveFigure = NextField(rest);
  p.tag = Contains(line, kTagEntry)  ? ProfileTag::Entry
          : Contains(line, kTagExit) ? ProfileTag::Exit
                                     : ProfileTag::Point;
  p.origin = std::move(origin);
  return p;
}

RouteScan ScanRoute(const LineList& routeLines) {
  RouteScan scan;
  const long count = routeLines.size();
  for (long i = 0; i < count; ++i) {
    const std::string& line = routeLines.at(i);
    if (line.find("Horizontal") != std::string::npos) scan.horizontal = true;
    if (line.find("Vertical") != std::string::npos) scan.vertical = true;
    if (!scan.horizontal) continue;
    bool open = line.find('{') != std::string::npos;
    bool close = line.find('}') != std::string::npos;
    if (scan.vertical) {
      if (open) scan.verticalStart = static_cast<int>(i + 1);
      if (close) scan.verticalEnd = static_cast<int>(i);
    } else {
      // The neighbouring lines are taken as the list has them; one past either end is an index error.
      if (open) {
        scan.horizontalStart = static_cast<int>(i + 1);
        scan.firstHorizontalLine = routeLines.at(i + 1);
      }
      if (close) {
        scan.horizontalEnd = static_cast<int>(i - 1);
        scan.lastHorizontalLine = routeLines.at(i - 1);
      }
    }
  }
  return scan;
}

Route ParseRouteFile(const LineList& routeLines, const std::string& fileName) {
  const RouteScan scan = ScanRoute(routeLines);
  Route route;
  route.horizontal = scan.horizontal;
  route.vertical = scan.vertical;
  if (scan.horizontal) {
    for (long i = scan.horizontalStart; i <= scan.horizontalEnd; ++i)
      route.points.push_back(ParsePointLine(routeLines.at(i), {fileName, i + 1}));
  }
  if (scan.vertical) {
    for (long i = scan.verticalStart; i < scan.verticalEnd; ++i)
      route.profile.push_back(ParseProfileLine(routeLines.at(i), {fileName, i + 1}));
  }
  return route;
}

LineList ReduceRouteCopy(const LineList& routeLines) {
  // The first four letters of the entry and exit tags, as they stand in the route file.
  const std::string entry = std::string(kTagEntry).substr(0, 4);
  const std::string exit = std::string(kTagExit).substr(0, 4);
  LineList copy;
  for (const std::string& line : routeLines.lines()) {
    enum class Change { Keep, Spiral, Drop, Profile } change = Change::Keep;
    if (Contains(line, kSpiralMark)) change = Change::Spiral;
    if (Contains(line, entry.c_str()) || Contains(line, exit.c_str())) change = Change::Drop;
    if (Contains(line, kTagMene)) change = Change::Profile;
    switch (change) {
      case Change::Keep:
        copy.push_back(line);
        break;
      case Change::Spiral:
        copy.push_back(line.substr(0, kCopiedPointColumns));
        break;
      case Change::Drop:
        break;
      case Change::Profile:
        copy.push_back(line.substr(0, kCopiedProfileColumns));
        break;
    }
  }
  return copy;
}

std::string NormalizeChainage(const std::string& text) {
  std::string normalized;
  normalized.reserve(text.size() + 1);
  bool negative = false;
  for (char c : text) {
    if (c == '-') negative = true;
    if (c != '+' && c != '-') normalized += c;
  }
  return negative ? "-" + normalized : normalized;
}

}  // namespace velkor
