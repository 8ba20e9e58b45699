// Questions a careful surveyor would ask of a conversion before it goes to the field: does the
// table's geometry hold together, does the profile run in order over the route, do the sections
// and the surface lie where the road is. Each warning names the place it concerns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "export/conversion_facts.h"
#include "import/route_file.h"

namespace velkor {

enum class WarningKind {
  ElementLength,     // chainages and coordinates give different lengths
  DirectionBreak,    // a joint that should be tangential is not
  ArcMiddle,         // an arc's middle point off the circle of its radius
  SpiralEnd,         // a clothoid laid from its start misses its end point
  ProfileOrder,      // PVI chainages not increasing
  ProfileOverlap,    // neighbouring parabolas overlap
  ProfileCoverage,   // the profile does not cover the alignment
  SectionOutside,    // a cross section beyond the alignment's chainages
  SectionOrder,      // cross-section stations not increasing
  SurfaceEmpty,      // no points or no faces
  SurfaceUnmatched,  // faces with a corner on no point
  SurfaceRepeated,   // faces with a corner twice
  SurfaceAway,       // the alignment lies wholly outside the surface
};

struct Warning {
  WarningKind kind;
  std::string text;               // Turkish, UTF-8
  std::string place;              // "ELEMAN.cks:57", "ENKESIT.kse:12", a chainage "km 0+250.000" or a name
  std::optional<double> station;  // where along the route, when it is about a chainage
};

// A short code per kind for scripts ("element-length", ...).
const char* WarningCode(WarningKind kind);

// Every warning the conversion's route and facts give, in the order of the route.
std::vector<Warning> CheckConversion(const Route& route, const ConversionFacts& facts);

}  // namespace velkor
