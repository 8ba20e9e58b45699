// Writes a route as the horizontal element table report the import reads: box-drawing rules,
// code page 1254 names, three-line arc rows and the closing "PS" row.
#pragma once

#include <ostream>
#include <string>

#include "route_model.h"

namespace velkor::samples {

// The whole report, lines ended by CR LF. `routeName` appears in the title line (ASCII or code page 1254).
std::string ElementTableReport(const RouteModel& route, const std::string& routeName);
void WriteElementTable(const RouteModel& route, const std::string& routeName, std::ostream& out);

}  // namespace velkor::samples
