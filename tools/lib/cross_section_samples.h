// Cross-section files (.kse) for a generated route: stations along it with named vertices on both
// sides of the axis, as the road-design program writes them (code page 1254, CR LF).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace velkor::samples {

class RouteModel;

struct CrossSectionSampleOptions {
  double start = 0;      // chainage of the first station
  double length = 1000;  // the last station lies this far after the first
  int minSpacing = 20;   // whole metres between consecutive stations, drawn from [min, max]
  int maxSpacing = 25;
  unsigned seed = 1;  // the same seed always gives the same file, on every platform
  // Elevation of the axis at a chainage; empty for a gentle rolling grade around 850 m.
  std::function<double(double)> axisElevation;
};

// Stations along the whole of a generated route, first to last chainage.
CrossSectionSampleOptions ForRoute(const RouteModel& route, unsigned seed = 1);

// One vertex of the template, left to right; names are code page 1254 bytes.
struct SectionVertex {
  double offset;
  std::string name;
};
// The template every generated station carries: ditch, slope, shoulder, pavement edge, axis and
// the same again on the right side.
const std::vector<SectionVertex>& SampleSectionTemplate();

// The station chainages the options give, in order.
std::vector<double> SampleStations(const CrossSectionSampleOptions& options);

// The whole file as bytes.
std::string GenerateCrossSectionFile(const CrossSectionSampleOptions& options = {});

}  // namespace velkor::samples
