#include "import/route_file.h"

#include "base/text_fields.h"

namespace velkor {

std::string PointLine(const std::string& code, const std::string& chainage, const std::string& easting,
                      const std::string& northing, const std::string& value) {
  return "  " + code + PadLeft(chainage, 15) + PadLeft(easting, 15) + PadLeft(northing, 15) + PadLeft(value, 15);
}

std::string ProfileLine(const std::string& chainage, const std::string& elevation, const std::string& curveLength,
                        const std::string& curveFigure, const std::string& tag) {
  return chainage + PadLeft(elevation, 15) + PadLeft(curveLength, 15) + PadLeft(curveFigure, 15) + " " + tag;
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
