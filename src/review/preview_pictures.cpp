#include "review/preview_pictures.h"

#include <algorithm>
#include <cmath>

#include "base/number_text.h"
#include "base/text_fields.h"
#include "export/xml_text.h"
#include "ncz/terrain_model.h"
#include "review/alignment_path.h"
#include "review/profile_line.h"

namespace velkor {
namespace {

constexpr double kTickSpacing = 100;  // metres of chainage between ticks and labels
constexpr double kPathStep = 1;       // metres between the drawn points of arcs and clothoids

void Grow(Picture& p, PlanePoint q) {
  if (!std::isfinite(q.e) || !std::isfinite(q.n)) return;
  if (p.empty) {
    p.low = p.high = q;
    p.empty = false;
    return;
  }
  p.low = {std::min(p.low.e, q.e), std::min(p.low.n, q.n)};
  p.high = {std::max(p.high.e, q.e), std::max(p.high.n, q.n)};
}

Stroke StrokeOf(ElementKind kind) {
  switch (kind) {
    case ElementKind::Line:
      return Stroke::Line;
    case ElementKind::Curve:
      return Stroke::Arc;
    case ElementKind::SpiralIn:
    case ElementKind::SpiralOut:
      return Stroke::Spiral;
  }
  return Stroke::Line;
}

// "0+100": ticks fall on whole metres.
std::string TickText(double station) {
  std::string text = FormatChainage(station);
  return text.substr(0, text.find('.'));
}

}  // namespace

Picture PlanPicture(const ConversionFacts& facts, const TerrainModel* model, std::size_t maxTriangles) {
  Picture p;
  for (const AlignmentElement& e : facts.elements) {
    Polyline line{StrokeOf(e.kind), ElementPath(e, kPathStep)};
    for (PlanePoint q : line.points) Grow(p, q);
    p.lines.push_back(std::move(line));
  }
  for (const SlopeAlignmentFact& slope : facts.slopeAlignments) {
    for (PlanePoint q : slope.vertices) Grow(p, q);
    p.lines.push_back({Stroke::SlopePlan, slope.vertices});
  }
  // The road frames the picture; the ticks are sized by it.
  if (!facts.elements.empty()) {
    const double size = std::max({p.high.e - p.low.e, p.high.n - p.low.n, 1.0});
    const double tick = size / 80;
    const double from = facts.elements.front().staStart, to = facts.elements.back().staEnd;
    for (double sta = std::ceil(from / kTickSpacing) * kTickSpacing; sta <= to + 1e-9; sta += kTickSpacing) {
      auto pose = PoseAtStation(facts.elements, sta);
      if (!pose) continue;
      const double a = pose->dirDeg / static_cast<double>(kRadToDeg);
      // Across the road, to its right: (cos a, -sin a) in (easting, northing).
      const PlanePoint right{std::cos(a), -std::sin(a)};
      PlanePoint left{pose->at.e - right.e * tick, pose->at.n - right.n * tick};
      PlanePoint rightEnd{pose->at.e + right.e * tick, pose->at.n + right.n * tick};
      p.lines.push_back({Stroke::Tick, {left, rightEnd}});
      p.labels.push_back({{pose->at.e + right.e * tick * 1.6, pose->at.n + right.n * tick * 1.6}, TickText(sta)});
    }
  }
  if (model != nullptr && !model->coordinates.empty()) {
    const std::size_t count = model->coordinates.size();
    const bool drawn = model->faces.size() <= maxTriangles;
    if (drawn) {
      p.triangles.reserve(model->faces.size() * 3);
      for (const Face& f : model->faces) {
        if (f[0] == 0 || f[1] == 0 || f[2] == 0 || f[0] > count || f[1] > count || f[2] > count) continue;
        for (std::uint32_t corner : f) {
          const TGeometryPoint& q = model->coordinates[corner - 1];
          p.triangles.push_back({q.x, q.y});
        }
      }
    }
    if (!drawn || p.triangles.empty()) {
      PlanePoint lo{model->coordinates[0].x, model->coordinates[0].y}, hi = lo;
      for (const TGeometryPoint& q : model->coordinates) {
        lo = {std::min(lo.e, q.x), std::min(lo.n, q.y)};
        hi = {std::max(hi.e, q.x), std::max(hi.n, q.y)};
      }
      p.lines.push_back({Stroke::Outline, {lo, {hi.e, lo.n}, hi, {lo.e, hi.n}, lo}});
      if (!drawn) p.note = "Arazi modeli: " + std::to_string(model->faces.size()) + " üçgen, yalnız sınırı çizildi";
    }
    // Without a road to frame, the surface does.
    if (p.empty) {
      for (PlanePoint q : p.triangles) Grow(p, q);
      if (!p.lines.empty()) {
        for (PlanePoint q : p.lines.back().points) Grow(p, q);
      }
    }
  }
  return p;
}

Picture ProfilePicture(const Route& route) {
  Picture p;
  const std::vector<ProfileVertex> v = ProfileVertices(route);
  if (v.empty()) return p;
  Polyline grades{Stroke::GradeLine, {}};
  for (const ProfileVertex& x : v) {
    grades.points.push_back({x.station, x.elevation});
    p.marks.push_back({x.station, x.elevation});
    Grow(p, {x.station, x.elevation});
  }
  Polyline design{Stroke::Design, {}};
  const double from = v.front().station, to = v.back().station;
  const int n = std::clamp(static_cast<int>((to - from) / 2), 1, 20000);
  for (int i = 0; i <= n; ++i) {
    const double sta = from + (to - from) * i / n;
    if (auto z = ProfileElevation(v, sta)) {
      design.points.push_back({sta, *z});
      Grow(p, {sta, *z});
    }
  }
  p.lines.push_back(std::move(grades));
  p.lines.push_back(std::move(design));

  // Elevations drawn taller, so that grades of a few percent can be told apart: the road's height
  // range shown about a quarter as tall as it is long.
  const double run = std::max(p.high.e - p.low.e, 1.0), rise = std::max(p.high.n - p.low.n, 0.5);
  double exaggeration = 1;
  for (double step : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0}) {
    exaggeration = step;
    if (rise * step >= run / 4) break;
  }
  p.verticalExaggeration = exaggeration;
  p.note = "Düşey ölçek " + FormatGeneral(exaggeration) + "×";

