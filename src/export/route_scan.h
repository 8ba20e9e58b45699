// Where the horizontal and vertical sections of the route lines begin and end.
#pragma once

#include <string>

#include "base/line_list.h"

namespace velkor {

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

}  // namespace velkor
