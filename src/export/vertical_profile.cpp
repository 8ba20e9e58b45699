// The route's vertical section -> the LandXML Profile (PVIs and parabolic curves) and prf.gsi,
// the profile the field instruments stake levels from.
#include <string>

#include "base/error.h"
#include "base/line_writer.h"
#include "base/text_fields.h"
#include "export/gsi_records.h"
#include "export/section_steps.h"
#include "export/xml_text.h"
#include "import/route_file.h"

namespace velkor {
namespace {

constexpr const char* kNoCurve = "0.000";

// A profile record as this export reads it: every "+" dropped, the chainage as LandXML takes it.
struct ProfilePoint {
  bool entry = false;
  bool exit = false;
  std::string chainage, elevation, curveLength, curveFigure;
};

ProfilePoint ReadProfileRecord(const ProfileRecord& record) {
  ProfilePoint point;
  point.entry = record.tag == ProfileTag::Entry;
  point.exit = record.tag == ProfileTag::Exit;
  point.chainage = NormalizeChainage(ReplaceAll(record.chainage, "+", ""));
  point.elevation = ReplaceAll(record.elevation, "+", "");
  point.curveLength = ReplaceAll(record.curveLength, "+", "");
  point.curveFigure = ReplaceAll(record.curveFigure, "+", "");
  return point;
}

}  // namespace

long WriteVerticalProfile(const std::vector<ProfileRecord>& profile, std::ostream& document, std::ostream& gsi) {
  long records = 0;
  auto record = [&](const std::string& text) {
    WriteLine(gsi, text);
    ++records;
  };
  WriteLine(gsi, GsiProfileHeader());
  WriteLine(document, "<Profile name=\"1\">", 3);
  WriteLine(document, "<ProfAlign name=\"1\">", 4);

  ProfilePoint last;
  for (std::size_t d = 0; d < profile.size(); ++d) {
    try {
      ProfilePoint point = ReadProfileRecord(profile[d]);
      // Only the exact text "0.000" means no curve: "0.00" and "0" are curve lengths.
      if (point.curveLength != kNoCurve) {
        WriteLine(document,
                  "<ParaCurve length=\"" + XmlEscape(point.curveLength) + "\" desc=\"" + XmlEscape(point.curveFigure) +
                      "\">" + XmlEscape(point.chainage) + " " + XmlEscape(point.elevation) + "</ParaCurve>",
                  5);
      } else {
        if (!point.entry && !point.exit) {
          WriteLine(document, "<PVI>" + XmlEscape(point.chainage) + " " + XmlEscape(point.elevation) + "</PVI>", 5);
        }
        auto straight = [&] {
          record(GsiProfileElement(point.chainage, GsiElement::Straight, std::nullopt, point.elevation));
        };
        // A first line that is also a curve exit gets both of its straight records.
        if (d == 0) straight();
        if (point.exit) straight();
        if (point.entry) {
          // The parabola's figure sits on the vertex line that follows the entry line; an entry line
          // closing the section finds the brace there, whose empty fourth field is no number.
          std::string figure = d + 1 < profile.size() ? ReadProfileRecord(profile[d + 1]).curveFigure : "";
          record(GsiProfileElement(point.chainage, GsiElement::Parabola, figure, point.elevation));
        }
      }
      last = std::move(point);
    } catch (Error& error) {
      error.at(profile[d].origin.file, profile[d].origin.line);
      throw;
    }
  }
  // A section without profile lines has no point to end the path at: the file keeps its header only.
  if (!profile.empty()) {
    try {
      record(GsiProfileElement(last.chainage, GsiElement::EndOfPath, std::nullopt, last.elevation));
    } catch (Error& error) {
      error.at(profile.back().origin.file, profile.back().origin.line);
      throw;
    }
  }
  WriteLine(document, "</ProfAlign>", 4);
  WriteLine(document, "</Profile>", 3);
  return records;
}

}  // namespace velkor
