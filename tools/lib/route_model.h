// An exactly computed road route (straights, circular arcs, clothoid transitions) that tests,
// benchmarks and sample reports share. Directions are azimuths in degrees, clockwise from grid north.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace velkor::samples {

enum class RouteElementKind { Line, Arc, SpiralIn, SpiralOut };

// +1: the route turns clockwise (to the right); -1: counter-clockwise.
using TurnSide = int;

struct RoutePose {
  double e = 0;
  double n = 0;
  double dirDeg = 0;  // tangent direction, [0, 360)
};

struct RouteElement {
  RouteElementKind kind = RouteElementKind::Line;
  std::string code;    // point code of the element's start point
  double length = 0;   // metres
  double radius = 0;   // arc radius, or the radius at a spiral's circular end; 0 for a line
  TurnSide side = 0;   // 0 for a line
  double station = 0;  // chainage of the start
  RoutePose start;     // pose at the start
};

struct EnPoint {
  double e = 0;
  double n = 0;
};

class RouteModel {
 public:
  RouteModel(double e0, double n0, double dirDeg, double startStation = 0);

  void AddLine(double length);
  void AddArc(double radius, double length, TurnSide side);
  // A transition from a straight (infinite radius) to `radius`.
  void AddSpiralIn(double length, double radius, TurnSide side);
  // A transition from `radius` back to a straight.
  void AddSpiralOut(double length, double radius, TurnSide side);

  // The pose anywhere on the route; stations outside it are clamped to its ends.
  RoutePose At(double station) const;
  RoutePose End() const { return end_; }
  double StartStation() const { return startStation_; }
  double EndStation() const { return endStation_; }
  const std::vector<RouteElement>& Elements() const { return elements_; }

  // The pose at the end of element i (the start of element i + 1, or the route's end).
  RoutePose EndOf(std::size_t i) const;
  // Where the tangents at the start and the end of element i meet (arcs and spirals).
  EnPoint TangentIntersection(std::size_t i) const;
  // Centre of arc i.
  EnPoint ArcCentre(std::size_t i) const;
  // The point halfway along element i.
  EnPoint MidPoint(std::size_t i) const;

 private:
  void Add(RouteElementKind kind, double length, double radius, TurnSide side);
  static RoutePose Advance(const RouteElement& element, double s);

  double startStation_ = 0;
  double endStation_ = 0;
  RoutePose end_;
  std::vector<RouteElement> elements_;
};

// One curve of a generated route: optional entry spiral, arc, optional exit spiral.
struct CurveShape {
  double radius = 0;
  TurnSide side = 1;
  double arcLength = 0;
  double spiralIn = 0;   // 0: the arc starts straight from the tangent
  double spiralOut = 0;  // 0: the arc ends straight into the tangent
};

// Straights and curves in turn: tangents[0], curves[0], tangents[1], ..., tangents.size() == curves.size() + 1.
RouteModel BuildRoute(double e0, double n0, double dirDeg, const std::vector<double>& tangents,
                      const std::vector<CurveShape>& curves);

// A repeatable route of `curves` curves turning both ways, most with transitions. `length` (metres) is
// the total length; 0 lets the straights take random lengths. Throws std::invalid_argument when the
// length cannot hold the curves with straights of at least `minTangent` between them.
RouteModel GenerateRoute(int curves, double length, unsigned seed, double minTangent = 200);

// How a mixed route begins and ends. Spiral: it begins with an entry transition, or ends where an exit
// transition ends. Any: the seed chooses.
enum class RouteEnd { Any, Line, Arc, Spiral };

// A repeatable route of `curves` curves (at least one) in every sequence an element table holds: bare
// arcs and spiral-arc-spiral curves turning either way, radii from 40 m to 3 km, transitions up to
// 0.8 x the radius, and between two curves a straight or none (back-to-back transitions, a transition
// straight into an arc, arc into arc).
RouteModel GenerateMixedRoute(int curves, unsigned seed, RouteEnd start = RouteEnd::Any, RouteEnd end = RouteEnd::Any);

}  // namespace velkor::samples
