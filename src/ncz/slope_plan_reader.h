// Takes a slope plan out of a NetCAD drawing: the points of the axis layers ("K_EKS...") and the
// labelled polylines of the other "K_" layers, as the entry lines the slope-plan export reads.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "ncz/ncz_reader.h"
#include "ncz/slope_plan.h"

namespace velkor {

// "1000.000 2000.000 100.000,": each number with three decimals and no blanks around it.
std::string CoordinateText(const TGeometryPoint& point);

// A polyline label without the spaces and control characters at either end.
std::string TrimLabel(std::string_view label);

// The sink of a drawing walk: sorts points and polylines into the plan's two lists by layer name.
// Letter case counts in every name comparison.
class SlopePlanCollector {
 public:
  explicit SlopePlanCollector(SlopePlan& plan) : plan_(plan) {}

  void operator()(const ncz::Entity& entity);

  // One entry line "layer,tag,coordinate texts": a "NOKTA" tag goes to the axis list with the first
  // point only, any other tag to the polyline list with every point.
  void AddEntry(std::string_view layerName, std::string_view tag, const TGeometry& geometry);

 private:
  SlopePlan& plan_;
};

// Empties both lists and reads the drawing into them. A missing file (or an empty name) leaves them
// empty without a message; a file that exists but cannot be opened throws Error("Cannot open file %s").
void ReadSlopePlan(const std::filesystem::path& drawing, SlopePlan& plan);

// The read command of the slope-plan dialog: a cancelled file choice (no path) keeps the lists as
// they were; a chosen file replaces them.
void ReadSlopePlanChoice(const std::optional<std::filesystem::path>& chosen, SlopePlan& plan);

}  // namespace velkor
