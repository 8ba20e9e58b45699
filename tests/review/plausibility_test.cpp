// The plausibility checks: silent on sound routes of every shape, and each check speaking up, with
// its place, for the fault it is there for.
#include "review/plausibility.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "export/conversion_session.h"
#include "lib/element_table.h"
#include "lib/exact_profile.h"
#include "lib/route_model.h"
#include "lib/vertical_report_writer.h"
#include "review/conversion_summary.h"
#include "test_support.h"

namespace velkor {
namespace {

using samples::RouteEnd;
using samples::RouteModel;

class NoQuestions : public ConversionQuestions {
 public:
  std::optional<std::filesystem::path> ChooseCrossSectionFile() override { return std::nullopt; }
  const TerrainModel* ReadTerrainModel() override { return nullptr; }
  const SlopePlan* ReadSlopePlan() override { return nullptr; }
};

std::string Describe(const std::vector<Warning>& warnings) {
  std::string text;
  for (const Warning& w : warnings) text += "  " + w.place + ": " + w.text + "\n";
  return text;
}

// Sound routes of many shapes with profiles over their whole length: not one warning. The routes
// come from the generators the geometry tests use; the profiles from the vertical report writer.
TEST(Plausibility, NoWarningOnGeneratedRoutesAndProfiles) {
  struct Shape {
    RouteModel route;
    int profileCurves;
  };
  std::vector<Shape> shapes;
  const RouteEnd ends[] = {RouteEnd::Any, RouteEnd::Line, RouteEnd::Arc, RouteEnd::Spiral};
  // VELKOR_REVIEW_ROUTES runs more of them, for a longer look than make test takes.
  const char* more = std::getenv("VELKOR_REVIEW_ROUTES");
  const unsigned mixed = more != nullptr ? static_cast<unsigned>(std::max(48, std::atoi(more))) : 48;
  for (unsigned seed = 1; seed <= mixed; ++seed) {
    shapes.push_back(
        {samples::GenerateMixedRoute(1 + static_cast<int>(seed % 7), seed, ends[seed % 4], ends[(seed / 4) % 4]),
         1 + static_cast<int>(seed % 4)});
  }
  for (unsigned seed = 1; seed <= 8; ++seed) {
    shapes.push_back({samples::GenerateRoute(4 + static_cast<int>(seed), 0, 100 + seed), 3});
  }
  shapes.push_back({samples::GenerateRoute(40, 30000, 7), 25});  // a long road

  std::size_t elements = 0, warnings = 0;
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    test::ScratchDir dir;
    const RouteModel& route = shapes[i].route;
    test::WriteBytes(dir / "ELEMAN.cks", samples::ElementTableReport(route, "YOL"));
    const double length = route.EndStation() - route.StartStation();
    samples::ExactProfile profile =
        samples::MakeProfile(static_cast<std::uint32_t>(i + 1), length, shapes[i].profileCurves);
    test::WriteBytes(dir / "DUSEY.cks", samples::WriteVerticalReport(profile));

    ConversionSession session(dir.path());
    session.AcceptReports(dir / "ELEMAN.cks", dir / "DUSEY.cks");
    NoQuestions none;
    const ConversionResult& result = session.Convert({}, none);
    const std::vector<Warning> found = CheckConversion(session.route(), result.facts);
    elements += result.facts.elements.size();
    warnings += found.size();
    EXPECT_TRUE(found.empty()) << "route " << i << " (" << length << " m):\n" << Describe(found);
  }
  std::cout << "[          ] " << shapes.size() << " routes with profiles, " << elements << " elements, " << warnings
            << " warnings\n";
}

AlignmentElement Line(double e0, double n0, double e1, double n1, double sta0, double sta1, long line = 0) {
  AlignmentElement e;
  e.kind = ElementKind::Line;
  e.start = {e0, n0};
  e.end = {e1, n1};
  e.staStart = sta0;
  e.staEnd = sta1;
  e.origin = {"ELEMAN.cks", line};
  return e;
}

// A clockwise quarter circle of radius 100 from (0, 100) heading east around the centre (0, 0).
AlignmentElement QuarterArc(double sta0) {
  AlignmentElement e;
  e.kind = ElementKind::Curve;
  e.start = {0, 100};
  e.end = {100, 0};
  e.centre = {0, 0};
  e.radius = 100;
  e.staStart = sta0;
  e.staEnd = sta0 + 157.0796;
  e.dirStart = 90;
  e.dirEnd = 180;
  e.arcMiddle = PlanePoint{70.7107, 70.7107};
  e.origin = {"ELEMAN.cks", 9};
  return e;
}

ProfileRecord Vertex(const std::string& sta, const std::string& z, const std::string& curve = "0.000") {
  ProfileRecord r;
  r.chainage = sta;
  r.elevation = z;
  r.curveLength = curve;
  r.origin = {"DUSEY.cks", 5};
  return r;
}

// One fault per case, and exactly the warnings it should give.
TEST(Plausibility, EachCheckFindsItsFault) {
  struct Case {
    const char* name;
    std::function<void(Route&, ConversionFacts&)> damage;
    std::vector<WarningKind> expected;
    std::string place;  // of the first warning
  };
  const std::vector<Case> cases = {
      {"sound", [](Route&, ConversionFacts&) {}, {}, ""},
      {"line shorter than its chainages",
       [](Route&, ConversionFacts& f) { f.elements[0].staEnd -= 0.5; },
       {WarningKind::ElementLength},
       "ELEMAN.cks:3"},
      {"arc middle point off its circle",
       [](Route&, ConversionFacts& f) {
         f.elements[1].arcMiddle = PlanePoint{70.70, 70.75};
       },
       {WarningKind::ArcMiddle},
       "ELEMAN.cks:9"},
      {"kink at the arc's start",
       [](Route&, ConversionFacts& f) {
         f.elements[0].start = {-100, 99};
       },
       {WarningKind::DirectionBreak},
       "ELEMAN.cks:9"},
      {"profile back in chainage",
       [](Route& r, ConversionFacts&) { r.profile[2].chainage = "0+050.000"; },
       {WarningKind::ProfileOrder},
       "DUSEY.cks:5"},
      {"parabolas overlap",
       [](Route& r, ConversionFacts&) { r.profile[1].curveLength = "140.000"; },
       {WarningKind::ProfileOverlap},
       "DUSEY.cks:5"},
      {"profile stops short",
       [](Route& r, ConversionFacts&) { r.profile.back().chainage = "0+200.000"; },
       {WarningKind::ProfileCoverage},
       "DUSEY.cks:5"},
      {"sections beyond the road and back",
       [](Route&, ConversionFacts& f) {
         f.crossSections->sections = {
             {10, 3, {"ENKESIT.kse", 1}}, {300, 3, {"ENKESIT.kse", 5}}, {200, 3, {"ENKESIT.kse", 9}}};
       },
       {WarningKind::SectionOutside, WarningKind::SectionOrder},
       "ENKESIT.kse:5"},
      {"empty surface",
       [](Route&, ConversionFacts& f) { f.surface = SurfaceFacts{}; },
       {WarningKind::SurfaceEmpty, WarningKind::SurfaceEmpty},
       "Arazi modeli"},
      {"faces lost and repeated corners",
       [](Route&, ConversionFacts& f) {
         f.surface->facesWithUnmatchedCorner = 3;
         f.surface->facesWithRepeatedCorner = 1;
       },
       {WarningKind::SurfaceUnmatched, WarningKind::SurfaceRepeated},
       "Arazi modeli"},
      {"surface beside the road, easting and northing swapped",
       [](Route&, ConversionFacts& f) {
         f.surface->low = {4500000, 500000};
         f.surface->high = {4500100, 500100};
       },
       {WarningKind::SurfaceAway},
       "Arazi modeli"},
  };
  for (const Case& c : cases) {
    Route route;
    route.vertical = true;
    route.profile = {Vertex("0+000.000", "100.000"), Vertex("0+100.000", "102.000", "60.000"),
                     Vertex("0+180.000", "101.000", "40.000"), Vertex("0+257.080", "101.500")};
    ConversionFacts facts;
    facts.elements = {Line(-100, 100, 0, 100, 0, 100, 3), QuarterArc(100)};
    facts.elements[1].staEnd = 100 + 157.0796;
    facts.crossSections = CrossSectionFacts{"ENKESIT.kse", {{10, 3, {"ENKESIT.kse", 1}}}, 3};
    facts.surface = SurfaceFacts{50, 80, 0, 0, true, {-150, -50}, {150, 150}};
    c.damage(route, facts);
    const std::vector<Warning> found = CheckConversion(route, facts);
    std::vector<WarningKind> kinds;
    for (const Warning& w : found) kinds.push_back(w.kind);
    EXPECT_EQ(kinds, c.expected) << c.name << "\n" << Describe(found);
    if (!found.empty()) {
      EXPECT_EQ(found.front().place, c.place) << c.name;
    }
  }
}

}  // namespace
}  // namespace velkor
