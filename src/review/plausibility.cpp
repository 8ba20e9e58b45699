#include "review/plausibility.h"

#include <algorithm>
#include <cmath>

#include "base/error.h"
#include "base/number_text.h"
#include "base/text_fields.h"
#include "review/alignment_path.h"
#include "review/profile_line.h"

namespace velkor {
namespace {

constexpr double kLengthTolerance = 0.01;     // metres: chainages against coordinates
constexpr double kPointTolerance = 0.01;      // metres: a point off the geometry it should lie on
constexpr double kSidewaysTolerance = 0.005;  // metres: a direction break over the shorter element
constexpr double kOrderTolerance = 0.001;     // metres: chainages printed to the millimetre
constexpr double kDegPerRad = static_cast<double>(kRadToDeg);

std::string Metres(double value) { return FixedNumber(value); }
std::string Km(double station) { return FormatChainage(station); }

std::string Where(const SourcePlace& place) {
  if (place.file.empty()) return {};
  return place.line > 0 ? place.file + ":" + std::to_string(place.line) : place.file;
}

const char* KindName(ElementKind kind) {
  switch (kind) {
    case ElementKind::Line:
      return "Doğru";
    case ElementKind::Curve:
      return "Kurp";
    case ElementKind::SpiralIn:
    case ElementKind::SpiralOut:
      return "Klotoid";
  }
  return "";
}

// "Kurp 0+300.000 – 0+390.000": which element, in the words of the table.
std::string ElementName(const AlignmentElement& e) {
  return std::string(KindName(e.kind)) + " " + Km(e.staStart) + " – " + Km(e.staEnd);
}

bool IsSpiral(const AlignmentElement& e) { return e.kind == ElementKind::SpiralIn || e.kind == ElementKind::SpiralOut; }

// The element's tangent directions at its two ends from its own points and sizes only, so that a
// break at a joint shows whichever side is wrong.
struct OwnTangents {
  double start = 0, end = 0;
};

std::optional<OwnTangents> OwnTangentsOf(const AlignmentElement& e) {
  const double chordDir = std::atan2(e.end.e - e.start.e, e.end.n - e.start.n) * kDegPerRad;
  const double chord = std::hypot(e.end.e - e.start.e, e.end.n - e.start.n);
  const double turn = e.ccw ? -1 : 1;
  switch (e.kind) {
    case ElementKind::Line:
      return OwnTangents{chordDir, chordDir};
    case ElementKind::Curve: {
      if (!(e.radius > 0) || chord > 2 * e.radius) return std::nullopt;
      const double h = std::asin(chord / (2 * e.radius)) * kDegPerRad;
      return OwnTangents{chordDir - turn * h, chordDir + turn * h};
    }
    case ElementKind::SpiralIn:
    case ElementKind::SpiralOut: {
      try {
        Clothoid c = SpiralPI(e.radius, e.spiralLength, 0, 0, 0);
        const double deflection = std::atan2(c.Y, c.X) * kDegPerRad;
        if (e.kind == ElementKind::SpiralIn) {
          const double start = chordDir - turn * deflection;
          return OwnTangents{start, start + turn * c.theta};
        }
        const double end = chordDir + turn * deflection;
        return OwnTangents{end - turn * c.theta, end};
      } catch (const Error&) {
        return std::nullopt;
      }
    }
  }
  return std::nullopt;
}

double OwnLength(const AlignmentElement& e) { return IsSpiral(e) ? e.spiralLength : e.staEnd - e.staStart; }

void CheckElement(const AlignmentElement& e, std::vector<Warning>& out) {
  const double span = e.staEnd - e.staStart;
  const double chord = std::hypot(e.end.e - e.start.e, e.end.n - e.start.n);
  const std::string place = Where(e.origin);
  switch (e.kind) {
    case ElementKind::Line:
      if (std::fabs(chord - span) > kLengthTolerance) {
        out.push_back(
            {WarningKind::ElementLength,
             ElementName(e) + ": kilometre farkı " + Metres(span) + " m, noktaları arası " + Metres(chord) + " m",
             place, e.staStart});
      }
      break;
    case ElementKind::Curve: {
      if (e.radius > 0 && chord <= 2 * e.radius) {
        const double minor = 2 * e.radius * std::asin(chord / (2 * e.radius));
        const double major = 2 * static_cast<double>(kPi) * e.radius - minor;
        if (std::fabs(minor - span) > kLengthTolerance && std::fabs(major - span) > kLengthTolerance) {
          out.push_back({WarningKind::ElementLength,
                         ElementName(e) + ": kilometre farkı " + Metres(span) + " m, R=" + Metres(e.radius) +
                             " ile noktaları arasındaki yay " + Metres(minor) + " m",
                         place, e.staStart});
        }
      }
      if (e.arcMiddle) {
        const double off = std::hypot(e.arcMiddle->e - e.centre.e, e.arcMiddle->n - e.centre.n) - e.radius;
        if (std::fabs(off) > kPointTolerance) {
          out.push_back({WarningKind::ArcMiddle,
                         ElementName(e) + ": orta nokta R=" + Metres(e.radius) + " çemberinden " +
                             Metres(std::fabs(off)) + " m uzakta",
                         place, e.staStart});
        }
      }
      break;
    }
    case ElementKind::SpiralIn:
    case ElementKind::SpiralOut: {
      if (std::fabs(e.spiralLength - span) > kLengthTolerance) {
        out.push_back({WarningKind::ElementLength,
                       ElementName(e) + ": kilometre farkı " + Metres(span) +
                           " m, klotoid boyu L=" + Metres(e.spiralLength) + " m",
                       place, e.staStart});
      }
      // Laid from its start in the direction its own points and sizes give there: whether the
      // table's length and radius fit its two points. Whether that direction is the one the route
      // has there is the joint check's question, which knows what millimetre coordinates allow;
      // laying from the direction carried along the route would add that rounding times the
      // spiral's length (up to 3 cm on 250 m spirals of sound routes).
      auto own = OwnTangentsOf(e);
      if (!own) break;
      CentrelinePose laid = LayClothoid(e.start, own->start, e.spiralLength, e.radius, e.ccw,
                                        e.kind == ElementKind::SpiralIn, e.spiralLength);
      const double miss = std::hypot(laid.at.e - e.end.e, laid.at.n - e.end.n);
      if (std::isfinite(miss) && miss > kPointTolerance) {
        out.push_back({WarningKind::SpiralEnd,
                       ElementName(e) + ": L=" + Metres(e.spiralLength) + ", R=" + Metres(e.radius) +
                           " ile çizilen klotoid tablodaki bitiş noktasına " + Metres(miss) + " m uzakta",
                       place, e.staStart});
      }
      break;
    }
  }
}

void CheckJoint(const AlignmentElement& a, const AlignmentElement& b, std::vector<Warning>& out) {
  // Two straights meet at an angle by design; every other joint is tangential.
  if (a.kind == ElementKind::Line && b.kind == ElementKind::Line) return;
  auto ta = OwnTangentsOf(a), tb = OwnTangentsOf(b);
  if (!ta || !tb) return;
  const double gap = DirectionGap(ta->end, tb->start);
  const double shorter = std::min(std::fabs(OwnLength(a)), std::fabs(OwnLength(b)));
  const double sideways = std::fabs(std::sin(gap / kDegPerRad)) * shorter;
  if (sideways > kSidewaysTolerance) {
    out.push_back({WarningKind::DirectionBreak,
                   Km(b.staStart) + " noktasında yön " + FormatFixed(std::fabs(gap), 4) +
                       "° kırılıyor (kısa elemanda " + Metres(sideways) + " m yana kayma)",
                   Where(b.origin), b.staStart});
  }
}

void CheckProfile(const Route& route, const ConversionFacts& facts, std::vector<Warning>& out) {
  const std::vector<ProfileVertex> v = ProfileVertices(route);
  if (v.empty()) return;
  for (std::size_t i = 1; i < v.size(); ++i) {
    if (v[i].station <= v[i - 1].station) {
      out.push_back(
          {WarningKind::ProfileOrder,
           "Boykesit: " + Km(v[i].station) + " kilometresi bir öncekinden (" + Km(v[i - 1].station) + ") büyük değil",
           Where(v[i].origin), v[i].station});
    }
  }
  for (std::size_t i = 1; i < v.size(); ++i) {
    const double endBefore = v[i - 1].station + v[i - 1].curveLength / 2;
    const double startHere = v[i].station - v[i].curveLength / 2;
    // Vertices out of order have had their warning.
    if (v[i].station <= v[i - 1].station) continue;
    if (endBefore > startHere + kOrderTolerance && (v[i - 1].curveLength > 0 || v[i].curveLength > 0)) {
      out.push_back({WarningKind::ProfileOverlap,
                     "Boykesit: " + Km(v[i - 1].station) + " ve " + Km(v[i].station) +
                         " düşey kurpları üst üste biniyor (" + Metres(endBefore - startHere) + " m)",
                     Where(v[i].origin), v[i].station});
    }
  }
  if (facts.elements.empty()) return;
  const double from = facts.elements.front().staStart, to = facts.elements.back().staEnd;
  if (v.front().station > from + kLengthTolerance || v.back().station < to - kLengthTolerance) {
    out.push_back({WarningKind::ProfileCoverage,
                   "Boykesit güzergahı kapsamıyor: boykesit " + Km(v.front().station) + " – " + Km(v.back().station) +
                       ", güzergah " + Km(from) + " – " + Km(to),
                   Where(v.front().origin), std::nullopt});
  }
}

void CheckSections(const ConversionFacts& facts, std::vector<Warning>& out) {
  if (!facts.crossSections || facts.elements.empty()) return;
  const double from = facts.elements.front().staStart, to = facts.elements.back().staEnd;
  const auto& sections = facts.crossSections->sections;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const SectionFact& s = sections[i];
    const SourcePlace& place = s.origin;
    if (s.station < from - kLengthTolerance || s.station > to + kLengthTolerance) {
      out.push_back({WarningKind::SectionOutside,
                     "Enkesit " + Km(s.station) + " güzergahın dışında (" + Km(from) + " – " + Km(to) + ")",
                     Where(place), s.station});
    }
    if (i > 0 && s.station <= sections[i - 1].station) {
      out.push_back({WarningKind::SectionOrder,
                     "Enkesit " + Km(s.station) + " bir öncekinden (" + Km(sections[i - 1].station) + ") büyük değil",
                     Where(place), s.station});
    }
  }
}

std::string Count(std::size_t n) { return std::to_string(n); }

void CheckSurface(const ConversionFacts& facts, std::vector<Warning>& out) {
  if (!facts.surface) return;
  const SurfaceFacts& s = *facts.surface;
  const std::string place = "Arazi modeli";
  if (s.points == 0) out.push_back({WarningKind::SurfaceEmpty, "Arazi modelinde nokta yok", place, std::nullopt});
  if (s.faces == 0) out.push_back({WarningKind::SurfaceEmpty, "Arazi modelinde üçgen yok", place, std::nullopt});
  if (s.facesWithUnmatchedCorner > 0) {
    out.push_back({WarningKind::SurfaceUnmatched,
                   "Arazi modelinde " + Count(s.facesWithUnmatchedCorner) + " / " + Count(s.faces) +
                       " üçgenin köşesi hiçbir noktaya denk gelmiyor (köşe 0)",
                   place, std::nullopt});
  }
  if (s.facesWithRepeatedCorner > 0) {
    out.push_back({WarningKind::SurfaceRepeated,
                   "Arazi modelinde " + Count(s.facesWithRepeatedCorner) + " üçgenin iki köşesi aynı nokta", place,
                   std::nullopt});
  }
  if (!s.hasExtent || facts.elements.empty()) return;
  PlanePoint low = facts.elements.front().start, high = low;
  for (const AlignmentElement& e : facts.elements) {
    for (PlanePoint p : {e.start, e.end}) {
      low = {std::min(low.e, p.e), std::min(low.n, p.n)};
      high = {std::max(high.e, p.e), std::max(high.n, p.n)};
    }
  }
  const bool apart = high.e < s.low.e || low.e > s.high.e || high.n < s.low.n || low.n > s.high.n;
  if (apart) {
    out.push_back({WarningKind::SurfaceAway,
                   "Güzergah arazi modelinin tamamen dışında (model Y " + Metres(s.low.e) + " – " + Metres(s.high.e) +
                       ", X " + Metres(s.low.n) + " – " + Metres(s.high.n) + ")",
                   place, std::nullopt});
  }
}

}  // namespace

