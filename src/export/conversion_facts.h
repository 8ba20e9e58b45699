// What a conversion made, as numbers rather than document text: the alignment's elements with the
// geometry the writer computed for them, the cross sections' stations, the surface's counts and
// extent, the slope plan's alignments, and which of the asked-for steps gave nothing. The summary,
// the plausibility checks and the previews are built from this, never by reading the document back.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/plane_geometry.h"
#include "import/route_file.h"

namespace velkor {

enum class ElementKind { Line, Curve, SpiralIn, SpiralOut };

// One element of the route's alignment, from one table point to the next.
struct AlignmentElement {
  ElementKind kind = ElementKind::Line;
  double staStart = 0, staEnd = 0;      // chainages in metres
  PlanePoint start, end;                // the table's points
  double dirStart = 0, dirEnd = 0;      // degrees from grid north, clockwise, as written
  double radius = 0;                    // arc, spiral: the radius it has at its curved end (positive)
  double spiralLength = 0;              // spiral: its length as the table gives it
  bool ccw = false;                     // arc, spiral: turning counter-clockwise
  PlanePoint centre;                    // arc
  PlanePoint pi;                        // arc, spiral
  std::optional<PlanePoint> arcMiddle;  // arc: the middle point its table row prints
  SourcePlace origin;                   // the report line of its start point
};

// One cross section as the cross-section step read it.
struct SectionFact {
  double station = 0;
  long vertices = 0;
  SourcePlace origin;  // its station line in the cross-section file
};

struct CrossSectionFacts {
  std::string file;  // the cross-section file as messages name it
  std::vector<SectionFact> sections;
  long gsiRecords = 0;  // section point records, the header not counted
};

struct SurfaceFacts {
  std::size_t points = 0;
  std::size_t faces = 0;
  std::size_t facesWithUnmatchedCorner = 0;  // a corner 0: on no point of the model
  std::size_t facesWithRepeatedCorner = 0;   // two corners on the same point
  bool hasExtent = false;
  PlanePoint low, high;  // the points' extent (easting, northing)
};

// One alignment of the slope plan: its name and its vertices in the plane.
struct SlopeAlignmentFact {
  std::string name;
  std::vector<PlanePoint> vertices;
};

// What happened to a step the user asked for.
enum class StepOutcome { NotAsked, Done, Cancelled, NothingRead };

struct ConversionFacts {
  std::vector<AlignmentElement> elements;
  long alignmentGsiRecords = 0;  // the header not counted
  long profileGsiRecords = 0;
  StepOutcome crossSectionStep = StepOutcome::NotAsked;
  StepOutcome modelStep = StepOutcome::NotAsked;
  StepOutcome slopePlanStep = StepOutcome::NotAsked;
  std::optional<CrossSectionFacts> crossSections;
  std::optional<SurfaceFacts> surface;
  std::vector<SlopeAlignmentFact> slopeAlignments;
};

}  // namespace velkor
