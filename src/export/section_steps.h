// The steps the conversion driver runs; each writes its own files into the work folder or its
// lines into the document. A step whose inputs are missing writes nothing.
#pragma once

#include <filesystem>
#include <ostream>
#include <vector>

#include "export/conversion_facts.h"
#include "import/route_file.h"

namespace velkor {

struct SlopePlan;  // ncz/slope_plan.h

// Cross sections: the chosen .kse/.ksp file -> tmp.kse, tmp1.xml (CrossSects block), crs.gsi.
// Returns the sections read, with their stations.
CrossSectionFacts ExportCrossSections(const std::filesystem::path& sectionFile, const std::filesystem::path& workDir);

// Slope plan: the slope-plan reader's lists -> tmps.xml (further Alignment elements). Returns the
// alignments written, as plane vertices.
std::vector<SlopeAlignmentFact> ExportSlopePlan(const SlopePlan& plan, const std::filesystem::path& workDir);

// The route's alignment from "\t\t<Alignment" through "\t\t\t</CoordGeom>" into the document, and its
// GSI records (aln.gsi). There must be at least one point. With `elements`, each element written is
// added to it with the geometry computed for it.
void WriteHorizontalAlignment(const std::vector<PointRecord>& points, std::ostream& document, std::ostream& gsi,
                              std::vector<AlignmentElement>* elements = nullptr);

// The route's profile "\t\t\t<Profile name="1">" through "\t\t\t</Profile>" into the document, and its
// GSI records (prf.gsi). Returns the number of records after the header.
long WriteVerticalProfile(const std::vector<ProfileRecord>& profile, std::ostream& document, std::ostream& gsi);

}  // namespace velkor
