// The route model behind the geometry tests must itself be true: clothoid ends against their series,
// arcs closed against their centre, the table it writes read back as the import reads it.
#include "lib/route_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "import/route_import.h"
#include "lib/element_table.h"
#include "test_support.h"

namespace velkor {
namespace {

using samples::RouteModel;

TEST(RouteModel, ClothoidEndMatchesItsSeries) {
  // Due north, so the local frame is (x = northing, y = easting).
  for (double L : {40.0, 80.0, 120.0}) {
    const double R = 300, A2 = L * R;
    RouteModel route(0, 0, 0);
    route.AddSpiralIn(L, R, 1);
    double x = L - std::pow(L, 5) / (40 * A2 * A2) + std::pow(L, 9) / (3456 * std::pow(A2, 4));
    double y = std::pow(L, 3) / (6 * A2) - std::pow(L, 7) / (336 * std::pow(A2, 3)) +
               std::pow(L, 11) / (42240 * std::pow(A2, 5));
    EXPECT_NEAR(route.End().n, x, 1e-6) << L;
    EXPECT_NEAR(route.End().e, y, 1e-6) << L;
    EXPECT_NEAR(route.End().dirDeg, L / (2 * R) * 180 / 3.141592653589793, 1e-9) << L;
  }
}

TEST(RouteModel, ArcsStayOnTheirCircleAndTransitionsReturnToTheTangent) {
  RouteModel route(1000, 2000, 350);
  route.AddLine(100);
  route.AddSpiralIn(50, 250, -1);
  route.AddArc(250, 200, -1);
  route.AddSpiralOut(50, 250, -1);
  const auto& els = route.Elements();
  samples::EnPoint c = route.ArcCentre(2);
  for (double s : {0.0, 77.0, 200.0}) {
    auto p = route.At(els[2].station + s);
    EXPECT_NEAR(std::hypot(p.e - c.e, p.n - c.n), 250, 1e-9) << s;
  }
  // Total turn: two transitions of 0.1 rad and an arc of 0.8 rad, to the left.
  double turn = (350 - route.End().dirDeg) * 3.141592653589793 / 180;
  EXPECT_NEAR(turn, 1.0, 1e-12);
  EXPECT_EQ(els[1].code, "TS");
  EXPECT_EQ(els[2].code, "SC");
  EXPECT_EQ(els[3].code, "CS");
}

TEST(RouteModel, GeneratedRoutesTakeTheAskedLength) {
  RouteModel route = samples::GenerateRoute(12, 9000, 5);
  EXPECT_NEAR(route.EndStation() - route.StartStation(), 9000, 1e-6);
  EXPECT_EQ(std::count_if(route.Elements().begin(), route.Elements().end(),
                          [](const auto& e) { return e.kind == samples::RouteElementKind::Arc; }),
            12);
  EXPECT_THROW(samples::GenerateRoute(12, 1000, 5), std::invalid_argument);
}

TEST(ElementTableWriter, IsRecognisedAndConvertsRowByRow) {
  RouteModel route = samples::GenerateRoute(4, 0, 3);
  test::ScratchDir dir;
  test::WriteBytes(dir / "G.cks", samples::ElementTableReport(route, "G"));
  EXPECT_EQ(RecognizeReport(dir / "G.cks"), ReportKind::ElementTable);
  Route converted;
  ConvertHorizontal(dir / "G.cks", dir.path(), converted);
  // One point per element, then the end point.
  ASSERT_EQ(converted.points.size(), route.Elements().size() + 1);
  EXPECT_EQ(converted.points.back().code, "PE");
}

}  // namespace
}  // namespace velkor
