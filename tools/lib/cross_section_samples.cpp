// Generated cross-section files: a fixed road template, stations at random 20-25 m steps.
#include "lib/cross_section_samples.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "base/number_text.h"
#include "base/text_fields.h"
#include "lib/route_model.h"

namespace velkor::samples {
namespace {

double RollingGrade(double station) { return 850 + 4 * std::sin(station / 180) + station * 0.004; }

// How far below the axis each template vertex lies: pavement crossfall, shoulder, then the fill
// slope down to the ditch, which follows the ground and so varies along the route.
double DropBelowAxis(double offset, double station) {
  double d = std::fabs(offset);
  double side = offset < 0 ? 0.0 : 1.0;
  if (d <= 3.5) return 0.025 * d;
  if (d <= 5.0) return 0.025 * 3.5 + 0.04 * (d - 3.5);
  double shoulder = 0.025 * 3.5 + 0.04 * 1.5;
  double ground = 0.3 * std::sin(station / 37 + side);
  return shoulder + (d - 5.0) / 1.5 * (1 + ground / 3);
}

}  // namespace

const std::vector<SectionVertex>& SampleSectionTemplate() {
  static const std::vector<SectionVertex> kTemplate = {
      {-14.5, "HENDEK"},
      {-11.0,
       "\xDE"
       "EV"},
      {-5.0, "BANKET"},
      {-3.5, "KAPLAMA"},
      {0.0, "EKSEN"},
      {3.5, "KAPLAMA"},
      {5.0, "BANKET"},
      {11.0,
       "\xDE"
       "EV"},
      {14.5, "HENDEK"},
  };
  return kTemplate;
}

CrossSectionSampleOptions ForRoute(const RouteModel& route, unsigned seed) {
  CrossSectionSampleOptions options;
  options.start = route.StartStation();
  options.length = route.EndStation() - route.StartStation();
  options.seed = seed;
  return options;
}

std::vector<double> SampleStations(const CrossSectionSampleOptions& options) {
  std::mt19937 rng(options.seed);
  int span = std::max(1, options.maxSpacing - options.minSpacing + 1);
  std::vector<double> stations;
  double offset = 0;
  while (offset < options.length) {
    stations.push_back(options.start + offset);
    offset += std::max(1, options.minSpacing + static_cast<int>(rng() % static_cast<unsigned>(span)));
  }
  stations.push_back(options.start + options.length);
  return stations;
}

std::string GenerateCrossSectionFile(const CrossSectionSampleOptions& options) {
  std::function<double(double)> axis = options.axisElevation ? options.axisElevation : RollingGrade;
  std::string out;
  int number = 0;
  for (double station : SampleStations(options)) {
    out += "    1" + PadLeft(std::to_string(++number), 7) + "  " + FormatFixed(station, 3) + " EKS\r\n";
    double z = axis(station);
    for (const auto& vertex : SampleSectionTemplate()) {
      out += "    0" + PadLeft(FormatFixed(vertex.offset, 3), 10) +
             PadLeft(FormatFixed(z - DropBelowAxis(vertex.offset, station), 3), 11) + " " + vertex.name + "\r\n";
    }
  }
  return out;
}

}  // namespace velkor::samples
