// The route's horizontal section -> the LandXML alignment with its CoordGeom (lines, arcs,
// clothoids) and the field instruments' alignment file aln.gsi, element by element.
#include <cmath>
#include <optional>

#include "base/error.h"
#include "base/line_writer.h"
#include "base/number_text.h"
#include "base/plane_geometry.h"
#include "base/text_fields.h"
#include "export/conversion_facts.h"
#include "export/gsi_records.h"
#include "export/section_steps.h"
#include "export/xml_text.h"
#include "import/route_file.h"

namespace velkor {
namespace {

// The kind of the element that begins at a point; an unknown code continues the previous kind.
ElementKind KindOf(const std::string& code, ElementKind previous) {
  if (code == "TF" || code == "CT" || code == "ST") return ElementKind::Line;
  if (code == "TO" || code == "TC" || code == "SC" || code == "CC") return ElementKind::Curve;
  if (code == "TS" || code == "SS") return ElementKind::SpiralIn;
  if (code == "CS") return ElementKind::SpiralOut;
  return previous;
}

// The codes that begin a curve or a spiral: an exit spiral ending at one of them meets no straight.
bool BeginsCurveOrSpiral(const std::string& code) {
  return code == "TO" || code == "TC" || code == "SC" || code == "CC" || code == "TS" || code == "SS" || code == "CS";
}

double Finite(long double value) {
  if (!std::isfinite(value)) throw Error(kInvalidFloatOperation);
  return static_cast<double>(value);
}

std::string General(double value) { return FormatGeneral(value); }
std::string Fixed8(double value) { return FormatFixed(value, 8); }

// One point of the route as this export reads it: the chainage as LandXML takes it ("0250.000").
struct Point {
  SourcePlace origin;
  std::optional<PlanePoint> arcMiddle;
  std::string code, chainage, easting, northing, value, clothoidA;
  double station = 0, e = 0, n = 0;

  explicit Point(const PointRecord& r)
      : origin(r.origin),
        arcMiddle(r.arcMiddle),
        code(r.code),
        chainage(NormalizeChainage(r.chainage)),
        easting(r.easting),
        northing(r.northing),
        value(r.value),
        clothoidA(r.clothoidA),
        station(r.station),
        e(r.e),
        n(r.n) {}

  double Station() const { return station; }
  double E() const { return e; }
  double N() const { return n; }
  double Value() const {
    try {
      return ParseFloat(value);
    } catch (Error& error) {
      error.at(origin.file, origin.line);
      throw;
    }
  }
};

class AlignmentWriter {
 public:
  AlignmentWriter(std::ostream& document, std::ostream& gsi, std::vector<AlignmentElement>* elements)
      : doc_(document), gsi_(gsi), elements_(elements) {}

  void Doc(int tabs, const std::string& text) { WriteLine(doc_, text, tabs); }
  void Gsi(const std::string& record) { WriteLine(gsi_, record); }

  void StartEnd(const char* tag, const Point& p) {
    Doc(5, std::string("<") + tag + ">" + XmlEscape(p.northing) + " " + XmlEscape(p.easting) + " </" + tag + ">");
  }
  void Computed(const char* tag, PlanePoint p) {
    Doc(5, std::string("<") + tag + ">" + FixedNumber(p.n) + " " + FixedNumber(p.e) + " </" + tag + ">");
  }

  // Direction from one point to another, in degrees.
  static double ChordDirection(const Point& start, const Point& end) {
    return GradToDeg(Azimuth(start.E(), start.N(), end.E(), end.N()));
  }

  void Line(const Point& start, const Point& end, const std::string& length) {
    double dir = ChordDirection(start, end);
    Doc(4, "<Line dir=\"" + General(dir) + " \" length=\"" + length + " \" staStart=\"" + XmlEscape(start.chainage) +
               " \">");
    StartEnd("Start", start);
    StartEnd("End", end);
    Doc(4, "</Line>");
    Record(ElementKind::Line, start, end, dir, dir);
    Carry(dir);
    Gsi(GsiAlignmentElement(start.chainage, GsiElement::Straight, std::nullopt, start.easting, start.northing));
  }

