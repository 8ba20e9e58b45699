// An exact vertical profile (straight grades joined by symmetric parabolas) from which sample
// vertical definition reports are written and against which their conversion is checked.
#pragma once

#include <cstdint>
#include <vector>

namespace velkor::samples {

// A point of vertical intersection with the length of the parabola centred on it.
struct ProfileVertex {
  double chainage = 0;
  double elevation = 0;
  double curveLength = 0;
};

struct ExactProfile {
  double startChainage = 0;
  double startElevation = 0;
  std::vector<ProfileVertex> vertices;  // in chainage order, between start and end
  double endChainage = 0;
  double endElevation = 0;
};

// One vertical curve as a report prints it. Grades are in percent; K is the curve length per
// percent of grade change, so 100 * K is the radius of the parabola at its vertex.
struct ExactCurve {
  double entryChainage, entryElevation;
  double vertexChainage, vertexElevation;
  double exitChainage, exitElevation;
  double length, k;
  double entryGrade, exitGrade;
  bool crest() const { return exitGrade < entryGrade; }
};

std::vector<ExactCurve> Curves(const ExactProfile& profile);

// A road profile of `curves` curves over `length` metres from chainage 0, the same for the same
// seed: vertex chainages on whole metres, elevations on centimetres, curve lengths on 10 m,
// neighbouring curves never overlapping, crests and sags taking turns while grades stay within 7 %.
ExactProfile MakeProfile(std::uint32_t seed, double length, int curves);

}  // namespace velkor::samples
