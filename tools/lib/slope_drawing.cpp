// Slope-plan drawings for tests and the demo: a straight axis with crest and toe lines beside it.
#include "lib/slope_drawing.h"

#include <cmath>

namespace velkor::samples {
namespace {

enum Layer : std::uint8_t {
  kZero,
  kAxis,
  kAxis2,
  kSlope,
  kToe,
  kOther,          // "K_1": a slope layer, but no axis
  kAxisLower,      // "k_eks"
  kAxisInside,     // "AKS_K_EKS"
  kAxisShort,      // "K_EK"
  kSlopeWithAxis,  // "K_AKS_K_EKS": starts like a slope layer, holds the axis prefix further in
  kSlopeInside,    // "XK_1"
  kSlopeLower,     // "k_1"
  kSlopeBare,      // "K_"
};

constexpr const char* kLayerNames[] = {"0",         "K_EKS", "K_EKS_2",     "K_SEV", "K_TOPUK", "K_1", "k_eks",
                                       "AKS_K_EKS", "K_EK",  "K_AKS_K_EKS", "XK_1",  "k_1",     "K_"};

class Plan {
 public:
  Plan(const SlopeLayout& layout) : layout_(layout) {
    double a = layout.azimuthDeg * 3.141592653589793 / 180;
    alongE_ = std::sin(a);
    alongN_ = std::cos(a);
  }

  // The point `station` metres along the axis and `offset` metres to its right.
  NczVertex At(double station, double offset, double z) const {
    return {layout_.originE + station * alongE_ + offset * alongN_,
            layout_.originN + station * alongN_ - offset * alongE_, z};
  }

  double AxisZ(int i) const { return layout_.elevation + 0.25 * i; }

  // A line beside the axis, `drop` metres below it, one vertex per axis point.
  std::vector<NczVertex> Beside(double offset, double drop) const {
    std::vector<NczVertex> vertices;
    for (int i = 0; i < layout_.axisPoints; ++i) vertices.push_back(At(i * layout_.spacing, offset, AxisZ(i) - drop));
    return vertices;
  }

 private:
  const SlopeLayout& layout_;
  double alongE_ = 0;
  double alongN_ = 1;
};

}  // namespace

SlopeContent BuildSlopeDrawing(NczWriter& writer, const SlopeLayout& layout) {
  SlopeContent content;
  const Plan plan(layout);
  const int layers = layout.extras ? static_cast<int>(std::size(kLayerNames)) : kToe + 1;
  for (int i = 0; i < layers; ++i) writer.SetLayerName(i, kLayerNames[i]);

  auto take = [&](const std::string& label, const std::vector<NczVertex>& vertices, Layer layer) {
    writer.AddPolyline(vertices, label, 0, layer);
    content.polylines.push_back({label, vertices});
  };
  auto refuse = [&](const std::string& label, const std::vector<NczVertex>& vertices, Layer layer,
                    std::uint8_t flags = 0) {
    writer.AddPolyline(vertices, label, flags, layer);
    content.refused.push_back(label);
  };

  // Axis points alternate between two axis layers; the last one is a long (code 22) record.
  for (int i = 0; i < layout.axisPoints; ++i) {
    NczVertex p = plan.At(i * layout.spacing, 0, plan.AxisZ(i));
    p.z = static_cast<float>(p.z);
    bool longForm = layout.extras && i == layout.axisPoints - 1;
    writer.AddPoint(p, i % 2 == 0 ? kAxis : kAxis2, longForm);
    content.axis.push_back(p);
    if (layout.extras && i == 1) {
      // Points that are not axis points, and a triangle on an axis layer, between the axis points.
      writer.AddPoint(plan.At(i * layout.spacing, 3, 1), kOther);
      writer.AddPoint(plan.At(i * layout.spacing, 4, 1), kAxisLower);
      writer.AddPoint(plan.At(i * layout.spacing, 5, 1), kAxisInside);
      writer.AddPoint(plan.At(i * layout.spacing, 6, 1), kAxisShort);
      writer.AddPoint(plan.At(i * layout.spacing, 7, 1), kZero);
      writer.AddTriangle(plan.At(0, 1, 1), plan.At(0, 2, 1), plan.At(1, 1, 1), kAxis);
      writer.AddEntity(2, plan.At(0, 1, 1), 40, kAxis);
    }
  }

  take("SOL_SEV", plan.Beside(-12, 3), kSlope);
  take("SA\xD0_SEV", plan.Beside(12, 3), kSlope);
  take("SOL_TOPUK", plan.Beside(-8, 2), kToe);
  take("SA\xD0_TOPUK", plan.Beside(8, 2), kToe);
  if (!layout.extras) return content;

  const double end = layout.axisPoints * layout.spacing;
  // A "NOKTA" polyline adds its first vertex to the axis: here the axis point after the last one.
  NczVertex next = plan.At(end, 0, plan.AxisZ(layout.axisPoints));
  writer.AddPolyline({next, plan.At(end, 10, 0)}, " NOKTA", 0, kOther);
  content.axis.push_back(next);

  // Blanks and a tab around the label, flags with bit 0 clear, a long record: taken all the same.
  writer.AddPolyline(plan.Beside(-15, 4), "  HENDEK\t", 2, kSlope, true);
  content.polylines.push_back({"HENDEK", plan.Beside(-15, 4)});
  take("", {plan.At(0, 15, 845), plan.At(end, 15, 846)}, kOther);
  take("T&<1>", {plan.At(0, 20, 845), plan.At(end / 2, 20, 846)}, kSlope);
  take(
      "\xDE"
      "EV 1,5",
      plan.Beside(-20, 5), kSlope);  // a decimal comma inside a label
  take("KISA", {plan.At(0, 25, 845), plan.At(layout.spacing, 25, 845)}, kSlopeBare);

  refuse("EKSEN", plan.Beside(0, 0), kAxis);
  refuse("EKSEN2", plan.Beside(1, 0), kAxis2);
  refuse("ICERDE", plan.Beside(-1, 0), kSlopeWithAxis);
  refuse("DIS", plan.Beside(-2, 0), kSlopeInside);
  refuse("KUCUK", plan.Beside(-3, 0), kSlopeLower);
  refuse("SIFIR", plan.Beside(-4, 0), kZero);
  refuse("TEK", {plan.At(0, -5, 845)}, kSlope);
  refuse("BOS", {}, kSlope);
  refuse("KAPALI", plan.Beside(-6, 0), kSlope, 1);
  refuse("KAPALI2", plan.Beside(-7, 0), kSlope, 0xFF);
  writer.AddTriangle(plan.At(0, 1, 1), plan.At(0, 2, 1), plan.At(1, 1, 1), kSlope);
  writer.AddEntity(2, plan.At(0, 1, 1), 40, kSlope);
  writer.BeginSkip("x");
  writer.AddPoint(plan.At(0, 0, 1), kAxis);
  refuse("ATLA", plan.Beside(-9, 0), kSlope);
  writer.EndSkip(77);
  return content;
}

SlopeContent WriteSlopeDrawing(std::ostream& out, const SlopeLayout& layout) {
  NczWriter writer;
  SlopeContent content = BuildSlopeDrawing(writer, layout);
  std::string bytes = writer.Bytes();
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return content;
}

}  // namespace velkor::samples
