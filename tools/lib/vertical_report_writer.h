// Writes vertical definition reports, code page 1254 with CR LF, in the layout the road-design
// program prints them: start, then per curve its entry, vertex, "L=... K=..." line and exit, then end.
#pragma once

#include <string>

#include "lib/exact_profile.h"

namespace velkor::samples {

struct VerticalReportOptions {
  std::string routeName = "YOL-1";
  // Prints the vertex radius (100 * K) between the curve length and K: "L=200.000 R=5000.000 K=50.000".
  bool withRadius = false;
};

// The whole report as bytes. Numbers are printed with three decimals, chainages as "0+000.000".
std::string WriteVerticalReport(const ExactProfile& profile, const VerticalReportOptions& options = {});

}  // namespace velkor::samples