  void Curve(const Point& start, const Point& end, const std::string& length) {
    double radius = start.Value();
    rotation_ = radius < 0 ? "ccw" : "cw";
    if (radius < 0) radius = -radius;
    currentRadius_ = radius;
    const bool ccw = rotation_ == "ccw";
    double se = start.E(), sn = start.N(), ee = end.E(), en = end.N();
    double chord = PointDistance(se, sn, ee, en);
    long double halfChord = chord / 2.0L;
    long double hRad = std::asin(halfChord / radius);
    double h = Finite(hRad * kRadToDeg);
    double delta = 2 * h;
    // A route that begins in the curve has no direction to carry: the chord's, turned back by half the curve.
    double dirStart = first_ ? (ccw ? ChordDirection(start, end) + h : ChordDirection(start, end) - h) : direction_;
    double dirEnd = ccw ? dirStart - delta : dirStart + delta;
    double tangent = Finite(radius * std::sin(h / kRadToDeg) / std::sin((90 - h) / kRadToDeg));
    double q = Finite(std::sqrt(static_cast<long double>(radius) * radius - halfChord * halfChord));
    PlanePoint centre = PolarPoint(se, sn, ee, en, chord / 2, ccw ? -q : q);
    double p = Finite(std::sqrt(static_cast<long double>(tangent) * tangent - halfChord * halfChord));
    PlanePoint pi = PolarPoint(se, sn, ee, en, chord / 2, ccw ? p : -p);

    Doc(4, "<Curve rot=\"" + rotation_ + "\" chord=\"" + General(chord) + " \" delta=\"" + General(delta) +
               " \" dirEnd=\"" + General(dirEnd) + " \" dirStart=\"" + General(dirStart) + " \" length=\"" + length +
               " \" radius=\"" + General(radius) + " \" staStart=\"" + XmlEscape(start.chainage) + " \" tangent=\"" +
               General(tangent) + "\" crvType=\"arc\">");
    StartEnd("Start", start);
    Computed("Center", centre);
    StartEnd("End", end);
    Computed("PI", pi);
    Doc(4, "</Curve>");
    if (AlignmentElement* e = Record(ElementKind::Curve, start, end, dirStart, dirEnd)) {
      e->radius = radius;
      e->centre = centre;
      e->pi = pi;
      e->arcMiddle = start.arcMiddle;
    }
    Carry(dirEnd);
    Gsi(GsiAlignmentElement(start.chainage, GsiElement::Curve, start.value, start.easting, start.northing));
  }

  void SpiralIn(const Point& start, const Point& end) {
    double R = end.Value();
    double L = start.Value();
    rotation_ = R < 0 ? "ccw" : "cw";
    if (R < 0) R = -R;
    currentRadius_ = R;
    double dirStart = direction_;
    if (first_) {
      // A route that begins in the spiral: the chord's direction, turned back by the chord's deflection.
      Clothoid own = SpiralPI(R, L, start.E(), start.N(), 0);
      double deflection = Finite(std::atan(static_cast<long double>(own.Y) / own.X) * kRadToDeg);
      dirStart = rotation_ == "ccw" ? ChordDirection(start, end) + deflection : ChordDirection(start, end) - deflection;
    }
    Clothoid c = SpiralPI(R, L, start.E(), start.N(), dirStart);
    double chord = Finite(std::sqrt(static_cast<long double>(c.X) * c.X + static_cast<long double>(c.Y) * c.Y));
    double dirEnd = rotation_ == "ccw" ? dirStart - c.theta : dirStart + c.theta;
    Doc(4, "<Spiral length=\"" + XmlEscape(start.value) + " \" radiusEnd=\"" + General(R) +
               " \" radiusStart=\"INF\" rot=\"" + rotation_ + "\" spiType=\"clothoid\" chord=\"" + General(chord) +
               " \" dirEnd=\"" + General(dirEnd) + " \" dirStart=\"" + General(dirStart) + " \" theta=\"" +
               General(c.theta) + " \" staStart=\"" + XmlEscape(start.chainage) + " \">");
    StartEnd("Start", start);
    Computed("PI", {c.piE, c.piN});
    StartEnd("End", end);
    Doc(4, "</Spiral>");
    if (AlignmentElement* e = Record(ElementKind::SpiralIn, start, end, dirStart, dirEnd)) {
      e->radius = R;
      e->spiralLength = L;
      e->pi = {c.piE, c.piN};
    }
    Carry(dirEnd);
    Gsi(GsiAlignmentElement(start.chainage, GsiElement::SpiralIn, start.clothoidA, start.easting, start.northing));
  }