  // Each vertex's elevation above it.
  for (const ProfileVertex& x : v) {
    p.labels.push_back({{x.station, x.elevation + rise * 0.06}, FixedNumber(x.elevation)});
  }
  Grow(p, {from, p.high.n + rise * 0.1});

  // The chainage axis under the profile, ticks every 100 m.
  const double base = p.low.n - rise * 0.1;
  p.lines.push_back({Stroke::Axis, {{from, base}, {to, base}}});
  const double tick = rise * 0.04;
  for (double sta = std::ceil(from / kTickSpacing) * kTickSpacing; sta <= to + 1e-9; sta += kTickSpacing) {
    p.lines.push_back({Stroke::Tick, {{sta, base}, {sta, base - tick}}});
    p.labels.push_back({{sta, base - tick * 3}, TickText(sta)});
  }
  Grow(p, {from, base - tick * 4});
  return p;
}

namespace {

const char* StrokeClass(Stroke stroke) {
  switch (stroke) {
    case Stroke::Line:
      return "line";
    case Stroke::Arc:
      return "arc";
    case Stroke::Spiral:
      return "spiral";
    case Stroke::SlopePlan:
      return "slope";
    case Stroke::Outline:
      return "outline";
    case Stroke::Tick:
      return "tick";
    case Stroke::GradeLine:
      return "grade";
    case Stroke::Design:
      return "design";
    case Stroke::Axis:
      return "axis";
  }
  return "line";
}

std::string Num(double v) { return std::isfinite(v) ? FormatFixed(v, 3) : "0"; }

}  // namespace

