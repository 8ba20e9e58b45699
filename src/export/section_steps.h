// The steps the conversion driver runs; each writes its own files into the work folder or its
// lines into the document. A step whose inputs are missing writes nothing.
#pragma once

#include <filesystem>
#include <ostream>
#include <vector>

#include "import/route_file.h"

namespace velkor {

struct SlopePlan;  // ncz/slope_plan.h

// Cross sections: the chosen .kse/.ksp file -> tmp.kse, tmp1.xml (CrossSects block), crs.gsi.
void ExportCrossSections(const std::filesystem::path& sectionFile, const std::filesystem::path& workDir);

// Slope plan: the slope-plan reader's lists -> tmps.xml (further Alignment elements).
void ExportSlopePlan(const SlopePlan& plan, const std::filesystem::path& workDir);

// The route's alignment from "\t\t<Alignment" through "\t\t\t</CoordGeom>" into the document, and its
// GSI records (aln.gsi). There must be at least one point.
void WriteHorizontalAlignment(const std::vector<PointRecord>& points, std::ostream& document, std::ostream& gsi);

// The route's profile "\t\t\t<Profile name="1">" through "\t\t\t</Profile>" into the document, and its
// GSI records (prf.gsi).
void WriteVerticalProfile(const std::vector<ProfileRecord>& profile, std::ostream& document, std::ostream& gsi);

}  // namespace velkor
