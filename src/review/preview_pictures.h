// The plan and the profile as drawings in world units, built once from the conversion and drawn by
// whoever shows them: the SVG preview files and the desktop program's tabs.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "export/conversion_facts.h"
#include "import/route_file.h"

namespace velkor {

struct TerrainModel;

enum class Stroke {
  Line,       // a straight of the alignment
  Arc,        // a circular curve
  Spiral,     // a clothoid
  SlopePlan,  // an alignment of the slope plan
  Outline,    // the surface's extent, when its triangles are too many to draw
  Tick,       // a chainage tick
  GradeLine,  // the profile's grade lines through its PVIs
  Design,     // the design profile, parabolas included
  Axis,       // the profile's chainage axis and frame
};

struct Polyline {
  Stroke stroke = Stroke::Line;
  std::vector<PlanePoint> points;  // plan: (easting, northing); profile: (chainage, elevation)
};

struct Label {
  PlanePoint at;
  std::string text;  // UTF-8
};

struct Picture {
  std::vector<Polyline> lines;
  std::vector<Label> labels;
  std::vector<PlanePoint> marks;      // points drawn as small circles (the PVIs)
  std::vector<PlanePoint> triangles;  // three corners per surface triangle, drawn faintly
  PlanePoint low, high;               // the extent the picture is framed to
  bool empty = true;
  double verticalExaggeration = 1;  // profile: elevations are drawn this many times taller
  std::string note;                 // one line about the picture ("Düşey ölçek 10×")
};

// Surfaces with more triangles than this show only their outline in the plan.
inline constexpr std::size_t kMaxPictureTriangles = 200000;

// The alignment by element kind, chainage ticks and labels every 100 m, the slope plan and the
// surface (faint triangles, or its outline when they are too many). `model` may be null.
Picture PlanPicture(const ConversionFacts& facts, const TerrainModel* model,
                    std::size_t maxTriangles = kMaxPictureTriangles);

// The design profile: grade lines, the design line with its parabolas, the PVIs, a chainage axis
// with ticks every 100 m. Empty without a profile.
Picture ProfilePicture(const Route& route);

// The picture as an SVG document `widthPx` wide. The plan keeps world coordinates to the
// millimetre (relative to the origin it records), so it can be measured.
std::string PictureSvg(const Picture& picture, const std::string& title, bool plan, int widthPx = 1200);

}  // namespace velkor