  // `following` is the point after the spiral's end, when the route goes on past it.
  void SpiralOut(const Point& start, const Point& end, const std::optional<Point>& following) {
    // Ending where a curve or another spiral begins, the end point's value sizes that element, and
    // the point after it lies on that element, not on a straight.
    const bool intoCurveOrSpiral = BeginsCurveOrSpiral(end.code);
    if ((!intoCurveOrSpiral || currentRadius_ == 0) && end.value != "0.000") currentRadius_ = end.Value();
    double R = std::fabs(currentRadius_);
    double L = start.Value();
    const bool ccw = rotation_ == "ccw";
    double dirStart = direction_;
    double ee = end.E(), en = end.N();
    double towardsPI;
    if (following && !intoCurveOrSpiral) {
      double grads = Azimuth(following->E(), following->N(), ee, en);
      towardsPI = Finite(static_cast<long double>(grads) / 200 * kPi * kRadToDeg);
    } else {
      // No straight to look back along: the spiral's own end direction, turned back towards its PI.
      double theta = SpiralPI(R, L, ee, en, 0).theta;
      towardsPI = (ccw ? dirStart - theta : dirStart + theta) + 180;
    }
    Clothoid c = SpiralPI(R, L, ee, en, towardsPI);
    double chord = Finite(std::sqrt(static_cast<long double>(c.X) * c.X + static_cast<long double>(c.Y) * c.Y));
    double dirEnd = ccw ? dirStart - c.theta : dirStart + c.theta;
    Doc(4, "<Spiral length=\"" + XmlEscape(start.value) + " \" radiusEnd=\"INF\" radiusStart=\"" + General(R) +
               " \" rot=\"" + rotation_ + "\" spiType=\"clothoid\" chord=\"" + General(chord) + " \" dirEnd=\"" +
               General(dirEnd) + " \" dirStart=\"" + General(dirStart) + " \" theta=\"" + General(-c.theta) +
               " \" staStart=\"" + XmlEscape(start.chainage) + " \">");
    StartEnd("Start", start);
    Computed("PI", {c.piE, c.piN});
    StartEnd("End", end);
    Doc(4, "</Spiral>");
    if (AlignmentElement* e = Record(ElementKind::SpiralOut, start, end, dirStart, dirEnd)) {
      e->radius = R;
      e->spiralLength = L;
      e->pi = {c.piE, c.piN};
    }
    Carry(dirEnd);
    Gsi(GsiAlignmentElement(start.chainage, GsiElement::SpiralOut, start.clothoidA, start.easting, start.northing));
  }

 private:
  // The element as numbers, for those who asked for them; null otherwise.
  AlignmentElement* Record(ElementKind kind, const Point& start, const Point& end, double dirStart, double dirEnd) {
    if (elements_ == nullptr) return nullptr;
    AlignmentElement& e = elements_->emplace_back();
    e.kind = kind;
    e.staStart = start.Station();
    e.staEnd = end.Station();
    e.start = {start.E(), start.N()};
    e.end = {end.E(), end.N()};
    e.dirStart = dirStart;
    e.dirEnd = dirEnd;
    e.ccw = rotation_ == "ccw";
    e.origin = start.origin;
    return &e;
  }

  // The direction the next element starts from.
  void Carry(double direction) {
    direction_ = direction;
    first_ = false;
  }

  std::ostream& doc_;
  std::ostream& gsi_;
  std::vector<AlignmentElement>* elements_;
  bool first_ = true;         // no element written yet
  double direction_ = 0;      // degrees, at the end of the previous element
  std::string rotation_;      // of the most recent curve or spiral
  double currentRadius_ = 0;  // of the most recent curve or spiral
};

void WriteElement(AlignmentWriter& writer, const std::vector<PointRecord>& points, std::size_t i, ElementKind& kind) {
  Point start(points[i]);
  Point end(points[i + 1]);
  kind = KindOf(start.code, kind);
  std::string length = Fixed8(end.Station() - start.Station());
  switch (kind) {
    case ElementKind::Line:
      writer.Line(start, end, length);
      break;
    case ElementKind::Curve:
      writer.Curve(start, end, length);
      break;
    case ElementKind::SpiralIn:
      writer.SpiralIn(start, end);
      break;
    case ElementKind::SpiralOut: {
      std::optional<Point> following;
      if (i + 2 < points.size()) following.emplace(points[i + 2]);
      writer.SpiralOut(start, end, following);
      break;
    }
  }
}

}  // namespace

void WriteHorizontalAlignment(const std::vector<PointRecord>& points, std::ostream& document, std::ostream& gsi,
                              std::vector<AlignmentElement>* elements) {
  const Point firstPoint(points.front()), lastPoint(points.back());
  std::string alignmentLength = Fixed8(lastPoint.Station() - firstPoint.Station());

  WriteLine(
      document,
      "<Alignment name=\"1\" length=\"" + alignmentLength + " \" staStart=\"" + XmlEscape(firstPoint.chainage) + " \">",
      2);
  WriteLine(document, "<CoordGeom>", 3);
  AlignmentWriter writer(document, gsi, elements);
  writer.Gsi(GsiAlignmentHeader());

  ElementKind kind = ElementKind::Line;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    try {
      WriteElement(writer, points, i, kind);
    } catch (Error& e) {
      // Geometry and GSI failures belong to the element's start point, in the user's report.
      e.at(points[i].origin.file, points[i].origin.line);
      throw;
    }
  }

  try {
    writer.Gsi(GsiAlignmentElement(lastPoint.chainage, GsiElement::EndOfPath, std::nullopt, lastPoint.easting,
                                   lastPoint.northing));
  } catch (Error& e) {
    e.at(lastPoint.origin.file, lastPoint.origin.line);
    throw;
  }
  WriteLine(document, "</CoordGeom>", 3);
}

}  // namespace velkor