const char* WarningCode(WarningKind kind) {
  switch (kind) {
    case WarningKind::ElementLength:
      return "element-length";
    case WarningKind::DirectionBreak:
      return "direction-break";
    case WarningKind::ArcMiddle:
      return "arc-middle";
    case WarningKind::SpiralEnd:
      return "spiral-end";
    case WarningKind::ProfileOrder:
      return "profile-order";
    case WarningKind::ProfileOverlap:
      return "profile-overlap";
    case WarningKind::ProfileCoverage:
      return "profile-coverage";
    case WarningKind::SectionOutside:
      return "section-outside";
    case WarningKind::SectionOrder:
      return "section-order";
    case WarningKind::SurfaceEmpty:
      return "surface-empty";
    case WarningKind::SurfaceUnmatched:
      return "surface-unmatched";
    case WarningKind::SurfaceRepeated:
      return "surface-repeated";
    case WarningKind::SurfaceAway:
      return "surface-away";
  }
  return "";
}

std::vector<Warning> CheckConversion(const Route& route, const ConversionFacts& facts) {
  std::vector<Warning> out;
  for (std::size_t i = 0; i < facts.elements.size(); ++i) {
    CheckElement(facts.elements[i], out);
    if (i + 1 < facts.elements.size()) CheckJoint(facts.elements[i], facts.elements[i + 1], out);
  }
  CheckProfile(route, facts, out);
  CheckSections(facts, out);
  CheckSurface(facts, out);
  return out;
}

}  // namespace velkor
