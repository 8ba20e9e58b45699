// Sorting a drawing's entities into the slope plan's axis point list and polyline list.
#include "ncz/slope_plan_reader.h"

#include <system_error>

#include "base/number_text.h"

namespace velkor {
namespace {

constexpr std::string_view kAxisPrefix = "K_EKS";
constexpr std::string_view kSlopePrefix = "K_";
constexpr std::string_view kAxisTag = "NOKTA";

void AppendNumber(std::string& text, double value, int width) {
  std::string number = FormatFixed(value, 3, width);
  std::string::size_type start = number.find_first_not_of(' ');
  text.append(number, start == std::string::npos ? number.size() : start);
}

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

}  // namespace

std::string CoordinateText(const TGeometryPoint& point) {
  std::string text;
  AppendNumber(text, point.x, 11);
  text += ' ';
  AppendNumber(text, point.y, 12);
  text += ' ';
  AppendNumber(text, point.z, 10);
  text += ',';
  return text;
}

std::string TrimLabel(std::string_view label) {
  size_t begin = 0;
  size_t end = label.size();
  while (begin < end && IsBlankOrControl(label[begin])) ++begin;
  while (end > begin && IsBlankOrControl(label[end - 1])) --end;
  return std::string(label.substr(begin, end - begin));
}

void SlopePlanCollector::AddEntry(std::string_view layerName, std::string_view tag, const TGeometry& geometry) {
  std::string line;
  line.reserve(layerName.size() + tag.size() + 2 + 32 * geometry.size());
  line.append(layerName);
  line += ',';
  line.append(tag);
  line += ',';
  const EntryFields fields{layerName.size(), layerName.size() + 1 + tag.size()};
  if (tag == kAxisTag) {
    if (!geometry.empty()) line += CoordinateText(geometry.front());
    plan_.axisPoints.push_back(std::move(line));
    plan_.axisPointFields.push_back(fields);
  } else {
    for (const auto& point : geometry) line += CoordinateText(point);
    plan_.polylines.push_back(std::move(line));
    plan_.polylineFields.push_back(fields);
  }
}

void SlopePlanCollector::operator()(const ncz::Entity& entity) {
  if (entity.geometry == nullptr) return;
  const TGeometry& geometry = *entity.geometry;
  if (entity.kind == ncz::kPointKind) {
    if (entity.layerName.starts_with(kAxisPrefix)) AddEntry(entity.layerName, kAxisTag, geometry);
  } else if (entity.kind == ncz::kPolylineKind) {
    if (geometry.size() < 2 || (entity.flags & 1u) != 0) return;
    if (entity.layerName.find(kAxisPrefix) == std::string_view::npos && entity.layerName.starts_with(kSlopePrefix)) {
      AddEntry(entity.layerName, TrimLabel(entity.label), geometry);
    }
  }
}

void ReadSlopePlan(const std::filesystem::path& drawing, SlopePlan& plan) {
  plan = SlopePlan();
  std::error_code ec;
  if (drawing.empty() || !std::filesystem::exists(drawing, ec)) return;
  SlopePlanCollector collector(plan);
  ReadDrawing(drawing, ncz::kSlopePlanKinds, [&collector](const ncz::Entity& entity) { collector(entity); });
}

void ReadSlopePlanChoice(const std::optional<std::filesystem::path>& chosen, SlopePlan& plan) {
  if (chosen) ReadSlopePlan(*chosen, plan);
}

}  // namespace velkor
