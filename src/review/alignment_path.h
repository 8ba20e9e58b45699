// The route's centreline as points in the plane, element by element, for checks and pictures:
// lines between their points, arcs around their centres, clothoids laid from their start.
#pragma once

#include <optional>
#include <vector>

#include "export/conversion_facts.h"

namespace velkor {

// A point of the centreline with the tangent direction there (degrees from grid north, clockwise).
struct CentrelinePose {
  PlanePoint at;
  double dirDeg = 0;
};

// The point `s` metres along a clothoid that starts at `start` heading `dirDeg`: an entry clothoid
// runs from a straight to the radius, an exit clothoid from the radius to a straight.
CentrelinePose LayClothoid(PlanePoint start, double dirDeg, double length, double radius, bool ccw, bool entry,
                           double s);

// The pose `s` metres along the element from its start (clamped to the element).
CentrelinePose AlongElement(const AlignmentElement& element, double s);

// Points along the element no more than `step` metres apart, both ends included.
std::vector<PlanePoint> ElementPath(const AlignmentElement& element, double step);

// The pose at a chainage of the route; nothing outside its chainages.
std::optional<CentrelinePose> PoseAtStation(const std::vector<AlignmentElement>& elements, double station);

// Difference b - a of two directions in degrees, brought into [-180, 180).
double DirectionGap(double a, double b);

}  // namespace velkor
