#include "export/route_scan.h"

namespace velkor {

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

}  // namespace velkor
