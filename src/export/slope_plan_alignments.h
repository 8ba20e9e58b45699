// The slope plan as LandXML alignments: one "Ax" through the axis points, then one per labelled
// polyline, each a chain of lines with a profile through the vertices' elevations.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace velkor {

struct SlopePlan;  // ncz/slope_plan.h
struct SlopeAlignmentFact;

// Cuts the text before the next "," off the front of `line`, together with that comma; without a
// comma the field is the whole rest and the line becomes empty. Two commas in a row give "".
// Works on a view so that a polyline of many vertices is cut up in one pass.
std::string_view NextEntryField(std::string_view& line);

// One complete Alignment element named `name` (XML-escaped) through the vertex texts "E N Z", in order.
// With `facts`, the alignment's name and plane vertices are added to it.
void WriteSlopeAlignment(const std::string& name, const std::vector<std::string>& vertices, std::ostream& out,
                         std::vector<SlopeAlignmentFact>* facts = nullptr);

// Every alignment of the slope plan: "Ax" first when there are axis points, then the polylines in order.
void WriteSlopePlanAlignments(const SlopePlan& plan, std::ostream& out,
                              std::vector<SlopeAlignmentFact>* facts = nullptr);

}  // namespace velkor
