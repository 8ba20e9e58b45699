// The route file tmp.gec: the one hand-over between the report import and the export.
#pragma once

#include <string>

namespace velkor {

inline constexpr const char* kRouteFileName = "tmp.gec";
inline constexpr const char* kHorizontalMarker = "// Horizontal  //";
inline constexpr const char* kVerticalMarker = "// Vertical //";
// Tags of the profile lines, code page 1254 bytes.
inline constexpr const char* kTagMene = "MENE";
inline constexpr const char* kTagEntry = "G\xDDR\xDD\xDE";  // GİRİŞ
inline constexpr const char* kTagExit = "\xC7IKI\xDE";      // ÇIKIŞ

// Two blanks, the point code, then chainage, easting, northing and element value each filled to 15.
std::string PointLine(const std::string& code, const std::string& chainage, const std::string& easting,
                      const std::string& northing, const std::string& value);

// The chainage (unfilled), then elevation, curve length and curve figure filled to 15, a blank and the tag.
std::string ProfileLine(const std::string& chainage, const std::string& elevation, const std::string& curveLength,
                        const std::string& curveFigure, const std::string& tag);

}  // namespace velkor