std::string PictureSvg(const Picture& picture, const std::string& title, bool plan, int widthPx) {
  const double ex = plan ? 1 : picture.verticalExaggeration;
  const double margin = std::max(picture.high.e - picture.low.e, (picture.high.n - picture.low.n) * ex) * 0.05 + 1;
  const double x0 = picture.low.e - margin, y0 = picture.high.n + margin / ex;
  const double w = picture.high.e - picture.low.e + 2 * margin;
  const double h = (picture.high.n - picture.low.n) * ex + 2 * margin;
  const int heightPx = std::max(1, static_cast<int>(std::lround(widthPx * h / w)));
  const double px = w / widthPx;  // view units per pixel
  auto X = [&](double e) { return Num(e - x0); };
  auto Y = [&](double n) { return Num((y0 - n) * ex); };

  std::string s;
  s += "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
  s += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(widthPx) + "\" height=\"" +
       std::to_string(heightPx) + "\" viewBox=\"0 0 " + Num(w) + " " + Num(h) + "\" data-origin-x=\"" + Num(x0) +
       "\" data-origin-y=\"" + Num(y0) + "\" data-exaggeration=\"" + FormatGeneral(ex) + "\">\n";
  s += "<title>" + XmlEscape(title) + "</title>\n";
  s += "<style>polyline{fill:none;vector-effect:non-scaling-stroke;stroke-linejoin:round}"
       ".line{stroke:#202020;stroke-width:2}.arc{stroke:#1f5fbf;stroke-width:2}.spiral{stroke:#d07000;stroke-width:2}"
       ".slope{stroke:#2a8a2a;stroke-width:1}.outline{stroke:#909090;stroke-width:1;stroke-dasharray:4 3}"
       ".tick{stroke:#404040;stroke-width:1}.grade{stroke:#a0a0a0;stroke-width:1;stroke-dasharray:4 3}"
       ".design{stroke:#1f5fbf;stroke-width:2}.axis{stroke:#404040;stroke-width:1}"
       ".tin{fill:#e8e4d8;stroke:#c8c0a8;stroke-width:0.5;vector-effect:non-scaling-stroke}"
       "circle{fill:#c03030}text{fill:#303030;font-family:sans-serif}</style>\n";
  s += "<rect x=\"0\" y=\"0\" width=\"" + Num(w) + "\" height=\"" + Num(h) + "\" fill=\"#ffffff\"/>\n";
  if (!picture.triangles.empty()) {
    s += "<path class=\"tin\" d=\"";
    for (std::size_t i = 0; i + 2 < picture.triangles.size(); i += 3) {
      const PlanePoint &a = picture.triangles[i], &b = picture.triangles[i + 1], &c = picture.triangles[i + 2];
      s += "M" + X(a.e) + " " + Y(a.n) + "L" + X(b.e) + " " + Y(b.n) + "L" + X(c.e) + " " + Y(c.n) + "Z";
    }
    s += "\"/>\n";
  }
  for (const Polyline& line : picture.lines) {
    s += "<polyline class=\"";
    s += StrokeClass(line.stroke);
    s += "\" points=\"";
    for (std::size_t i = 0; i < line.points.size(); ++i) {
      if (i) s += ' ';
      s += X(line.points[i].e) + "," + Y(line.points[i].n);
    }
    s += "\"/>\n";
  }
  for (PlanePoint m : picture.marks) {
    s += "<circle cx=\"" + X(m.e) + "\" cy=\"" + Y(m.n) + "\" r=\"" + Num(3 * px) + "\"/>\n";
  }
  for (const Label& label : picture.labels) {
    s += "<text x=\"" + X(label.at.e) + "\" y=\"" + Y(label.at.n) + "\" font-size=\"" + Num(11 * px) +
         "\" text-anchor=\"middle\">" + XmlEscape(label.text) + "</text>\n";
  }
  if (!picture.note.empty()) {
    s += "<text x=\"" + Num(8 * px) + "\" y=\"" + Num(16 * px) + "\" font-size=\"" + Num(12 * px) + "\">" +
         XmlEscape(picture.note) + "</text>\n";
  }
  s += "</svg>\n";
  return s;
}

}  // namespace velkor
