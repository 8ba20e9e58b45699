// The route: what the report conversions make of the element table and the vertical definition report,
// as records, and the route file tmp.gec that is written from them (and copied, reduced, on Save).
// This file owns the route file's layout: the widths of its fields, its markers and tags, the columns
// the saved copy keeps. Nothing else builds or cuts a route line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/line_list.h"
#include "base/plane_geometry.h"

namespace velkor {

inline constexpr const char* kHorizontalMarker = "// Horizontal  //";
inline constexpr const char* kVerticalMarker = "// Vertical //";
// Tags of the profile lines, code page 1254 bytes.
inline constexpr const char* kTagMene = "MENE";
inline constexpr const char* kTagEntry = "G\xDDR\xDD\xDE";  // GİRİŞ
inline constexpr const char* kTagExit = "\xC7IKI\xDE";      // ÇIKIŞ
// The mark after a spiral point's clothoid parameter.
inline constexpr const char* kSpiralMark = "ORTA";

// Where a record came from: the report as messages name it and its 1-based line.
struct SourcePlace {
  std::string file;
  long line = 0;
};

// One point of the horizontal section. The texts pass into the document and the GSI records as they
// stand; the numbers are read from them once.
struct PointRecord {
  std::string code;       // point code: "TF", "TS", "SC", ..., "PE"
  std::string chainage;   // "0+250.000"
  std::string easting;    // as the report printed it
  std::string northing;   // as the report printed it
  std::string value;      // "0.000" for a straight, the signed radius of an arc, a spiral's length
  std::string clothoidA;  // a spiral point's clothoid parameter; empty elsewhere
  double station = 0;     // the chainage in metres, as its text reads
  double e = 0, n = 0;
  SourcePlace origin;
  // An arc row's middle point as the table prints it; not part of the route file, only checked.
  std::optional<PlanePoint> arcMiddle;
};

enum class ProfileTag { Point, Entry, Exit };  // MENE, GİRİŞ, ÇIKIŞ

// One line of the vertical section: a point of the profile (a vertex with its curve, or a start or end
// point), or a curve's entry or exit.
struct ProfileRecord {
  std::string chainage;  // "0+300.000"
  std::string elevation;
  std::string curveLength = "0.000";  // "0.000": no curve
  std::string curveFigure = "0.000";
  ProfileTag tag = ProfileTag::Point;
  SourcePlace origin;
};

struct Route {
  bool horizontal = false;  // the element table was converted
  std::vector<PointRecord> points;
  bool vertical = false;  // the vertical definition report was converted
  std::vector<ProfileRecord> profile;
};

// A point record from its texts; the numbers are read from them (Error naming `origin` when one is
// no number). The clothoid parameter is added later, once the neighbours are known.
PointRecord MakePointRecord(std::string code, std::string chainage, std::string easting, std::string northing,
                            std::string value, SourcePlace origin);

// The route file's lines. A point: two blanks, the code, then chainage, easting, northing and value
// filled to 15; a spiral point adds its clothoid parameter filled to 15, a blank and "ORTA". A
// profile line: the chainage unfilled, elevation, curve length and figure filled to 15, a blank and
// the tag.
std::string FormatPointLine(const PointRecord& point);
std::string FormatProfileLine(const ProfileRecord& line);
// The route file: the horizontal section (marker and braces) when there is one, then the vertical.
LineList FormatRouteFile(const Route& route);

// A route line read back into a record (its texts; a point's numbers are read too). The inverse of
// the formatters: FormatPointLine(ParsePointLine(line)) == line for every line they write.
PointRecord ParsePointLine(const std::string& line, SourcePlace origin = {});
ProfileRecord ParseProfileLine(const std::string& line, SourcePlace origin = {});

// Where the horizontal and vertical sections of route lines begin and end.
struct RouteScan {
  bool horizontal = false;
  bool vertical = false;
  int horizontalStart = 0;  // first body line
  int horizontalEnd = 0;    // last body line (the line before the closing brace)
  int verticalStart = 0;    // first body line
  int verticalEnd = 0;      // the closing brace line itself
  std::string firstHorizontalLine;
  std::string lastHorizontalLine;
};

// Case-sensitive substring scan: "Horizontal" and "Vertical" set the flags, braces after the
// horizontal marker set the indexes; a later match overwrites an earlier one.
RouteScan ScanRoute(const LineList& routeLines);
// A route file's lines as records, found by ScanRoute; each record's place is its line in `fileName`.
Route ParseRouteFile(const LineList& routeLines, const std::string& fileName);

// The route lines as the saved copy holds them: spiral points without their clothoid parameter,
// curve entries and exits gone, other profile lines cut after the curve length.
LineList ReduceRouteCopy(const LineList& routeLines);

// A chainage text as the readers use it: every "+" removed and a "-" anywhere moved to the front
// ("1+234.500" -> "1234.500", "0-050.000" -> "-0050.000").
std::string NormalizeChainage(const std::string& text);

}  // namespace velkor
