// What the slope-plan reader hands to the slope-plan export: the axis points and the polylines.
#pragma once

#include <string>
#include <vector>

namespace velkor {

struct SlopePlan {
  std::vector<std::string> axisPoints;  // "K_EKS,NOKTA,1000.000 2000.000 100.000,"
  std::vector<std::string> polylines;   // "K_1,A12,1000.000 2000.000 100.000,1010.000 2000.000 101.000,"
};

}  // namespace velkor
